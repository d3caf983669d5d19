# skin_data_core: the platform-free part of the skin data (LZH decoder and encoder, archive reader
# and writer, definition reader, colour and BMP parsing). No Windows header: it builds natively
# too, for the skin packer and the fuzz target.
add_library(skin_data_core STATIC
  ${CMAKE_CURRENT_LIST_DIR}/Lzh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LzhEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinReader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinArchiveWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QuickIni.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinColour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BmpImage.cpp
)
target_link_libraries(skin_data_core PUBLIC ui_core)
target_include_directories(skin_data_core PUBLIC ${CMAKE_SOURCE_DIR})
