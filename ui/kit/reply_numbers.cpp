#include "reply_numbers.h"

int reply_numbers::integer(const QString& text)
{
    bool good = false;
    const int v = text.trimmed().toInt(&good);
    ok_ = ok_ && good;
    return good ? v : 0;
}

double reply_numbers::number(const QString& text)
{
    bool good = false;
    const double v = text.trimmed().toDouble(&good);
    ok_ = ok_ && good;
    return good ? v : 0.0;
}
