# The older main window, built offscreen.
wattlex_add_test(tst_legacy_window
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_legacy_window.cpp
  LIBS wattlex_legacy wattlex_harness_ui wattlex_resources
  TIMEOUT 180)
# ui_*_t.h headers of the kits are classes, not forms.
set_target_properties(tst_legacy_window PROPERTIES AUTOUIC OFF)
