# Trend plot widget, scale draws, picker and resampler; the library is defined here.
add_library(wattlex_plot STATIC
  ${CMAKE_CURRENT_LIST_DIR}/resample_wave.cpp
  ${CMAKE_CURRENT_LIST_DIR}/resample_wave.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_preview_plot_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_preview_plot_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_qwt_picker_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_qwt_picker_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_trend_scale_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_trend_scale_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_trend_window_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_trend_window_t.h
  ${CMAKE_CURRENT_LIST_DIR}/trend_series_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trend_series_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_xp_scale_draw_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_xp_scale_draw_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_xt_scale_draw_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_xt_scale_draw_t.h
  ${CMAKE_CURRENT_LIST_DIR}/ui_yv_scale_draw_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ui_yv_scale_draw_t.h
)
target_include_directories(wattlex_plot PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(wattlex_plot PUBLIC Qt5::Widgets Qwt::Qwt)
# Its ui_* headers are classes, not uic output.
set_target_properties(wattlex_plot PROPERTIES AUTOUIC OFF)
