# Precompiled headers: the big library headers (GoogleTest, Qt's widgets,
# nlohmann/json) take a second or more to parse, longer than most of our
# files take to compile, so a target with several files that include them
# parses them once. With clang that is a third less compile work for the
# window and test targets (clang reads only what a file uses from its
# header). GCC's headers are memory images of 90 to 180 MB that every file
# loads whole and ccache hashes whole: measured with ccache, they cost as
# much CPU as they save and made the build slower, so GCC trees parse.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  set(kx14_precompile_default ON)
else()
  set(kx14_precompile_default OFF)
endif()
option(KX14_PRECOMPILE "Precompile the big library headers" ${kx14_precompile_default})

# kx14_precompile(<target> <headers...>): the target's files share one
# precompiled header of the given headers.
function(kx14_precompile target)
  if(KX14_PRECOMPILE)
    target_precompile_headers(${target} PRIVATE ${ARGN})
    kx14_pch_for_ccache(${target})
  endif()
endfunction()

# kx14_reuse_pch(<target> <pch target>): the target's files take the shared
# header of kx14_shared_pch().
function(kx14_reuse_pch target pch)
  if(KX14_PRECOMPILE)
    target_precompile_headers(${target} REUSE_FROM ${pch})
  endif()
endfunction()

# kx14_shared_pch(<name> LIBS <libs...> OPTIONS <options...> HEADERS <headers...>)
# An object library whose precompiled header other targets take with
# target_precompile_headers(<target> REUSE_FROM <name>). They must be
# compiled with the same options and macros as it (clang refuses the header
# otherwise), so each shares it only with targets of its own kind and folder.
function(kx14_shared_pch name)
  cmake_parse_arguments(P "" "" "LIBS;OPTIONS;HEADERS" ${ARGN})
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  file(WRITE ${source} "// The precompiled header's own object.\n")
  add_library(${name} OBJECT ${source})
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  target_compile_options(${name} PRIVATE ${P_OPTIONS})
  kx14_precompile(${name} ${P_HEADERS})
  kx14_warnings(${name})
endfunction()

# Without its build time inside, ccache can reuse clang's header (GCC's
# needs only the sloppiness set in the top-level CMakeLists.txt).
function(kx14_pch_for_ccache target)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -Xclang -fno-pch-timestamp)
  endif()
endfunction()
