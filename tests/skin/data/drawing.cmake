# The skin drawing routines, checked pixel by pixel on DIB sections.
add_wine_test(skin_drawing_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SkinDrawTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinRegionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinPixelOpsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinTextTest.cpp
  LIBS skin_drawing)
