# vardex_add_test(NAME <name> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>])
# Every test runs on the offscreen platform with a time-out, so a stuck
# dialog fails the run instead of hanging it.
function(vardex_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} vardex_testsupport GTest::gmock GTest::gtest)
  if(TARGET vardex_testsupport)
    target_precompile_headers(${T_NAME} REUSE_FROM vardex_testsupport)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()
