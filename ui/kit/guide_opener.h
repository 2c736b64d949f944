#ifndef GUIDE_OPENER_H
#define GUIDE_OPENER_H

#include <QString>

#include <functional>

// Opens a user guide (a .chm file) in a viewer; false when none could be
// started. On Linux the desktop's handler is not asked: it reports success
// whether or not anything can show the file, so the known viewers are
// started directly. A test replaces the opener instead of starting a viewer.
using wattlex_guide_fn = std::function<bool(const QString& path)>;

bool wattlex_open_guide(const QString& path);

// Replace the opener; an empty function restores the real one.
void wattlex_set_guide_hook(wattlex_guide_fn fn);

#endif
