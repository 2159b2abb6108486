find_package(GTest REQUIRED)
include(GoogleTest)

# kx14_add_gtest(<name> SOURCES <files...> LIBS <libs...> [LABELS <labels...>])
# One test executable per call; it links the module libraries and never
# recompiles their sources. Every test carries the label "all" plus LABELS.
function(kx14_add_gtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  kx14_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 300)
  # Labels are set from a file that ctest reads after the discovered tests:
  # passed through gtest_discover_tests' PROPERTIES, a list of labels is
  # flattened and every label but the first is lost (ctest -L sanitize would
  # then run nothing).
  set(label_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake")
  file(WRITE "${label_file}"
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS [==[all;${T_LABELS}]==])\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${label_file}")
endfunction()

# kx14_add_qtest(<name> SOURCES <files...> LIBS <libs...> [LABELS <labels...>])
# A QtTest executable run on the offscreen platform.
function(kx14_add_qtest name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test Qt6::Widgets)
  kx14_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "all;ui;${T_LABELS}" TIMEOUT 600
                       ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
