#include "format_decimals.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>

namespace {

// 6 significant digits written out in full: 1e6 is "1000000" and 1e-5
// "0.00001", so a cut at the dot never lands inside an exponent, and the
// digits past the sixth are zeros, not the double's binary noise.
QString six_digits_fixed(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    // "-1.23457e+06": sign, six digits, exponent
    const QString form = QString::number(value, 'e', 5);
    const int e_at = form.indexOf(QLatin1Char('e'));
    const bool negative = form.startsWith(QLatin1Char('-'));
    QString digits = form.left(e_at).remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    const int exponent = form.mid(e_at + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    const int whole_digits = exponent + 1;
    QString text;
    if (whole_digits >= digits.size())
        text = digits + QString(whole_digits - digits.size(), QLatin1Char('0'));
    else if (whole_digits <= 0)
        text = QStringLiteral("0.") + QString(-whole_digits, QLatin1Char('0')) + digits;
    else
        text = digits.left(whole_digits) + QLatin1Char('.') + digits.mid(whole_digits);
    return negative ? QStringLiteral("-") + text : text;
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
        // Zeros only after a whole value: 123456.7 is "123457", its six
        // digits hold no place after the point to fill.
        if (decimals > 0 && value == std::trunc(value))
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
