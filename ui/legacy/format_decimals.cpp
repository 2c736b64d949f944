#include "format_decimals.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

// 6 significant digits written out in full: 1e6 is "1000000" and 1e-5
// "0.00001", so a cut at the dot never lands inside an exponent.
QString six_digits_fixed(double value)
{
    const double rounded = QString::number(value, 'g', 6).toDouble();
    if (rounded == 0.0)
        return QStringLiteral("0");
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(rounded))));
    QString text = QString::number(rounded, 'f', std::max(0, 5 - exponent));
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
    }
    return text;
}

QString two_digits(qint64 part)
{
    return QStringLiteral("%1").arg(part, 2, 10, QLatin1Char('0'));
}

} // namespace

QString format_decimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value, 'g', 6);
    QString text = six_digits_fixed(value);
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        if (decimals > 0)
            text += QLatin1Char('.') + QString(decimals, QLatin1Char('0'));
        return text;
    }
    if (decimals <= 0)
        return text.left(dot);
    const int target = dot + 1 + decimals;
    if (text.size() < target)
        text += QString(target - text.size(), QLatin1Char('0'));
    else
        text.truncate(target);
    return text;
}

QString format_elapsed_time(double seconds)
{
    // an elapsed time is never negative; the cap keeps the conversion defined
    if (!(seconds > 0))
        seconds = 0;
    const qint64 whole = static_cast<qint64>(std::min(seconds, 9.0e15));
    const qint64 h = whole / 3600;
    const qint64 m = (whole % 3600) / 60;
    const qint64 s = whole % 60;
    return two_digits(h) + QLatin1Char(':') + two_digits(m) + QLatin1Char(':') + two_digits(s);
}
