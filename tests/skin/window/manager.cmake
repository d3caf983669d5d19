# The skin manager's registration side: components, deferred requests, the CBT hook.
add_wine_test(skin_manager_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/SkinManageTest.cpp
  LIBS skin_data)
