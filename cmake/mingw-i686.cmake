# Cross build of the deliverables: 32-bit Windows, mingw-w64 with POSIX threads
# (GoogleTest needs std::mutex), C++ runtime linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELVO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
