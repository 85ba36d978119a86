# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which the C++ standard
# library's threads need). Programs run under Wine where the build or the tests need them to.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRISVALE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRISVALE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRISVALE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRISVALE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRISVALE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
