# Cross-compiles for Windows x64 with Debian's MinGW-w64 compiler (POSIX threads) against a Qt built for it:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQT_WINDOWS_PREFIX=<Qt folder>
# QT_WINDOWS_PREFIX may also come from the environment; by default it is where scripts/build-qt-windows puts Qt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT QT_WINDOWS_PREFIX)
    if(DEFINED ENV{QT_WINDOWS_PREFIX})
        set(QT_WINDOWS_PREFIX "$ENV{QT_WINDOWS_PREFIX}")
    elseif(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
        set(QT_WINDOWS_PREFIX "$ENV{XDG_CACHE_HOME}/gamedata-editor/qt5-mingw64")
    else()
        set(QT_WINDOWS_PREFIX "$ENV{HOME}/.cache/gamedata-editor/qt5-mingw64")
    endif()
endif()
set(QT_WINDOWS_PREFIX "${QT_WINDOWS_PREFIX}" CACHE PATH "Qt built for Windows x64 with MinGW-w64")

# Headers, libraries and CMake packages come only from the MinGW sysroot and that Qt; programs run during the
# build (moc, rcc, uic, which that Qt ships as Linux programs) come from the host.
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 "${QT_WINDOWS_PREFIX}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
