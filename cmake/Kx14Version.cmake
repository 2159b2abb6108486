# The one place the programs take their version and identity from: the
# project's version, as a generated header that every program's --version
# prints, and the names that packages and Windows' version information show.
set(KX14_PRODUCT_NAME "KX-14 Manager")
set(KX14_PUBLISHER "kx14-manager maintainers")
set(KX14_PROJECT_URL "https://kx14-manager.example.org/" CACHE STRING
    "The project's public home; the metadata and the packages link to it")
configure_file(${PROJECT_SOURCE_DIR}/cmake/kx14_version.h.in
               ${PROJECT_BINARY_DIR}/generated/kx14_version.h @ONLY)
add_library(kx14_version INTERFACE)
target_include_directories(kx14_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
