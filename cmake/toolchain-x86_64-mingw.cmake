# Cross build of the 64-bit Windows programs and plug-in.
set(MORVANTIA_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
