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

# The Windows build's programs, run under Wine in one shared prefix.
if(SETUP_WIN32_BUILD_DIR)
  set(WINE_RUN ${PROJECT_SOURCE_DIR}/scripts/wine-run)
  add_test(NAME wine.win32_tests COMMAND ${WINE_RUN} ${SETUP_WIN32_BUILD_DIR}/win32_tests.exe)
  add_test(NAME wine.e2e_tests
           COMMAND ${WINE_RUN} ${SETUP_WIN32_BUILD_DIR}/e2e_tests.exe
                   --setup-exe=${SETUP_WIN32_BUILD_DIR}/SetUp.exe)
  set_tests_properties(wine.win32_tests wine.e2e_tests PROPERTIES RUN_SERIAL TRUE TIMEOUT 1800)
endif()
