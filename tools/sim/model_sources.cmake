# Sources of the simulated load's instrument model (parser and state).
set(WATTLEX_SIM_MODEL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/sim_instrument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_block_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_engine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_error_queue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_list_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_prog_run.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_source.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_sweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/model_transient.cpp
)

# Plain C++17, no Qt: the VXI-11 server and the unit tests link it.
add_library(wattlex_sim_model STATIC ${WATTLEX_SIM_MODEL_SOURCES})
target_include_directories(wattlex_sim_model PUBLIC ${CMAKE_CURRENT_LIST_DIR})
set_target_properties(wattlex_sim_model PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
