# The shipped program: 32-bit, for Windows XP SP3 and every later Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# 32-bit code cannot run on these build machines: its tests run under 32-bit Wine
# in an emulated 32-bit PC (scripts/world32), which takes this tree as it is.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
set(TOLLVANE_WORLD32 ON)
