# Small pieces more than one panel uses.
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/block_check.cpp
  ${CMAKE_CURRENT_LIST_DIR}/block_check.h)
