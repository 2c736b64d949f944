#include "Send_data_thread.h"
#include "thread_order.h"

#include "config/uiPara.h"
#include "device/visa_session.h"

#include <QDebug>
#include <QStringList>

namespace {
// The load refuses range and mode changes while its input is on.
const char input_off_command[] = "INP 0";
} // namespace

Send_data_thread::Send_data_thread(QObject *parent) : QThread(parent) {}

Send_data_thread::~Send_data_thread()
{
    stop_flag = 1;
    thread_order::wait(this);
}

void Send_data_thread::set_settings_text(const QString &t)
{
    std::lock_guard<std::mutex> lock(text_mutex);
    text = t;
}

QString Send_data_thread::settings_text() const
{
    std::lock_guard<std::mutex> lock(text_mutex);
    return text;
}

void Send_data_thread::run()
{
    thread_order::end_of_run end(this);
    written = 0;
    failure = no_failure;

    uiPara *store = uiPara::instance();
    QString why;
    if (!store->from_settings_text(settings_text(), &why)) {
        qDebug() << "Send_data_thread::run: not a settings text:" << why;
        failure = bad_text;
        thread_order::before_post();
        emit send_error();
        return;
    }

    // A text of the older form carries no function: the load keeps its own.
    const bool with_function =
        settings_text().trimmed().count(QLatin1Char(',')) + 1 == uiPara::settings_field_count;
    QStringList commands = store->settings_write_commands(with_function);
    commands.prepend(QString::fromLatin1(input_off_command));
    const int total = commands.size();
    thread_order::before_post();
    emit send_progress(0, total);
    thread_order::after_post();
    for (const QString &cmd : commands) {
        if (stop_flag)
            return;
        if (!scpi.write_or_close(&g_visa_session, cmd.toStdString())) {
            qDebug() << "Send_data_thread::run: write failed:" << cmd;
            failure = link_lost;
            thread_order::before_post();
            emit send_error();
            return;
        }
        ++written;
        thread_order::before_post();
        emit send_progress(written, total);
        thread_order::after_post();
    }
    thread_order::before_post();
    emit send_end();
}
