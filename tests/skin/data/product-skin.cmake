# The product skin as the build packs it, loaded through the skin component.
if(TARGET product_skin AND TARGET skin_data)
  add_wine_test(product_skin_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProductSkinTest.cpp
    LIBS skin_data)
  add_dependencies(product_skin_tests product_skin)
  target_compile_definitions(product_skin_tests PRIVATE PRODUCT_SKIN_FILE="${PRODUCT_SKIN_FILE}")
endif()
