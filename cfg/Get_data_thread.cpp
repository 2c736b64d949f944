#include "Get_data_thread.h"
#include "thread_order.h"

#include "config/uiPara.h"

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
    const QString built = uiPara::instance()->to_settings_text();
    {
        std::lock_guard<std::mutex> lock(text_mutex);
        text = built;
    }
    thread_order::before_post();
    emit send_end();
}
