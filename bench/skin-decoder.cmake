# skin_decoder_bench: expands a ~250 KB skin container packed with LZH many times and prints
# MB/s beside zlib's inflate of the same container, as a ratio. Run under Wine:
#   linux/wine-run.sh <build>/bench/skin_decoder_bench.exe [archive.skn] [seconds-per-measure]
add_executable(skin_decoder_bench ${CMAKE_CURRENT_LIST_DIR}/SkinDecoderBench.cpp)
target_link_libraries(skin_decoder_bench PRIVATE skin_data_core deps_zlib)
