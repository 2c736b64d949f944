# The older main window MainWindow: one mainwindow_<concern>.cpp per concern
# and its form, added to the wattlex_legacy library.
#
# The form is compiled explicitly: the libraries this one uses have headers
# named ui_*_t.h that are classes, not form output, which AUTOUIC would take
# for missing forms.
qt5_wrap_ui(WATTLEX_LEGACY_FORM_HEADERS ${CMAKE_SOURCE_DIR}/forms/mainwindow.ui)
file(GLOB WATTLEX_LEGACY_WINDOW_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/mainwindow_*.cpp)
target_sources(wattlex_legacy PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.h
  ${WATTLEX_LEGACY_WINDOW_SOURCES}
  ${CMAKE_SOURCE_DIR}/forms/mainwindow.ui
  ${WATTLEX_LEGACY_FORM_HEADERS})
target_include_directories(wattlex_legacy PUBLIC ${CMAKE_CURRENT_BINARY_DIR})
# trend_record_t (the record's row format) lives with the live window
target_link_libraries(wattlex_legacy PUBLIC wattlex_ui wattlex_dialogs wattlex_kit wattlex_plot wattlex_link
  Qwt::Qwt Qt5::Widgets)
