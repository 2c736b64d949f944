#include "page_links.h"

#include "reply_numbers.h"

#include <QObject>

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

} // namespace page_links
