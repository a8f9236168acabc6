# 64-bit Windows: 64-bit Office, and what Wine runs on machines without 32-bit support.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
