#include "guide_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace {

wattlex_guide_fn& guide_hook()
{
    static wattlex_guide_fn fn;
    return fn;
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
// Viewers of .chm files, in order of preference (scripts/deps.sh installs xchm).
const char* const chm_viewers[] = {"xchm", "kchmviewer"};
#endif

} // namespace

bool wattlex_open_guide(const QString& path)
{
    if (guide_hook())
        return guide_hook()(path);
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
#else
    for (const char* viewer : chm_viewers) {
        const QString program = QStandardPaths::findExecutable(QString::fromLatin1(viewer));
        if (!program.isEmpty() && QProcess::startDetached(program, {path}))
            return true;
    }
    return false;
#endif
}

void wattlex_set_guide_hook(wattlex_guide_fn fn)
{
    guide_hook() = std::move(fn);
}
