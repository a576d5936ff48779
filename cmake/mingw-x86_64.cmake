# Cross build of the deliverables for 64-bit Windows: the same sources and options as the
# 32-bit build, so that on 64-bit Windows the programs see the real System32 and registry.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZELVO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
