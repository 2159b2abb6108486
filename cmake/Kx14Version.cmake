# The one place the programs take their version from: the project's version,
# as a generated header that every program's --version prints.
configure_file(${PROJECT_SOURCE_DIR}/cmake/kx14_version.h.in
               ${PROJECT_BINARY_DIR}/generated/kx14_version.h @ONLY)
add_library(kx14_version INTERFACE)
target_include_directories(kx14_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
