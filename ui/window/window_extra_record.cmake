# The measurement record's format and rules (used by mymainwindow_record.cpp).
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/trend_record_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trend_record_t.h
)
