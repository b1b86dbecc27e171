include(GoogleTest)

# tollvane_test(<name> [PURE] SOURCES <files...> [LIBS <libs...>])
#   PURE: the tests touch only platform-free code; they build natively too
#         (with the sanitizers) as well as for Windows.
#   Windows test executables run under Wine through CMAKE_CROSSCOMPILING_EMULATOR.
function(tollvane_test name)
  cmake_parse_arguments(T "PURE;SERIAL" "" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32 AND NOT T_PURE)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${TOLLVANE_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(WIN32)
    target_link_libraries(${name} PRIVATE tollvane_core tollvane_resources ${T_LIBS} gmock gtest_main)
  else()
    target_link_libraries(${name} PRIVATE tollvane_pure ${T_LIBS} gmock gtest_main)
  endif()
  # Wine tests share one desktop, one tray and one registry: run them one at a time.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                       PROPERTIES RESOURCE_LOCK desktop TIMEOUT 300)
endfunction()

# tollvane_fuzz(<name> <source>): a libFuzzer target over platform-free code (native clang only).
# ctest runs it for a bounded time.
function(tollvane_fuzz name source)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE tollvane_pure)
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  set(seconds $ENV{TOLLVANE_FUZZ_SECONDS})
  if(NOT seconds)
    set(seconds 20)
  endif()
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${seconds} -print_final_stats=1 ${corpus}
           ${PROJECT_SOURCE_DIR}/tests/fuzz/seeds/${name})
endfunction()
