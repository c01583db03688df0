# libFuzzer targets (clang): the portable logic against the fakes, with
# AddressSanitizer and UBSan. Built by scripts/fuzz and scripts/test in a
# build folder of their own.
file(GLOB SETUP_FUZZERS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzzer.cpp)
add_library(setup_fuzz_support STATIC ${SETUP_TEST_SUPPORT})
target_include_directories(setup_fuzz_support PUBLIC ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR})
target_link_libraries(setup_fuzz_support PUBLIC setup_core GTest::gtest)
setup_compile_options(setup_fuzz_support)
foreach(source ${SETUP_FUZZERS})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE setup_fuzz_support)
  setup_compile_options(${name})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endforeach()
