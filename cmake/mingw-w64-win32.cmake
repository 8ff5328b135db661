# The mingw-w64 cross compilers of the win32 thread model (the "-win32" of
# their names, and of this file's), for either processor: MINGW_CPU, set by
# the preset, is i686 (TESSERA.EXE) or x86_64 (TESSERA64.EXE). The posix model
# links winpthread, whose imports (GetTickCount64, AddVectoredExceptionHandler)
# stop the program from loading on NT 4.0 and 98.
if(NOT MINGW_CPU MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "MINGW_CPU must name the processor: i686 or x86_64")
endif()
# The compiler checks run with this file again and need the processor too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MINGW_CPU)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${MINGW_CPU})
set(CMAKE_C_COMPILER ${MINGW_CPU}-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_CPU}-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER ${MINGW_CPU}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_CPU}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
