# Sources of the simulated load's instrument model (parser and state).
set(WATTLEX_SIM_MODEL_SOURCES
)
