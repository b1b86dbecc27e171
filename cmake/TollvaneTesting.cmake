include(GoogleTest)

# The compile options of test code: the warnings, and the optimisation for a short build.
set(TOLLVANE_TEST_FLAGS ${TOLLVANE_WARNINGS} ${TOLLVANE_TEST_OPTIMIZE})
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports overlapping copies inside std::string's operator+ with a
  # literal (its bug 105329) once inlined into a long test body, and, once the
  # library's headers come precompiled, out-of-bounds copies in a short
  # std::wstring's construction (the same family of false reports).
  list(APPEND TOLLVANE_TEST_FLAGS -Wno-restrict -Wno-array-bounds -Wno-stringop-overread -Wno-stringop-overflow)
endif()

# A test's time limit: the emulated 32-bit PC is far slower than these machines.
set(TOLLVANE_TEST_TIMEOUT 300)
if(TOLLVANE_WORLD32)
  set(TOLLVANE_TEST_TIMEOUT 900)
endif()

# tollvane_test(<name> [PURE] SOURCES <files...> [LIBS <libs...>] [FILTER <gtest filter>] [COST <n>])
#   LIBS: the layers (and other libraries) the tests use, and only those.
#   PURE: the tests touch only platform-free code; they build natively too
#         (with the sanitizers) as well as for Windows, and run in parallel.
#         Their LIBS name layers, whose platform-free parts they link.
#   COST: ctest runs tests of a higher cost first (until it has timed them).
#   Windows test executables run under Wine through CMAKE_CROSSCOMPILING_EMULATOR;
#   where they cannot run (the 32-bit build), they are built only.
function(tollvane_test name)
  cmake_parse_arguments(T "PURE" "FILTER;COST" "SOURCES;LIBS" ${ARGN})
  if(NOT WIN32 AND NOT T_PURE)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_compile_options(${name} PRIVATE ${TOLLVANE_TEST_FLAGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  if(T_PURE)
    list(TRANSFORM T_LIBS APPEND _pure)
  endif()
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main)
  if(WIN32)
    target_link_libraries(${name} PRIVATE tollvane_resources)
    tollvane_test_pch(${name})
  else()
    tollvane_tidy(${name})
  endif()
  if(NOT TOLLVANE_RUN_TESTS)
    return()
  endif()
  # Wine tests that make windows share one desktop, one tray and one registry:
  # they run one at a time. Platform-free tests need none of it.
  set(lock RESOURCE_LOCK desktop)
  if(T_PURE)
    set(lock)
  endif()
  if(T_COST)
    set(T_COST COST ${T_COST})
  endif()
  if(NOT T_FILTER)
    set(T_FILTER "*")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 TEST_FILTER "${T_FILTER}"
                       PROPERTIES ${lock} TIMEOUT ${TOLLVANE_TEST_TIMEOUT} ${T_COST})
  if(TOLLVANE_WORLD32)
    # The test list is read from the program, which only the emulated PC can run.
    get_property(includes DIRECTORY PROPERTY TEST_INCLUDE_FILES)
    list(POP_BACK includes discovered)
    set(guarded ${CMAKE_CURRENT_BINARY_DIR}/${name}_world32.cmake)
    file(WRITE ${guarded} "if(\"\$ENV{TOLLVANE_WORLD}\" STREQUAL \"i386\")\n  include(\"${discovered}\")\nendif()\n")
    set_property(DIRECTORY PROPERTY TEST_INCLUDE_FILES ${includes} ${guarded})
  endif()
endfunction()

# GoogleTest and <windows.h> are most of a Windows test file's compile time: every
# test target reuses one header compiled once, with the tests' own flags.
macro(tollvane_test_pch target)
  if(NOT TARGET tollvane_test_pch)
    add_library(tollvane_test_pch OBJECT ${PROJECT_SOURCE_DIR}/tests/support/pch.cpp)
    target_compile_options(tollvane_test_pch PRIVATE ${TOLLVANE_TEST_FLAGS})
    target_include_directories(tollvane_test_pch PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    target_link_libraries(tollvane_test_pch PRIVATE gtest_main)
    if(MINGW)
      target_precompile_headers(tollvane_test_pch PRIVATE <support/gtest_win32_threads.h>)
    endif()
    target_precompile_headers(tollvane_test_pch PRIVATE <windows.h> <gtest/gtest.h> <string> <vector> <functional>)
  endif()
  target_precompile_headers(${target} REUSE_FROM tollvane_test_pch)
endmacro()

# tollvane_fuzz(<name> <source> <libs...> [SECONDS <n>]): a libFuzzer target over
# platform-free code (native clang only), linking those platform-free parts. ctest
# runs it for n seconds (20 by default); TOLLVANE_FUZZ_SECONDS sets every target's.
function(tollvane_fuzz name source)
  if(WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    return()
  endif()
  cmake_parse_arguments(F "" "SECONDS" "" ${ARGN})
  add_executable(${name} ${source})
  target_compile_options(${name} PRIVATE ${TOLLVANE_WARNINGS} -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${F_UNPARSED_ARGUMENTS})
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  set(seconds $ENV{TOLLVANE_FUZZ_SECONDS})
  if(NOT seconds)
    set(seconds ${F_SECONDS})
  endif()
  if(NOT seconds)
    set(seconds 20)
  endif()
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${seconds} -print_final_stats=1 ${corpus}
           ${PROJECT_SOURCE_DIR}/tests/fuzz/seeds/${name})
endfunction()
