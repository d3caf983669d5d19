# add_wine_test(<name> SOURCES ... LIBS ...): one test executable per group of tests, run through
# CTest (under Wine when cross-compiling, via CMAKE_CROSSCOMPILING_EMULATOR).
# The executable links tests/support, whose main starts the framework's application object and
# the watchdog that ends a test hung past its bound.
function(add_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE test_support ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES TIMEOUT 240)
endfunction()
