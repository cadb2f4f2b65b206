# Shared build settings and the helpers every folder uses to declare its targets.

add_library(zephonic_warnings INTERFACE)
target_compile_options(zephonic_warnings INTERFACE -Wall -Wextra -Wpedantic -Wno-unused-parameter)
if(ZEPHONIC_WERROR)
  target_compile_options(zephonic_warnings INTERFACE -Werror)
endif()

if(ZEPHONIC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ZEPHONIC_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZEPHONIC_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# zephonic_library(name SOURCES ... [LIBS ...]): a static library of one subsystem.
function(zephonic_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LIBS} PRIVATE zephonic_warnings)
endfunction()

# zephonic_test(name SOURCES ... [LIBS ...]): a GoogleTest program registered with CTest.
# Tests run headless: the test main sets offscreen Qt, the dummy SDL audio driver and reports on
# stderr unless the environment says otherwise.
function(zephonic_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zephonic_testsupport GTest::gtest zephonic_warnings)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()

# zephonic_benchmark(name SOURCES ... [LIBS ...]): a Google Benchmark program in bench/.
function(zephonic_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark zephonic_warnings)
endfunction()

# zephonic_fuzzer(name SOURCES ... [LIBS ...]): a libFuzzer target. Without ZEPHONIC_FUZZ it is
# built with a small driver that replays the seed corpus, and that replay is a test.
function(zephonic_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} zephonic_warnings)
  if(ZEPHONIC_FUZZ)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    target_link_libraries(${name} PRIVATE zephonic_fuzz_replay)
    if(ZEPHONIC_TESTS)
      add_test(NAME ${name}.corpus
        COMMAND ${name} ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
      set_tests_properties(${name}.corpus PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SDL_AUDIODRIVER=dummy;ZEPHONIC_REPORT=stderr")
    endif()
  endif()
  set_property(GLOBAL APPEND PROPERTY ZEPHONIC_FUZZERS ${name})
endfunction()
