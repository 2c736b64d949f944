#include "sim_process.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <sys/types.h>

namespace {
const int ready_timeout_ms = 10000;

int hex_digit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// True when no thread of `pid` can run: each is stopped, or has ended.
bool all_threads_stopped(qint64 pid)
{
    const QString tasks = QStringLiteral("/proc/%1/task/").arg(pid);
    const QStringList tids = QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (tids.isEmpty())
        return false;
    for (const QString &tid : tids) {
        QFile f(tasks + tid + QStringLiteral("/stat"));
        if (!f.open(QIODevice::ReadOnly)) {
            if (QFileInfo::exists(tasks + tid))
                return false;
            continue; // ended meanwhile
        }
        // "<tid> (<name>) <state> ...": the name may hold ") " itself.
        const QByteArray stat = f.readAll();
        const int name_end = stat.lastIndexOf(')');
        if (name_end < 0 || name_end + 2 >= stat.size())
            return false;
        if (!QByteArray("TtZX").contains(stat.at(name_end + 2)))
            return false;
    }
    return true;
}
} // namespace

sim_process::sim_process() = default;

sim_process::~sim_process()
{
    stop();
}

QString sim_process::resource()
{
    return QStringLiteral("TCPIP0::127.0.0.1::INSTR");
}

QString sim_process::log_path() const
{
    return dir_.filePath(QStringLiteral("sim.log"));
}

bool sim_process::running() const
{
    return proc_.state() == QProcess::Running;
}

bool sim_process::start(const QStringList &extra_args)
{
    error_.clear();
    core_port_ = 0;
    if (running()) {
        error_ = QStringLiteral("already running");
        return false;
    }
    frozen_ = false;
    const QString program = qEnvironmentVariable("WATTLEX_SIM");
    if (program.isEmpty()) {
        error_ = QStringLiteral("WATTLEX_SIM is not set");
        return false;
    }
    if (!dir_.isValid()) {
        error_ = QStringLiteral("no temporary folder for the log");
        return false;
    }
    QString pm_port = qEnvironmentVariable("WATTLEX_PORTMAP_PORT");
    if (pm_port.isEmpty())
        pm_port = QStringLiteral("111");
    QStringList args{QStringLiteral("--address"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("--portmap-port"), pm_port,
                     QStringLiteral("--log"), log_path()};
    args += extra_args;
    proc_.setProcessChannelMode(QProcess::SeparateChannels);
    proc_.start(program, args);
    if (!proc_.waitForStarted(ready_timeout_ms)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(program, proc_.errorString());
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    QByteArray out;
    static const QRegularExpression ready(QStringLiteral("^ready (\\d+)$"));
    while (timer.elapsed() < ready_timeout_ms) {
        if (proc_.canReadLine() || proc_.waitForReadyRead(100)) {
            while (proc_.canReadLine()) {
                const QString line = QString::fromLatin1(proc_.readLine()).trimmed();
                const QRegularExpressionMatch m = ready.match(line);
                if (m.hasMatch()) {
                    core_port_ = static_cast<quint16>(m.captured(1).toUInt());
                    return true;
                }
            }
        }
        if (proc_.state() != QProcess::Running)
            break;
    }
    error_ = QStringLiteral("the simulated load did not get ready: %1")
                 .arg(QString::fromLocal8Bit(proc_.readAllStandardError()).trimmed());
    stop();
    return false;
}

void sim_process::stop()
{
    if (proc_.state() == QProcess::NotRunning)
        return;
    if (frozen_)
        thaw(); // a held process leaves SIGTERM pending
    proc_.terminate();
    if (!proc_.waitForFinished(5000)) {
        proc_.kill();
        proc_.waitForFinished(5000);
    }
}

bool sim_process::freeze(int timeout_ms)
{
    if (!running()) {
        error_ = QStringLiteral("the simulated load does not run");
        return false;
    }
    const qint64 pid = proc_.processId();
    if (pid <= 0 || ::kill(static_cast<pid_t>(pid), SIGSTOP) != 0) {
        error_ = QStringLiteral("the simulated load could not be held");
        return false;
    }
    frozen_ = true;
    // The signal is delivered to one thread, which then stops the others:
    // on a busy machine that takes a while.
    QElapsedTimer timer;
    timer.start();
    while (!all_threads_stopped(pid)) {
        if (timer.elapsed() > timeout_ms) {
            error_ = QStringLiteral("the simulated load did not stop within %1 ms").arg(timeout_ms);
            return false;
        }
        QThread::usleep(200);
    }
    return true;
}

bool sim_process::thaw()
{
    frozen_ = false;
    const qint64 pid = proc_.processId();
    if (!running() || pid <= 0 || ::kill(static_cast<pid_t>(pid), SIGCONT) != 0) {
        error_ = QStringLiteral("the simulated load could not be resumed");
        return false;
    }
    return true;
}

bool sim_process::restart(const QStringList &extra_args)
{
    stop();
    return start(extra_args);
}

QStringList sim_process::log_lines() const
{
    QFile f(log_path());
    QStringList lines;
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    if (!f.seek(log_offset_))
        return lines;
    const QList<QByteArray> raw = f.readAll().split('\n');
    for (const QByteArray &l : raw)
        if (!l.isEmpty())
            lines << QString::fromLatin1(l.constData(), l.size());
    return lines;
}

QString sim_process::state_text(int lines) const
{
    const QStringList log = log_lines();
    return QStringLiteral("the simulated load %1; its last log lines: %2")
        .arg(running() ? (frozen_ ? QStringLiteral("is held") : QStringLiteral("runs")) : QStringLiteral("has ended"),
             log.mid(qMax(0, log.size() - lines)).join(QStringLiteral(" | ")));
}

QList<QByteArray> sim_process::received_raw() const
{
    // "<ms> RX <link> <payload>"; the payload keeps its leading blanks
    static const QRegularExpression rx(QStringLiteral("^\\d+ RX \\d+ (.*)$"));
    QList<QByteArray> out;
    for (const QString &line : log_lines()) {
        const QRegularExpressionMatch m = rx.match(line);
        if (m.hasMatch())
            out << unescape(m.captured(1).toLatin1());
    }
    return out;
}

QStringList sim_process::received() const
{
    QStringList out;
    // with the size: the QByteArray overload would stop at a zero byte
    for (const QByteArray &b : received_raw())
        out << QString::fromLatin1(b.constData(), b.size());
    return out;
}

void sim_process::clear_log()
{
    QFile f(log_path());
    log_offset_ = f.exists() ? f.size() : 0;
}

QByteArray sim_process::unescape(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\' || i + 1 >= text.size()) {
            out += c;
            continue;
        }
        const char e = text[++i];
        switch (e) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'x':
            if (i + 2 < text.size() && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
                out += static_cast<char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2]));
                i += 2;
            } else {
                out += "\\x";
            }
            break;
        default: out += e; break; // "\\" and anything unexpected
        }
    }
    return out;
}
