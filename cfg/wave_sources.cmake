# Waveform data library; the library is defined here.
set(WATTLEX_WAVE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/cfg_if_wv_t.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_if_wv_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_file.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_bin_main_t.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_bin_main_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_csv_main_t.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_csv_main_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_dat_main_t.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_dat_main_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_conv_t.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_conv_t.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_fft.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_fft.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_units.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_units.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_samples.h
  ${CMAKE_CURRENT_LIST_DIR}/cfg_wave_samples.cpp
)

function(wattlex_wave_library name)
  add_library(${name} STATIC ${WATTLEX_WAVE_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_SOURCE_DIR})
  # The instrument link provides the VISA resource search of cfg_if_wv_t.
  target_link_libraries(${name} PUBLIC Qt5::Core PRIVATE wattlex_link)
  set_target_properties(${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

wattlex_wave_library(wattlex_wave)

# The fuzz targets need the readers built with coverage instrumentation.
if(WATTLEX_BUILD_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  wattlex_wave_library(wattlex_wave_fuzz)
  target_compile_options(wattlex_wave_fuzz PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
endif()
