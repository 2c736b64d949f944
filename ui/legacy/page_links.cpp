#include "page_links.h"

#include "reply_numbers.h"

#include <QObject>

#include <algorithm>
#include <limits>

namespace page_links {

void make(QObject* receiver, std::initializer_list<link_t> links)
{
    for (const link_t& l : links)
        QObject::connect(l.sender, l.signal, receiver, l.slot, Qt::UniqueConnection);
}

void cut(QObject* receiver, std::initializer_list<QObject*> senders)
{
    for (QObject* s : senders)
        QObject::disconnect(s, nullptr, receiver, nullptr);
}

bool number(const QList<QString>& r, int i, double* out)
{
    if (i < 0 || i >= r.size())
        return false;
    reply_numbers n;
    const double v = n.number(r.at(i));
    if (!n.ok())
        return false;
    *out = v;
    return true;
}

int word(const QList<QString>& r, int i, std::initializer_list<const char*> words)
{
    if (i < 0 || i >= r.size())
        return -1;
    int k = 0;
    for (const char* w : words) {
        if (r.at(i) == QLatin1String(w))
            return k;
        ++k;
    }
    return -1;
}

QString value_text(double v)
{
    return QString::number(v, 'g', 6);
}

int leading_integer(const QString& text)
{
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || (c >= QLatin1Char('\t') && c <= QLatin1Char('\r')); };
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    int i = 0;
    while (i < text.size() && blank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        negative = text.at(i++) == QLatin1Char('-');
    // a number past the int's reach stays at its end instead of wrapping
    const long long cap = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                   : std::numeric_limits<int>::max();
    long long v = 0;
    for (; i < text.size() && digit(text.at(i)); ++i)
        v = std::min(cap, v * 10 + (text.at(i).unicode() - '0'));
    return static_cast<int>(negative ? -v : v);
}

} // namespace page_links
