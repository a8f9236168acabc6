# 32-bit Windows: the VB5 and VB6 IDEs and 32-bit Office are 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
