# kx14_json: nlohmann/json (Debian's nlohmann-json3-dev, header-only) for
# kx14ctl's backup files and --json output. A cross build finds the same
# headers through a directory of its own that holds only them: adding the
# build machine's /usr/include would put its C library before the target's.
if(TARGET kx14_json)
  return()
endif()
add_library(kx14_json INTERFACE)
if(NOT CMAKE_CROSSCOMPILING)
  find_package(nlohmann_json 3.10 REQUIRED CONFIG)
  target_link_libraries(kx14_json INTERFACE nlohmann_json::nlohmann_json)
  return()
endif()
find_path(KX14_NLOHMANN_JSON_ROOT nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(kx14_json_include ${CMAKE_BINARY_DIR}/nlohmann-json-include)
file(MAKE_DIRECTORY ${kx14_json_include})
file(CREATE_LINK ${KX14_NLOHMANN_JSON_ROOT}/nlohmann ${kx14_json_include}/nlohmann SYMBOLIC)
target_include_directories(kx14_json SYSTEM INTERFACE ${kx14_json_include})
