// Replies that end an exchange started elsewhere: the program read-back
// after an import, and the utility settings dialog's OK.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QDebug>

#include <iterator>

namespace {

// Replies of the program read-back (operation 14's queries).
constexpr int prog_recall_count = 14;

// The store links the program table follows (the step count and the
// per-step signals).
bool is_prog_link(const char* signal)
{
    // SIGNAL() texts start with the method code.
    return qstrncmp(signal + 1, "sig_prog_", 9) == 0 || qstrncmp(signal + 1, "sig_program_step", 16) == 0;
}

void set_prog_links(MyMainWindow* w, bool connected)
{
    uiPara* para = uiPara::instance();
    for (const MyMainWindow::para_link_t& link : MyMainWindow::para_links()) {
        if (!is_prog_link(link.signal))
            continue;
        QObject::disconnect(para, link.signal, w, link.slot);
        if (connected)
            QObject::connect(para, link.signal, w, link.slot);
    }
}

} // namespace

void MyMainWindow::deal_prog_recall(QList<QString> replies, QList<QWidget*>)
{
    if (replies.size() < prog_recall_count) {
        qDebug() << "MyMainWindow::deal_prog_recall: short reply," << replies.size() << "of" << prog_recall_count
                 << "replies; ignored";
        close_wait_prompt(wait_t::prog_recall);
        return;
    }
    // Thirteen whole lists: the table is refilled once at the end instead
    // of once per cell.
    set_prog_links(this, false);
    uiPara* p = uiPara::instance();
    // Plain functions rather than member pointers: GCC's bounds sanitizer
    // checks a call through an indexed member-pointer table with an index
    // it never set, and aborts.
    using list_setter = void (*)(uiPara*, const QStringList&);
    static const list_setter setters[] = {
        [](uiPara* q, const QStringList& v) { q->set_prog_pause(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_mode(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_irange(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_vrange(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_short(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_ton(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_toff(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_tdly(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_min(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_max(v); },
        // The load has no query for a step's LED voltage: it is the level.
        [](uiPara* q, const QStringList& v) { q->set_prog_set(v); q->set_prog_vo(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_io(v); },
        [](uiPara* q, const QStringList& v) { q->set_prog_rco(v); },
    };
    constexpr int list_count = prog_recall_count - 1;
    static_assert(std::size(setters) == list_count, "one list reply per setter, then the step count");
    for (int i = 0; i < list_count; ++i)
        setters[i](p, replies[i].split(QLatin1Char(','), Qt::KeepEmptyParts));
    p->set_program_step(replies[list_count].toInt());
    set_prog_links(this, true);
    update_prog_step(p->get_program_step());
    close_wait_prompt(wait_t::prog_recall);
}

void MyMainWindow::deal_utility_button_value(QList<QString> replies)
{
    if (pending_utility_a) {
        if (replies.isEmpty()) {
            qDebug() << "MyMainWindow::deal_utility_button_value: no time-test reply; ignored";
        } else {
            const int t = replies[0].toInt();
            const bool basic = mode_page == 0;
            if (t == 1 && basic && !is_dynamic && !is_led) {
                time_test_flag = true;
                ui->label_Ext->show();
                ui->label_Ext_Set->show();
            } else if (t == 1 && basic) {
                time_test_flag = false;
                ui->label_Ext->hide();
                ui->label_Ext_Set->hide();
            } else {
                time_test_flag = false;
                // The External page shows the labels for its own readings.
                if (mode_page != 5) {
                    ui->label_Ext->hide();
                    ui->label_Ext_Set->hide();
                }
            }
        }
    }
    // Read every utility setting back (the reply goes to deal_utility_value).
    const QList<QString> queries = {
        QStringLiteral("SYST:SENS?"), QStringLiteral("STOP:ON:FAIL?"), QStringLiteral("VOLT:LATCh?"),
        QStringLiteral("SENS:AVER:COUN?"), QStringLiteral("VOLT:ON?"), QStringLiteral("TRIG:SOUR?"),
        QStringLiteral("EXT:INP?"), QStringLiteral("SYST:IMONI:STAT?"), QStringLiteral("SYST:VMONI:STAT?"),
        QStringLiteral("TIME:TEST?"), QStringLiteral("TIME:TEST:VOLT:LOW?"), QStringLiteral("TIME:TEST:VOLT:HIGH?"),
        QStringLiteral("CURR:PROT:STAT?"), QStringLiteral("CURR:PROT:LEV?"), QStringLiteral("CURR:PROT:DEL?"),
        QStringLiteral("POW:PROT:STAT?"), QStringLiteral("POW:PROT:LEV?"), QStringLiteral("POW:PROT:DEL?"),
    };
    QList<QString> writes;
    for (int i = 0; i < queries.size(); ++i)
        writes << QString();
    cfg_thread->add_request(9, writes, queries, QList<QWidget*>(), false, 0, false, QByteArray());
}
