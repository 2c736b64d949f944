# Device tree of the main window: the scan that runs off the window's thread.
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/device_scan_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/device_scan_t.h)
