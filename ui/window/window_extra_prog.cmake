# The program panel's result window and its step texts.
list(APPEND WATTLEX_WINDOW_EXTRA_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProgResultWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgResultWin.h
  ${CMAKE_CURRENT_LIST_DIR}/prog_step_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prog_step_text.h
  ${CMAKE_CURRENT_LIST_DIR}/prog_columns.h)
list(APPEND WATTLEX_WINDOW_FORMS ${CMAKE_SOURCE_DIR}/forms/progresultwin.ui)
