# Platform-free skin data: LZH, archive reader and writer, definition reader, colours, BMP parsing.
add_wine_test(skin_core_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/LzhTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/QuickIniTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SkinColourTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BmpImageTest.cpp
  LIBS skin_data_core)
