// Operations on sample vectors: peak-keeping decimation, resampling,
// rotation, reversal, negation, linear stretching and 16-bit scaling.
// Functions that fill an output vector clear it first unless said otherwise.
#ifndef WATTLEX_CFG_WAVE_SAMPLES_H
#define WATTLEX_CFG_WAVE_SAMPLES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Sizes of the m buckets that n inputs are split into: r/2 buckets of q + 1,
// m - r of q, then r - r/2 of q + 1 (q = n / m, r = n % m). Empty when
// m < 1 or m > n.
std::vector<std::size_t> decimation_buckets(std::size_t n, std::size_t m);

// n inputs to m outputs, each bucket giving the sample beside its steepest
// step. Returns out. With m < 1 nothing is written; with m > n the n inputs
// are copied.
float *decimate_keep_peaks(const float *in, int n, float *out, int m);
// The input itself (no copy) when n <= m, else decimate_keep_peaks.
const float *decimate_keep_peaks_checked(const float *in, int n, float *out, int m);
// The same on vectors, appending to out; 1.
int decimate_keep_peaks(const std::vector<float> &in, std::vector<float> &out, int m);
// Appends a copy of the input when m >= its size; 1.
int decimate_keep_peaks_checked(const std::vector<float> &in, std::vector<float> &out, int m);
// Like decimate_keep_peaks on vectors, but a bucket holding one of the two
// positions (sample indices) gives the sample there. When both fall into one
// bucket both are given and the next bucket (for the last bucket, the one
// before) is dropped, so the output keeps m values. Appends; copies the
// input when m >= its size; 1.
int decimate_keep_markers(const std::vector<float> &in, std::vector<float> &out, double position1,
                          double position2, int m);

// (minimum, maximum) of the values other than NaN; (0, 0) when there are none.
std::pair<double, double> min_max_of(const std::vector<float> &values);
float abs_step(float a, float b);
// Removes every occurrence of pattern from text (nothing for an empty pattern).
void erase_all(const std::string &pattern, std::string &text);
// Same size and every pair equal (NaN is equal to nothing).
bool equal_vectors(const std::vector<float> &a, const std::vector<float> &b);

// Samples scaled so that the larger of |max| and |min| maps to 32767,
// truncated toward zero; zeros when both are 0; NaN gives 0. Always 1.
int scale_to_int16(const std::vector<float> &values, float max, float min, std::vector<std::int16_t> &out);

// Exactly target samples at evenly spread positions (every output is one of
// the inputs). 1 (nothing for target < 1 or an empty input); -2 when
// growing out failed (out emptied and released).
int resample_wave_int16(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int target);

// out = in[k..end) followed by in[0..k); 1, or 0 when k is negative or
// beyond the size.
int rotate_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int k);
int rotate_wave(const std::vector<float> &in, std::vector<float> &out, int k);
int reverse_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out);
int reverse_wave(const std::vector<float> &in, std::vector<float> &out);
int negate_wave(const std::vector<float> &in, std::vector<float> &out);

// Stretches n samples to about m by straight lines between neighbours (the
// last one toward the first). 0 (no output for no input); -2 when growing
// out failed (out emptied and released).
int interpolate_wave(const std::vector<std::int16_t> &in, std::vector<std::int16_t> &out, int m);
int interpolate_wave(const std::vector<float> &in, std::vector<float> &out, int m);

#endif
