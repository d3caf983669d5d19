# The main form, driven through its real window: controls, keyboard, the small buttons, and the
# program itself started, checked and closed.
if(TARGET app_form AND TARGET ReprocessaSequencial)
  add_wine_test(app_form_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ReprocessaSequencialTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AppPumping.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ProgramTest.cpp
            ${CMAKE_SOURCE_DIR}/app/res/app.rc
    LIBS app_form)
  # The program's icon, version and manifest, so the form gets its icon here as in the program.
  target_include_directories(app_form_tests PRIVATE ${CMAKE_SOURCE_DIR}/app/res)
  target_compile_definitions(app_form_tests PRIVATE
    "APP_EXE_PATH=\"$<TARGET_FILE:ReprocessaSequencial>\"")
  add_dependencies(app_form_tests ReprocessaSequencial)
endif()
