# Instrument link sources (cfg/ part); the library is defined here.
