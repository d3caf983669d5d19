# db_rewrite_bench: the rebuild of a 10,000-item order through the form's own code path (its
# dialogs answered, gauge and message processing on), in rows per second, beside two references on
# copies of the same database: the same rewrite preparing its update anew for every row, and one
# EXECUTE BLOCK doing the same renumbering on the server; on the demo schema and on the same without
# the index over order, product and grid. Run it with target run_db_rewrite_bench
# (under Wine when cross-compiling).
if(TARGET app_form)
  set(bench_schema ${CMAKE_SOURCE_DIR}/tools/demo-db/schema.sql)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${bench_schema})
  file(READ ${bench_schema} DEMO_SCHEMA_SQL)
  configure_file(${CMAKE_SOURCE_DIR}/tests/db/TestSchema.cpp.in ${CMAKE_CURRENT_BINARY_DIR}/BenchSchema.cpp @ONLY)
  add_executable(db_rewrite_bench ${CMAKE_CURRENT_LIST_DIR}/DbRewriteBench.cpp ${CMAKE_CURRENT_BINARY_DIR}/BenchSchema.cpp)
  target_link_libraries(db_rewrite_bench PRIVATE app_form)
  add_custom_target(run_db_rewrite_bench
    COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:db_rewrite_bench>
    DEPENDS db_rewrite_bench
    VERBATIM)
endif()
