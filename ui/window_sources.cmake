# Main window, panels, dialogs and main(); defined here.
#
# Forms are compiled explicitly: the libraries this one uses have headers
# named ui_*_t.h that are classes, not form output, which AUTOUIC would take
# for missing forms.
set(WATTLEX_WINDOW_FORMS
  ${CMAKE_SOURCE_DIR}/forms/mymainwindow.ui
)
# The window's own files: one mymainwindow_<concern>.cpp per panel or
# concern. Other classes a panel brings (its windows, their forms) are
# listed by that panel in ui/window_extra_<panel>.cmake, which appends to
# WATTLEX_WINDOW_EXTRA_SOURCES and WATTLEX_WINDOW_FORMS.
file(GLOB WATTLEX_WINDOW_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/mymainwindow*.cpp)
set(WATTLEX_WINDOW_EXTRA_SOURCES)
file(GLOB WATTLEX_WINDOW_EXTRA_LISTS CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_LIST_DIR}/window_extra_*.cmake)
foreach(extra ${WATTLEX_WINDOW_EXTRA_LISTS})
  include(${extra})
endforeach()
qt5_wrap_ui(WATTLEX_WINDOW_FORM_HEADERS ${WATTLEX_WINDOW_FORMS})

set(WATTLEX_WEB_SITE "" CACHE STRING "Address the Help menu's web site entry opens (empty: none)")

add_library(wattlex_ui STATIC
  ${CMAKE_CURRENT_LIST_DIR}/mymainwindow.h
  ${WATTLEX_WINDOW_SOURCES}
  ${WATTLEX_WINDOW_EXTRA_SOURCES}
  ${WATTLEX_WINDOW_FORMS}
  ${WATTLEX_WINDOW_FORM_HEADERS}
)
set_target_properties(wattlex_ui PROPERTIES AUTOUIC OFF)
target_include_directories(wattlex_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_BINARY_DIR})
target_compile_definitions(wattlex_ui PRIVATE WATTLEX_WEB_SITE="${WATTLEX_WEB_SITE}")
target_link_libraries(wattlex_ui PUBLIC
  wattlex_kit wattlex_plot wattlex_link wattlex_config Qwt::Qwt Qt5::Widgets)

add_executable(wattlex ${CMAKE_CURRENT_LIST_DIR}/main.cpp)
set_target_properties(wattlex PROPERTIES AUTOUIC OFF
  # beside the user guides, which the Help menu looks for there
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_link_libraries(wattlex PRIVATE wattlex_ui wattlex_resources)
install(TARGETS wattlex RUNTIME DESTINATION bin)
if(TARGET wattlex_dialogs)
  target_link_libraries(wattlex_ui PUBLIC wattlex_dialogs)
endif()
