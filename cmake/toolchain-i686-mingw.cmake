# Cross build of the 32-bit Windows programs and plug-in.
set(MORVANTIA_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)
# The 32-bit host calls the entry points with the stack aligned to 4 bytes
# only, as do Windows and COM when they call thread, window and dialog
# procedures; gcc assumes 16. Every function that needs more than 4 then
# aligns the stack itself. A build folder configured before the flag came in
# keeps its cached flags: configure it with --fresh.
set(CMAKE_C_FLAGS_INIT "-mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-mstackrealign")
