# The mingw-w64 cross build, shared by the two toolchain files, which set TREVANO_MINGW_PREFIX.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: GoogleTest needs std::mutex, which the win32 model of GCC 12 lacks.
set(CMAKE_C_COMPILER ${TREVANO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TREVANO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TREVANO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TREVANO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The executables carry their runtime: no libgcc, libstdc++ or winpthread DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
