#include "normalize_ip_address.h"

#include <QStringList>

bool normalize_ip_address(const QString& text, QString* out)
{
    const QStringList parts = text.split(QLatin1Char('.'), Qt::KeepEmptyParts);
    if (parts.size() != 4)
        return false;
    QStringList numbers;
    int first = -1;
    bool all_ones = true;
    for (const QString& part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        const int value = part.toInt();
        if (value > 255)
            return false;
        if (first < 0)
            first = value;
        all_ones = all_ones && value == 255;
        numbers << QString::number(value);
    }
    if (first == 0 || all_ones)
        return false;
    if (out)
        *out = numbers.join(QLatin1Char('.'));
    return true;
}
