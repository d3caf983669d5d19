# The skin objects and the skin component (read from form descriptions, with the manager).
add_wine_test(skin_objects_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TestSkins.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinObjectsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinDataTest.cpp
  LIBS skin_data)
target_include_directories(skin_objects_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
