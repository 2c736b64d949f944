#include "slew_bands.h"

namespace slew_bands {

double edge(bool low_current_range)
{
    return low_current_range ? 0.01 : 0.1;
}

bool straddle(double edge, double a, double b)
{
    return (b < edge && a > edge) || (b > edge && a < edge);
}

} // namespace slew_bands
