#include "Get_data_thread.h"
#include "thread_order.h"

#include "config/uiPara.h"
#include "device/visa_session.h"

#include <QDebug>

Get_data_thread::Get_data_thread(QObject *parent) : QThread(parent) {}

Get_data_thread::~Get_data_thread()
{
    stop_flag = 1;
    thread_order::wait(this);
}

QString Get_data_thread::settings_text() const
{
    std::lock_guard<std::mutex> lock(text_mutex);
    return text;
}

void Get_data_thread::run()
{
    thread_order::end_of_run end(this);
    // The store follows the load's settings but not every function change:
    // the function, the mode and the external control are asked of the load
    // itself (a function selected on another page has put its external
    // control back to INT). Without an answer the store's last known ones
    // are saved.
    const QList<QString> queries = {QStringLiteral("FUNC:MODE?"), QStringLiteral("FUNC?"),
                                    QStringLiteral("FUNC:TRAN?"), QStringLiteral("EXT:MODE?")};
    QList<QString> replies;
    if (!scpi.exchange_lists(&g_visa_session, QList<QString>{QString(), QString(), QString(), QString()}, queries,
                             &replies)
        || replies.size() != queries.size()
        || !uiPara::instance()->set_function_by_words(replies[0].trimmed(), replies[1].trimmed(),
                                                      replies[2].trimmed(), replies[3].trimmed()))
        qDebug() << "Get_data_thread::run: the load's function is not known:" << replies;

    const QString built = uiPara::instance()->to_settings_text();
    {
        std::lock_guard<std::mutex> lock(text_mutex);
        text = built;
    }
    thread_order::before_post();
    emit send_end();
}
