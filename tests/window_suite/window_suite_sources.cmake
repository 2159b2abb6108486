# The window's behaviour suites, written once and built into each toolkit's
# suite program (tests/ui for Qt, tests/windows for Win32), with the summary
# line's printer they share.
set(KX14_WINDOW_SUITE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/device_operations_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/focus_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/id_editors_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/no_port_operations_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/port_list_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/port_opening_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/presets_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reentrancy_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/start_state_suite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/value_editors_suite.cpp
    ${PROJECT_SOURCE_DIR}/tests/faults/campaign_summary.cpp)
