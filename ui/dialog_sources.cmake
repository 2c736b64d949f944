# Connection, address, record, utility and About dialogs; the library is defined here.
#
# Forms are compiled explicitly: ui_*_t.h headers here and in the kit are
# classes, not form output, which AUTOUIC would take for missing forms.
set(WATTLEX_DIALOG_FORMS
  ${CMAKE_SOURCE_DIR}/forms/connectwindow.ui
  ${CMAKE_SOURCE_DIR}/forms/ipcreat.ui
  ${CMAKE_SOURCE_DIR}/forms/recordsetting.ui
  ${CMAKE_SOURCE_DIR}/forms/utilitysetting.ui
  ${CMAKE_SOURCE_DIR}/forms/ui_about_info_t.ui
)
qt5_wrap_ui(WATTLEX_DIALOG_FORM_HEADERS ${WATTLEX_DIALOG_FORMS})

add_library(wattlex_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/connectWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/connectWindow.h
  ${CMAKE_CURRENT_LIST_DIR}/ipcreat.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ipcreat.h
  ${CMAKE_CURRENT_LIST_DIR}/normalize_ip_address.cpp
  ${CMAKE_CURRENT_LIST_DIR}/normalize_ip_address.h
  ${CMAKE_CURRENT_LIST_DIR}/recordSetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/recordSetting.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_about_info_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_about_info_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_ip_ledit_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_ip_ledit_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_ipline_widget_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_ipline_widget_t.h
  ${CMAKE_CURRENT_LIST_DIR}/utilitySetting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/utilitySetting.h
  ${WATTLEX_DIALOG_FORMS}
  ${WATTLEX_DIALOG_FORM_HEADERS}
)
set_target_properties(wattlex_dialogs PROPERTIES AUTOUIC OFF)
target_include_directories(wattlex_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_BINARY_DIR})
target_link_libraries(wattlex_dialogs PUBLIC
  wattlex_kit wattlex_link wattlex_config wattlex_resources Qt5::Widgets)
