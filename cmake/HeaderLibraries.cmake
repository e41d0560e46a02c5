# Header-only libraries from the distribution's packages, as interface
# targets that every build uses alike:
#   morvantia_json             nlohmann/json.hpp   (Debian: nlohmann-json3-dev)
#   morvantia_stb_image_write  stb_image_write.h   (Debian: libstb-dev)
# Natively the package's own CMake files are used where there are any. The
# Windows cross builds look in the host's include folder on purpose (the
# headers are plain C and C++, the same for every compiler), but never put
# /usr/include itself on a MinGW include path: its C library headers would
# shadow MinGW's. nlohmann's headers sit directly in /usr/include, so the
# cross build reaches them through a folder of the build tree that holds a
# link to them alone.

if(NOT TARGET morvantia_json)
  add_library(morvantia_json INTERFACE)
  find_package(nlohmann_json 3.2 CONFIG QUIET)
  if(nlohmann_json_FOUND AND NOT CMAKE_CROSSCOMPILING)
    target_link_libraries(morvantia_json INTERFACE nlohmann_json::nlohmann_json)
  else()
    find_path(MORVANTIA_NLOHMANN_DIR nlohmann/json.hpp NO_CMAKE_FIND_ROOT_PATH
      PATHS /usr/include /usr/local/include)
    if(NOT MORVANTIA_NLOHMANN_DIR)
      message(FATAL_ERROR "nlohmann/json.hpp not found (Debian package nlohmann-json3-dev)")
    endif()
    set(_json_include ${CMAKE_BINARY_DIR}/header-libraries)
    file(MAKE_DIRECTORY ${_json_include})
    if(NOT EXISTS ${_json_include}/nlohmann)
      file(CREATE_LINK ${MORVANTIA_NLOHMANN_DIR}/nlohmann ${_json_include}/nlohmann SYMBOLIC)
    endif()
    target_include_directories(morvantia_json SYSTEM INTERFACE ${_json_include})
  endif()
endif()

if(NOT TARGET morvantia_stb_image_write)
  add_library(morvantia_stb_image_write INTERFACE)
  find_path(MORVANTIA_STB_DIR stb_image_write.h NO_CMAKE_FIND_ROOT_PATH
    PATH_SUFFIXES stb PATHS /usr/include /usr/local/include)
  if(NOT MORVANTIA_STB_DIR)
    message(FATAL_ERROR "stb_image_write.h not found (Debian package libstb-dev)")
  endif()
  if(CMAKE_CROSSCOMPILING AND MORVANTIA_STB_DIR MATCHES "^/usr(/local)?/include$")
    message(FATAL_ERROR "stb_image_write.h must sit in a folder of its own (/usr/include/stb)")
  endif()
  target_include_directories(morvantia_stb_image_write SYSTEM INTERFACE ${MORVANTIA_STB_DIR})
endif()
