# 64-bit Windows (SetUp.exe for 64-bit hosts).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SETUP_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
