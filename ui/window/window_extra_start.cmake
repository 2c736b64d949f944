# Start-up steps of main(), kept in the library so tests run them.
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/app_start_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_start_t.h)
