# The form's database work driven through its real window against real embedded databases: the
# open button and its file dialog, the checks, the rebuild with its dialogs, and the generator.
if(TARGET app_form)
  add_wine_test(app_db_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/DatabaseForm.cpp
            ${CMAKE_CURRENT_LIST_DIR}/AppPumping.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ConexaoTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ReprocessaPedidoTest.cpp
            ${CMAKE_CURRENT_LIST_DIR}/DiarioPedidoTest.cpp
    LIBS app_form db_test_support comctl32)
endif()
