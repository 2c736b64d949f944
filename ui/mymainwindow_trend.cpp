// Trend view of the display page: sample series, time windows, redraw,
// statistics and axis controls.
#include "mymainwindow.h"

void MyMainWindow::display_data(double cc, double cv, double cr, double cp, int start, int load)
{
    Q_UNUSED(cc);
    Q_UNUSED(cv);
    Q_UNUSED(cr);
    Q_UNUSED(cp);
    Q_UNUSED(start);
    Q_UNUSED(load);
}
