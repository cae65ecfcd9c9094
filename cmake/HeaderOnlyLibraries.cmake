# CLI11 and nlohmann-json: header-only, from Debian's packages. Natively
# through their CMake packages. A MinGW-w64 build cannot search the host's
# /usr/include as a whole (its C library headers would shadow MinGW's), so
# it sees a folder in the build tree holding links to just these two.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(CLI11 REQUIRED)
  find_package(nlohmann_json REQUIRED)
  return()
endif()

set(TORUME_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${TORUME_HOST_HEADERS})
foreach(header CLI/CLI.hpp nlohmann/json.hpp)
  get_filename_component(folder ${header} DIRECTORY)
  find_path(found_${folder} ${header} PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT found_${folder})
    message(FATAL_ERROR "${header} is missing: run scripts/install-deps.sh windows")
  endif()
  file(CREATE_LINK ${found_${folder}}/${folder} ${TORUME_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()

add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${TORUME_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${TORUME_HOST_HEADERS})
# The web edition is built without exceptions: a JSON fault aborts.
if(EMSCRIPTEN)
  target_compile_definitions(nlohmann_json::nlohmann_json INTERFACE JSON_NOEXCEPTION)
endif()
