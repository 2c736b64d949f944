# Instrument link sources (cfg/ part); the library is defined here.
set(WATTLEX_DEVICE_DIR ${CMAKE_CURRENT_SOURCE_DIR}/../device)
add_library(wattlex_link STATIC
  ${WATTLEX_DEVICE_DIR}/sys_timing.h
  ${WATTLEX_DEVICE_DIR}/visa_session.h
  ${WATTLEX_DEVICE_DIR}/visa_session.cpp
  ${WATTLEX_DEVICE_DIR}/visa_open_lock_t.h
  ${WATTLEX_DEVICE_DIR}/visa_open_lock_t.cpp
  ${WATTLEX_DEVICE_DIR}/drv_device_info_t.h
  ${WATTLEX_DEVICE_DIR}/drv_device_info_t.cpp
  ${WATTLEX_DEVICE_DIR}/drv_device_comm_t.h
  ${WATTLEX_DEVICE_DIR}/drv_device_comm_t.cpp
  ${WATTLEX_DEVICE_DIR}/drv_device_t.h
  ${WATTLEX_DEVICE_DIR}/drv_device_t.cpp
  cfg_request_t.h
  cfg_if_scpi_t.h
  cfg_if_scpi_t.cpp
  cfg_thread_t.h
  cfg_thread_t.cpp
  thread_order.h
  thread_order.cpp
  Get_configure_value.h
  Get_configure_value.cpp
  Get_data_thread.h
  Get_data_thread.cpp
  Send_data_thread.h
  Send_data_thread.cpp
  Get_display_data.h
  Get_display_data.cpp
  SCPI_write_and_read.h
  SCPI_write_and_read.cpp
)
target_include_directories(wattlex_link PUBLIC
  ${CMAKE_SOURCE_DIR}
  ${CMAKE_CURRENT_SOURCE_DIR}
  ${WATTLEX_DEVICE_DIR})
target_link_libraries(wattlex_link PUBLIC
  Qt5::Core Qt5::Widgets wattlex_visa wattlex_config Threads::Threads)
