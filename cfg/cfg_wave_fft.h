// Radix-2 FFT and the 16-bit-scaled spectrum in decibels.
#ifndef WATTLEX_CFG_WAVE_FFT_H
#define WATTLEX_CFG_WAVE_FFT_H

// In-place transform of re/im (n values each); direction 1 is forward,
// -1 inverse (scaled by 1/n). mag receives the magnitudes. n must be a
// power of two; other lengths are refused with -1 and nothing changes.
// Returns 0 when done.
int fft(double *re, double *im, double *mag, int n, int direction);

// fft for direction 1 or -1 only; other directions are refused (-1).
int fft_checked(double *re, double *im, double *mag, int n, int direction);

// Swaps element i with element i + n/2 for every i < n/2.
void fft_shift(double *values, int n);

// Forward fft, shifted magnitudes in dB relative to the peak, moved up so
// the lowest is 0 and scaled so the peak is 32767. Bins of magnitude 0 give
// 0; an all-zero input gives all zeros. Returns n, or -1 when fft refuses n.
int fft_db(double *re, double *im, double *mag, int n);

#endif
