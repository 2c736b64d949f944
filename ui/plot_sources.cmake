# Trend plot widget, scale draws, picker and resampler; the library is defined here.
