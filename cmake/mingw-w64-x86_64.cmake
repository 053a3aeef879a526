# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix-thread
# g++, whose std::thread and std::mutex the game uses):
#   cmake -S windows -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KERNA_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KERNA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KERNA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KERNA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KERNA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
