# 32-bit Windows (SetUp.exe for 32-bit hosts).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SETUP_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
