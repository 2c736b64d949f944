// The older window's page boxes by name, what each shows, and every box of
// a page with a value of its own as the load may hold it (for the page
// tests against the simulated load and the reply tests without one).
#ifndef LEGACY_PAGE_BOXES_H
#define LEGACY_PAGE_BOXES_H

#include <QString>
#include <QStringList>

#include <vector>

class MainWindow;
class QWidget;

// The widget a box name ("cc_current_spin", "batt_stop_spins[1]") stands for.
QWidget* page_control(MainWindow* w, const QString& name);
// Every box name, in order.
QStringList page_control_names();

// Every box of a page with a value of its own: what the load is told (ranges
// first, as it checks levels against them) and what each box shows once the
// page is read. A box that shows a neighbour's value shows it here.
struct page_fill_t
{
    const char* page;
    QStringList load;
    QStringList boxes; // control=shown
};
const std::vector<page_fill_t>& page_fills();
const page_fill_t& fill_of(const QString& page);

// What the widget shows, in the form the expectations are written in: a
// radio "A" or "B", a spin box its value, a combo box its index.
QString shown(QWidget* control);
// What every box of the page shows ("control=shown"), all but `except`.
QStringList page_shows(MainWindow* w, const QString& page, const QString& except = QString());

#endif
