# The list panel's preview window.
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ListPreviewWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListPreviewWin.h)
list(APPEND WATTLEX_WINDOW_FORMS ${CMAKE_SOURCE_DIR}/forms/listpreviewwin.ui)
