# Widget kit, prompts and splash screen; the library is defined here.
add_library(wattlex_kit STATIC
  BaseButton.cpp BaseButton.h
  SwitchButton.cpp SwitchButton.h
  SwitchControl.cpp SwitchControl.h
  MyDoubleSpinBox.cpp MyDoubleSpinBox.h
  MySpinBox.cpp MySpinBox.h
  custom_messagebox.cpp custom_messagebox.h
  ui_qmessagebox_t.cpp ui_qmessagebox_t.h
  ui_prompt_t.cpp ui_prompt_t.h
  ui_qsplashscreen_t.cpp ui_qsplashscreen_t.h
  ui_timer_t.cpp ui_timer_t.h
  ui_translations_t.cpp ui_translations_t.h
  init_ui_font_names.cpp init_ui_font_names.h
  file_dialog.cpp file_dialog.h
  guide_opener.cpp guide_opener.h
  reply_numbers.cpp reply_numbers.h
)
target_include_directories(wattlex_kit PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(wattlex_kit PUBLIC Qt5::Widgets)
# The kit has no forms; its ui_*_t.h headers are not uic output.
set_target_properties(wattlex_kit PROPERTIES AUTOUIC OFF)
