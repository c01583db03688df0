# SetUp.exe and the test programs that run under Wine.
enable_language(RC)
set(SETUP_WIN32_LIBS comctl32 shell32 ole32 advapi32 gdi32 user32 kernel32)
set(SETUP_STATIC_LINK -static -static-libgcc -static-libstdc++)
# The lean windows.h, without min/max macros, with distinct handle types.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

file(GLOB_RECURSE SETUP_RESOURCE_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.rc)
# windres leaves no list of the files it read: the resource script is
# compiled again whenever one of the headers, the manifest, the bitmaps or
# the icons it may read changes.
file(GLOB SETUP_RESOURCE_INPUTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/ui/setup/*.h
     ${PROJECT_SOURCE_DIR}/src/ui/setup/win32/*.h ${PROJECT_SOURCE_DIR}/src/ui/setup/win32/*.manifest
     ${PROJECT_SOURCE_DIR}/src/ui/setup/res/*.bmp ${PROJECT_SOURCE_DIR}/src/ui/setup/res/*.ico)
set_source_files_properties(${SETUP_RESOURCE_SCRIPTS} PROPERTIES OBJECT_DEPENDS "${SETUP_RESOURCE_INPUTS}")
set(SETUP_ENTRY_POINT ${PROJECT_SOURCE_DIR}/src/app/main.cpp
                      ${PROJECT_SOURCE_DIR}/src/app/lean_runtime.cpp)
set(SETUP_WIN32_LIBRARY_SOURCES ${SETUP_WIN32_SOURCES})
list(REMOVE_ITEM SETUP_WIN32_LIBRARY_SOURCES ${SETUP_ENTRY_POINT})

add_library(setup_win32 STATIC ${SETUP_WIN32_LIBRARY_SOURCES})
target_link_libraries(setup_win32 PUBLIC setup_core ${SETUP_WIN32_LIBS})
setup_compile_options(setup_win32)

add_executable(SetUp WIN32 ${SETUP_ENTRY_POINT} ${SETUP_RESOURCE_SCRIPTS})
target_link_libraries(SetUp PRIVATE setup_win32)
target_link_options(SetUp PRIVATE ${SETUP_STATIC_LINK})
setup_compile_options(SetUp)

# The program ships built for size: each function and datum in a section of
# its own so that the linker drops what nothing uses; no exception handling
# (the program catches none, and a throw ends it as before: see
# lean_runtime.cpp); static locals without the thread-safe guard (one
# thread; the guard pulls in the threads library); stripped, with its
# symbols kept beside it in SetUp.exe.debug.
set(SETUP_SIZE_FLAGS -Os -ffunction-sections -fdata-sections -fno-exceptions
                     -fno-asynchronous-unwind-tables -fno-threadsafe-statics)
foreach(target setup_core setup_win32 SetUp)
  target_compile_options(${target} PRIVATE ${SETUP_SIZE_FLAGS})
endforeach()
target_link_options(SetUp PRIVATE -Wl,--gc-sections)
add_custom_command(TARGET SetUp POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug SetUp.exe SetUp.exe.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=SetUp.exe.debug SetUp.exe
  WORKING_DIRECTORY $<TARGET_FILE_DIR:SetUp>
  VERBATIM)

file(GLOB SETUP_WIN32_TESTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${SETUP_UNIT_TESTS} ${SETUP_CONTRACT_TESTS} ${SETUP_TEST_SUPPORT}
                           ${SETUP_WIN32_TESTS})
target_include_directories(win32_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(win32_tests PRIVATE setup_win32 GTest::gtest_main GTest::gmock)
target_link_options(win32_tests PRIVATE ${SETUP_STATIC_LINK})
setup_compile_options(win32_tests)

# Drives the real SetUp.exe from outside: the end-to-end tests and the demo's
# driver both use it.
set(SETUP_DRIVER_SOURCE ${PROJECT_SOURCE_DIR}/tests/e2e/harness/setup_driver.cpp)
add_library(setup_driver STATIC ${SETUP_DRIVER_SOURCE})
target_include_directories(setup_driver PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(setup_driver PUBLIC ${SETUP_WIN32_LIBS})
setup_compile_options(setup_driver)

file(GLOB SETUP_E2E_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp
                                               ${PROJECT_SOURCE_DIR}/tests/e2e/harness/*.cpp)
list(REMOVE_ITEM SETUP_E2E_SOURCES ${SETUP_DRIVER_SOURCE})
add_executable(e2e_tests ${SETUP_E2E_SOURCES})
target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(e2e_tests PRIVATE setup_driver GTest::gtest version)
target_link_options(e2e_tests PRIVATE ${SETUP_STATIC_LINK})
setup_compile_options(e2e_tests)

# The DLL the planted-DLL test puts beside SetUp.exe under system DLL names,
# and the plain program that shows whether such a DLL is taken at all.
add_library(planted_marker SHARED ${PROJECT_SOURCE_DIR}/tests/e2e/marker/planted_dll.cpp)
set_target_properties(planted_marker PROPERTIES PREFIX "")
target_link_options(planted_marker PRIVATE ${SETUP_STATIC_LINK})
add_executable(dll_loader ${PROJECT_SOURCE_DIR}/tests/e2e/marker/dll_loader.cpp
                          ${PROJECT_SOURCE_DIR}/tests/e2e/marker/dll_loader.rc)
target_include_directories(dll_loader PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(dll_loader PRIVATE user32)
target_link_options(dll_loader PRIVATE ${SETUP_STATIC_LINK})
# SetUp.exe's run-time pieces failing within themselves.
add_executable(internal_failure ${PROJECT_SOURCE_DIR}/tests/e2e/marker/internal_failure.cpp
                                ${PROJECT_SOURCE_DIR}/src/app/lean_runtime.cpp)
target_include_directories(internal_failure PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_options(internal_failure PRIVATE ${SETUP_STATIC_LINK})
setup_compile_options(internal_failure)
add_dependencies(e2e_tests planted_marker dll_loader internal_failure)

# The demo's driver: one scripted install with screenshots.
add_executable(demo_driver ${PROJECT_SOURCE_DIR}/tools/demo_driver.cpp)
target_link_libraries(demo_driver PRIVATE setup_driver)
target_link_options(demo_driver PRIVATE ${SETUP_STATIC_LINK})
setup_compile_options(demo_driver)
