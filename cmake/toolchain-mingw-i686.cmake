# The shipped program: 32-bit Windows, built with Debian's mingw-w64.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every processor Windows 95 runs on, from the 386: no CMOV, no BSWAP.
if(NOT DEFINED ZORPURGE_ARCH_FLAGS)
    set(ZORPURGE_ARCH_FLAGS -march=i386 -mtune=i686)
endif()
# The entry point's symbol as the linker sees it: C names carry an underscore here.
set(ZORPURGE_ENTRY_SYMBOL _WinMainCRTStartup)
