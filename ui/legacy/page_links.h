// The pages' small shared pieces: a page's connections as a table, and the
// checked reading of a reply (a garbled or missing reply changes nothing).
#ifndef LEGACY_PAGE_LINKS_H
#define LEGACY_PAGE_LINKS_H

#include <QList>
#include <QString>

#include <initializer_list>

class QObject;

namespace page_links {

struct link_t
{
    QObject* sender;
    const char* signal; // SIGNAL(...) text
    const char* slot;   // SLOT(...) text
};

// Made once each: the limit boxes are shared by every page and the window.
void make(QObject* receiver, std::initializer_list<link_t> links);
void cut(QObject* receiver, std::initializer_list<QObject*> senders);

// Reply i as a number; false (and *out untouched) when missing or not a number.
bool number(const QList<QString>& r, int i, double* out);
// Index of reply i among `words` (exact, with the line end); -1 otherwise.
int word(const QList<QString>& r, int i, std::initializer_list<const char*> words);
// A value as the load takes it.
QString value_text(double v);
// A whole number read as C's atoi reads it: white space skipped, a sign,
// the digits up to the first other character; 0 when there are none.
// "12.9" is 12 and "12mAh" is 12.
int leading_integer(const QString& text);

} // namespace page_links

#endif
