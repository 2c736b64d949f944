#ifndef FORMAT_DECIMALS_H
#define FORMAT_DECIMALS_H

#include <QString>

// The value to 6 significant digits in fixed-point form, then cut (not
// rounded) or padded with zeros to exactly `decimals` places; 0 or fewer
// decimals leave a whole number without a dot, and so do six digits of a
// value with a fraction that reach no place after the point. Never an
// exponent form.
QString format_decimals(double value, int decimals);

// Whole seconds as h:mm:ss with at least two digits a part ("100:00:00").
QString format_elapsed_time(double seconds);

#endif
