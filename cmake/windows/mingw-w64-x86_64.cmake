# 64-bit Windows with Debian's mingw-w64 compilers. The posix thread model:
# Qt and std::thread need it. Builds both the Qt kit (scripts/windows) and the
# station (the `windows` preset, which sets ZR_QT_KIT to the kit's folder).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries and headers come from the Windows side only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host's Qt 6 of the same version runs moc, rcc and uic.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZR_QT_KIT)
if(ZR_QT_KIT)
  list(APPEND CMAKE_FIND_ROOT_PATH "${ZR_QT_KIT}")
endif()
