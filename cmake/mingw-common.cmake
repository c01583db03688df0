# Cross-compiles for Windows with mingw-w64's POSIX-threads flavour (its
# libstdc++ has std::mutex, which GoogleTest needs), for the processor and
# tool prefix that the including toolchain file sets.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${SETUP_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SETUP_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SETUP_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SETUP_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
