if(CMAKE_CROSSCOMPILING)
  # Debian ships GoogleTest for the build machine only: the cross build
  # compiles it from Debian's sources (package googletest) for the target.
  set(KX14_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KX14_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# The test code checks the product's libraries, which keep the build type's
# flags; its own code only drives them. At -O0 with line tables it compiles in
# a third of -O2 -g's time (GoogleTest's and the JSON library's templates are
# most of it), and a failure's backtrace keeps its file:line. tests/ applies
# it to its support libraries; the test programs and their shared
# precompiled header (which must match them) get it here. Not in a tree of
# fuzz targets alone, where their properties run as fast as they can.
if(KX14_FUZZ AND NOT KX14_SANITIZE)
  set(KX14_TEST_COMPILE_OPTIONS "")
else()
  set(KX14_TEST_COMPILE_OPTIONS -O0 -g1)
endif()

# Every test program includes GoogleTest, which takes about a second to parse:
# where headers are precompiled (cmake/Kx14Precompiled.cmake), the tree
# parses it once, into a header that every test program reuses. The header
# is only valid for the same code-generation flags, so every test is then
# compiled with -fPIC, as Qt makes its tests anyway. Not in the cross build
# (GoogleTest comes from its sources there) or a tree of fuzz targets alone
# (no test programs).
include(Kx14Precompiled)
if(KX14_PRECOMPILE AND NOT CMAKE_CROSSCOMPILING AND NOT (KX14_FUZZ AND NOT KX14_SANITIZE)
   AND NOT TARGET kx14_gtest_pch)
  kx14_shared_pch(kx14_gtest_pch LIBS GTest::gtest OPTIONS -fPIC ${KX14_TEST_COMPILE_OPTIONS}
                  HEADERS <gtest/gtest.h>)
endif()

# A tree that runs the tests of one label only (the ThreadSanitizer tree runs
# "sanitize") builds only the test programs that carry it; the others stay
# out of `all` and ctest's -L leaves out their placeholder tests.
set(KX14_TEST_LABEL "" CACHE STRING "Build only the test programs with this label (empty: all)")

# kx14_test_in_tree(<target> <labels...>): leaves the test program out of
# `all` when the tree builds only another label's tests; the label's own
# programs are what the target kx14_label_tests builds (see the end of the
# top-level CMakeLists.txt), and with them nothing they do not need.
function(kx14_test_in_tree target)
  if(KX14_TEST_LABEL AND NOT KX14_TEST_LABEL IN_LIST ARGN)
    set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
  elseif(KX14_TEST_LABEL)
    set_property(GLOBAL APPEND PROPERTY KX14_LABEL_TEST_TARGETS ${target})
  endif()
endfunction()

# kx14_add_gtest(<name> SOURCES <files...> LIBS <libs...> [LABELS <labels...>]
#                [COST <seconds>])
# One test executable per call; it links the module libraries and never
# recompiles their sources. Every test carries the label "all" plus LABELS.
# COST, about how long each of its tests takes, makes ctest start them first
# on a new tree (later runs use the times it measured), so that a long test
# does not start last and set the stage's time.
function(kx14_add_gtest name)
  cmake_parse_arguments(T "" "COST" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_options(${name} PRIVATE ${KX14_TEST_COMPILE_OPTIONS})
  kx14_warnings(${name})
  if(TARGET kx14_gtest_pch)
    target_compile_options(${name} PRIVATE -fPIC)
    kx14_reuse_pch(${name} kx14_gtest_pch)
  endif()
  kx14_test_in_tree(${name} ${T_LABELS})
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases would start the emulator at build time: one test per
    # executable instead.
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "all;${T_LABELS}" TIMEOUT 300)
    if(T_COST)
      set_tests_properties(${name} PROPERTIES COST ${T_COST})
    endif()
    return()
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 300)
  # Labels are set from a file that ctest reads after the discovered tests:
  # passed through gtest_discover_tests' PROPERTIES, a list of labels is
  # flattened and every label but the first is lost (ctest -L sanitize would
  # then run nothing).
  set(label_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake")
  set(cost "")
  if(T_COST)
    set(cost " COST ${T_COST}")
  endif()
  file(WRITE "${label_file}"
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS [==[all;${T_LABELS}]==]${cost})\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${label_file}")
endfunction()

# kx14_add_qtest(<name> SOURCES <files...> LIBS <libs...> [LABELS <labels...>]
#                [COST <seconds>])
# A QtTest executable run on the offscreen platform (COST as above).
function(kx14_add_qtest name)
  cmake_parse_arguments(T "" "COST" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets)
  target_compile_options(${name} PRIVATE ${KX14_TEST_COMPILE_OPTIONS})
  kx14_warnings(${name})
  kx14_test_in_tree(${name} ui ${T_LABELS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "all;ui;${T_LABELS}" TIMEOUT 600
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(T_COST)
    set_tests_properties(${name} PROPERTIES COST ${T_COST})
  endif()
endfunction()
