# The older main window, built offscreen.
wattlex_add_test(tst_legacy_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_window.cpp
  LIBS wattlex_legacy wattlex_harness_ui wattlex_resources
  TIMEOUT 180)
# ui_*_t.h headers of the kits are classes, not forms.
set_target_properties(tst_legacy_window PROPERTIES AUTOUIC OFF)
# The older window against the simulated load, in a network namespace.
add_library(wattlex_legacy_fixture STATIC ${CMAKE_CURRENT_LIST_DIR}/legacy_connected_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/legacy_connected_window.h)
target_include_directories(wattlex_legacy_fixture PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(wattlex_legacy_fixture PUBLIC wattlex_legacy wattlex_harness_sim wattlex_harness_ui Qt5::Test)
set_target_properties(wattlex_legacy_fixture PROPERTIES AUTOUIC OFF AUTOMOC ON)
wattlex_add_test(tst_legacy_e2e
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_e2e.cpp
  LIBS wattlex_legacy_fixture wattlex_legacy wattlex_harness_sim wattlex_harness_ui wattlex_resources
  NETNS TIMEOUT 300)
set_target_properties(tst_legacy_e2e PROPERTIES AUTOUIC OFF)
# The reply side without a load.
wattlex_add_test(tst_legacy_dispatch
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_dispatch.cpp
  LIBS wattlex_legacy wattlex_harness_ui wattlex_resources
  TIMEOUT 120)
set_target_properties(tst_legacy_dispatch PROPERTIES AUTOUIC OFF)
# The mode pages against the simulated load; asks the load on a side link.
wattlex_add_test(tst_legacy_pages
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_pages.cpp ${CMAKE_CURRENT_LIST_DIR}/legacy_page_boxes.cpp
  LIBS wattlex_legacy_fixture wattlex_e2e_fixture wattlex_legacy wattlex_harness_sim wattlex_harness_ui wattlex_resources
  NETNS TIMEOUT 600)
set_target_properties(tst_legacy_pages PROPERTIES AUTOUIC OFF)
# The pages' reply rules without a load.
wattlex_add_test(tst_legacy_page_replies
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_page_replies.cpp ${CMAKE_CURRENT_LIST_DIR}/legacy_page_boxes.cpp
  LIBS wattlex_legacy wattlex_harness_ui wattlex_resources
  TIMEOUT 120)
set_target_properties(tst_legacy_page_replies PROPERTIES AUTOUIC OFF)
# List and program files and the list page against the simulated load.
wattlex_add_test(tst_legacy_list_prog
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_list_prog.cpp
  LIBS wattlex_legacy_fixture wattlex_legacy wattlex_harness_sim wattlex_harness_ui wattlex_resources
  NETNS TIMEOUT 300)
set_target_properties(tst_legacy_list_prog PROPERTIES AUTOUIC OFF)
# Files saved by one main window and loaded by the other.
wattlex_add_test(tst_legacy_files_cross
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_files_cross.cpp
  LIBS wattlex_legacy_fixture wattlex_e2e_fixture wattlex_legacy wattlex_harness_sim wattlex_harness_ui
       wattlex_resources
  NETNS TIMEOUT 300)
set_target_properties(tst_legacy_files_cross PROPERTIES AUTOUIC OFF)
# The list and program tables and the result judging, without a load.
wattlex_add_test(tst_legacy_list_prog_tables
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_list_prog_tables.cpp
  LIBS wattlex_legacy wattlex_harness_ui wattlex_resources
  TIMEOUT 120)
set_target_properties(tst_legacy_list_prog_tables PROPERTIES AUTOUIC OFF)
