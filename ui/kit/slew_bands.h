// The load takes a slew rate in one of two bands per current range (below
// and above 0.01 A/us in the low range, 0.1 A/us in the high one); the rise
// and fall of one setting should lie in the same band.
#ifndef SLEW_BANDS_H
#define SLEW_BANDS_H

namespace slew_bands {

double edge(bool low_current_range);
// True when one rate is below the edge and the other above it (a rate on
// the edge is in both).
bool straddle(double edge, double a, double b);

} // namespace slew_bands

#endif
