# Native unit tests: the portable logic against the fakes, and the contract
# suites against the fakes.
file(GLOB SETUP_NATIVE_CONTRACT_BINDINGS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/contract/native/*.cpp)
include(GoogleTest)

add_executable(unit_tests ${SETUP_UNIT_TESTS} ${SETUP_CONTRACT_TESTS} ${SETUP_TEST_SUPPORT}
                          ${SETUP_NATIVE_CONTRACT_BINDINGS})
target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(unit_tests PRIVATE setup_core GTest::gtest_main GTest::gmock)
setup_compile_options(unit_tests)
gtest_discover_tests(unit_tests TEST_PREFIX "native." DISCOVERY_TIMEOUT 60)

# The Windows builds' programs, run under Wine: the 32-bit ones in a 32-bit
# prefix, the 64-bit ones in a 64-bit prefix, one prefix per architecture for
# the whole run. A machine that cannot run an architecture's programs reports
# its suites as skipped (wine-run exits 77).
function(add_wine_suites arch build_dir)
  set(wine_run ${PROJECT_SOURCE_DIR}/scripts/wine-run win${arch})
  add_test(NAME wine${arch}.win32_tests COMMAND ${wine_run} ${build_dir}/win32_tests.exe)
  add_test(NAME wine${arch}.e2e_tests
           COMMAND ${wine_run} ${build_dir}/e2e_tests.exe --setup-exe=${build_dir}/SetUp.exe ${ARGN})
  set_tests_properties(wine${arch}.win32_tests wine${arch}.e2e_tests
                       PROPERTIES RUN_SERIAL TRUE TIMEOUT 1800 SKIP_RETURN_CODE 77)
endfunction()

# The code-page suite once more under the ANSI code page of a Western (1252)
# and of a Japanese (932) Windows, each in a prefix of its own (the whole
# end-to-end suite runs under 936 above, this suite among it).
function(add_code_page_suite arch build_dir code_page)
  set(name wine${arch}.e2e_code_page_${code_page})
  add_test(NAME ${name}
           COMMAND ${PROJECT_SOURCE_DIR}/scripts/wine-run win${arch} ${build_dir}/e2e_tests.exe
                   --setup-exe=${build_dir}/SetUp.exe
                   --gtest_filter=CodePage*)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT SETUP_CODE_PAGE=${code_page} RUN_SERIAL TRUE
                                          TIMEOUT 600 SKIP_RETURN_CODE 77)
endfunction()

if(SETUP_WIN32_BUILD_DIR)
  add_wine_suites(32 ${SETUP_WIN32_BUILD_DIR})
  add_code_page_suite(32 ${SETUP_WIN32_BUILD_DIR} 1252)
endif()
if(SETUP_WIN64_BUILD_DIR)
  # The 64-bit suites also start the 32-bit program in their 64-bit prefix.
  set(setup32_flag)
  if(SETUP_WIN32_BUILD_DIR)
    set(setup32_flag --setup32-exe=${SETUP_WIN32_BUILD_DIR}/SetUp.exe)
  endif()
  add_wine_suites(64 ${SETUP_WIN64_BUILD_DIR} ${setup32_flag})
  # 1252 with both programs; 932 with the 64-bit one, which serves every
  # release and runs on every machine that runs these tests.
  add_code_page_suite(64 ${SETUP_WIN64_BUILD_DIR} 1252)
  add_code_page_suite(64 ${SETUP_WIN64_BUILD_DIR} 932)
endif()

# scripts/sign on copies of both programs under a throwaway certificate; the
# signed programs still run under Wine (skipped without osslsigncode).
if(SETUP_WIN32_BUILD_DIR AND SETUP_WIN64_BUILD_DIR)
  add_test(NAME sign.both_programs
           COMMAND ${PROJECT_SOURCE_DIR}/tests/sign/sign_test.sh ${SETUP_WIN32_BUILD_DIR}/SetUp.exe
                   ${SETUP_WIN64_BUILD_DIR}/SetUp.exe)
  set_tests_properties(sign.both_programs PROPERTIES RUN_SERIAL TRUE TIMEOUT 300 SKIP_RETURN_CODE 77)
endif()

# Benchmarks of the portable logic (Google Benchmark from Debian), built on
# request by scripts/bench, never by the test command.
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(discovery_benchmark EXCLUDE_FROM_ALL ${PROJECT_SOURCE_DIR}/bench/discovery_benchmark.cpp
                                     ${SETUP_TEST_SUPPORT})
  target_include_directories(discovery_benchmark PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(discovery_benchmark PRIVATE setup_core benchmark::benchmark GTest::gtest)
  setup_compile_options(discovery_benchmark)
endif()
