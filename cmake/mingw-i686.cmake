# Cross build of the deliverables: 32-bit Windows, mingw-w64 with POSIX threads
# (GoogleTest needs std::mutex), C++ runtime linked statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZELVO_MINGW_TRIPLE i686-w64-mingw32)
# IEEE double arithmetic on SSE2, as in the x86-64 build, instead of the x87 unit's wider
# intermediates: the same figures give the same usage-bar icon in both. Windows 8 and later
# require SSE2.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
