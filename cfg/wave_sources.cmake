# Waveform data library; the library is defined here.
