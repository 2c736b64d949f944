// Status line, message boxes and the item helpers of the panels.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "cfg_thread_t.h"
#include "custom_messagebox.h"
#include "uiPara.h"
#include "window_place.h"

#include <QBrush>
#include <QDebug>
#include <QIcon>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>

namespace {
QLabel* make_sbar_label(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    // The window's style sheet styles the status labels by this name.
    label->setObjectName(QStringLiteral("sbar_label"));
    return label;
}
} // namespace

void MyMainWindow::init_status_bar()
{
    QStatusBar* bar = ui->statusBar;
    sbar_run_state = make_sbar_label(bar, QString());
    bar->addWidget(sbar_run_state, 1);
    sbar_alarm = make_sbar_label(bar, QString());
    sbar_alarm->setStyleSheet(QStringLiteral("color: rgb(255, 70, 70);"));
    bar->addWidget(sbar_alarm);

    sbar_trig = make_sbar_label(bar, QString());
    sbar_aver = make_sbar_label(bar, QString());
    sbar_sense = make_sbar_label(bar, tr("Sense"));
    sbar_sof = make_sbar_label(bar, tr("SOF"));
    sbar_vol = make_sbar_label(bar, tr("Von Latch"));
    sbar_ext_sw = make_sbar_label(bar, tr("Ext Input"));
    sbar_imon = make_sbar_label(bar, tr("IMON"));
    sbar_vmon = make_sbar_label(bar, tr("VMON"));
    sbar_tmon = make_sbar_label(bar, tr("TMON"));
    sbar_iprotect = make_sbar_label(bar, tr("I Protect"));
    sbar_pprotect = make_sbar_label(bar, tr("P Protect"));
    sbar_short = make_sbar_label(bar, tr("Short"));
    for (QLabel* l : {sbar_trig, sbar_aver, sbar_sense, sbar_sof, sbar_vol, sbar_ext_sw, sbar_imon,
                      sbar_vmon, sbar_tmon, sbar_iprotect, sbar_pprotect, sbar_short}) {
        l->setContentsMargins(6, 0, 6, 0);
        bar->addPermanentWidget(l);
    }

    // Start from what the store holds until a load reports its own state.
    uiPara* para = uiPara::instance();
    update_trig_state(para->get_utility_trig());
    update_aver_state(para->get_utility_aver());
    update_sense_state(para->get_utility_vrmt());
    update_sof_state(para->get_utility_sof());
    update_vol_state(para->get_utility_vol());
    update_ext_sw_state(para->get_utility_ext_sw());
    update_imon_state(para->get_utility_imon());
    update_vmon_state(para->get_utility_vmon());
    update_tmon_state(para->get_utility_tmon());
    update_iprotect_state(para->get_utility_i_protect());
    update_pprotect_state(para->get_utility_p_protect());
    update_short_state(false);
}

void MyMainWindow::update_running_state(int state, int step, int kind)
{
    if (kind == 3) {
        const int count = uiPara::instance()->get_list_step();
        if (step > count)
            return;
        const QString head = state == 2 ? tr("List state:Stop ") : tr("List state:Running ");
        sbar_run_state->setText(head + QString::number(step) + QStringLiteral("/") + QString::number(count));
        set_list_run_shown(state != 2);
    } else if (kind == 4) {
        set_list_run_shown(false);
        QString head;
        if (state == 1)
            head = tr("Program state:Pause ");
        else if (state == 2) {
            head = tr("Program state:Stop ");
            // The program has ended: no step runs any more.
            unmark_running_step(ui->tableWidget_Prog);
        }
        else
            head = tr("Program state:Running ");
        sbar_run_state->setText(head + QString::number(step));
    }
}

void MyMainWindow::update_state_vis(bool show, int kind)
{
    if (show)
        update_running_state(2, 0, kind);
    else
        sbar_run_state->clear();
    set_list_run_shown(false);
    // No run is followed from here on (another page, or the session's end):
    // no step stays marked as the running one.
    unmark_running_step(ui->tableWidget_List);
    unmark_running_step(ui->tableWidget_Prog);
}

void MyMainWindow::mark_running_step(QTableWidget* table, int rows, int running_row, const QColor& mark)
{
    const QColor normal(enabled_colour);
    for (int row = 0; row < rows; ++row) {
        if (QTableWidgetItem* item = table->item(row, 0))
            item->setForeground(QBrush(normal));
    }
    // Only a step the table shows is marked.
    if (running_row < 0 || running_row >= rows)
        return;
    if (QTableWidgetItem* item = table->item(running_row, 0))
        item->setForeground(QBrush(mark));
}

void MyMainWindow::unmark_running_step(QTableWidget* table)
{
    mark_running_step(table, table->rowCount(), -1, QColor());
}

void MyMainWindow::update_trig_state(int source)
{
    const QString words[] = {tr("Manual"), tr("External"), tr("Bus")};
    const QString word = source >= 0 && source < 3 ? words[source] : QString();
    sbar_trig->setText(tr("Trig:") + word);
}

void MyMainWindow::update_aver_state(int index)
{
    // The store keeps the averaging index; the load averages 2^(index + 6) samples.
    sbar_aver->setText(tr("Average:") + QStringLiteral("2^") + QString::number(index + 6));
}

void MyMainWindow::update_sense_state(bool on) { sbar_sense->setEnabled(on); }
void MyMainWindow::update_sof_state(bool on) { sbar_sof->setEnabled(on); }
void MyMainWindow::update_vol_state(bool on) { sbar_vol->setEnabled(on); }
void MyMainWindow::update_ext_sw_state(bool on) { sbar_ext_sw->setEnabled(on); }
void MyMainWindow::update_imon_state(bool on) { sbar_imon->setEnabled(on); }
void MyMainWindow::update_vmon_state(bool on) { sbar_vmon->setEnabled(on); }
void MyMainWindow::update_tmon_state(bool on) { sbar_tmon->setEnabled(on); }
void MyMainWindow::update_short_state(bool on)
{
    short_on = on;
    sbar_short->setEnabled(on);
}

namespace {

// The load's alarm bits ("TEST:STAT?") and their texts.
struct alarm_bit_t {
    int bit;
    const char* text;
};
const alarm_bit_t alarm_bit_texts[] = {
    {0x0200, QT_TRANSLATE_NOOP("MyMainWindow", "Over the protect power !")},
    {0x0400, QT_TRANSLATE_NOOP("MyMainWindow", "Over the protect current !")},
    {0x0800, QT_TRANSLATE_NOOP("MyMainWindow", "Positive and negative pole reversal !")},
    {0x1000, QT_TRANSLATE_NOOP("MyMainWindow", "Over voltage !")},
    {0x2000, QT_TRANSLATE_NOOP("MyMainWindow", "Over temperature !")},
    {0x4000, QT_TRANSLATE_NOOP("MyMainWindow", "Over power !")},
    {0x8000, QT_TRANSLATE_NOOP("MyMainWindow", "Over current !")},
};

// The kinds the alarm and short questions travel with.
const int alarm_query_kind = 183;
const int short_query_kind = 33;

// The alarms of the current and power protections.
const int iprotect_alarm = 0x0400;
const int pprotect_alarm = 0x0200;

} // namespace

// A protection switched off no longer explains an input that went off.
void MyMainWindow::update_iprotect_state(bool on)
{
    sbar_iprotect->setEnabled(on);
    if (!on)
        clear_alarms(iprotect_alarm);
}

void MyMainWindow::update_pprotect_state(bool on)
{
    sbar_pprotect->setEnabled(on);
    if (!on)
        clear_alarms(pprotect_alarm);
}

void MyMainWindow::follow_input_state(int input)
{
    if (input == 1) {
        // Switching the input on clears the load's alarms.
        input_seen_on = true;
        show_alarm_bits(0);
        return;
    }
    if (input != 0 || !input_seen_on)
        return;
    input_seen_on = false;
    // A protection that trips switches the input off.
    if (!input_off_asked)
        cfg_thread->add_message_cmd({QStringLiteral("TEST:STAT?")}, alarm_query_kind);
    input_off_asked = false;
}

void MyMainWindow::deal_message_cmd(QList<QString> replies, int kind)
{
    cfg_thread_t::own_posts own(cfg_thread);
    if (replies.isEmpty())
        return;
    if (kind == short_query_kind)
        update_short_state(replies.first().toInt() != 0);
    else
        show_alarm_state(replies.first());
}

// A message question runs before the next posted request and replaces none,
// so a poll or run poll posted meanwhile keeps running.
void MyMainWindow::ask_short_state()
{
    cfg_thread->add_message_cmd({QStringLiteral("SHOR?")}, short_query_kind);
}

void MyMainWindow::show_alarm_state(const QString& reply)
{
    QString digits = reply.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits.remove(0, 2);
    bool ok = false;
    const int bits = digits.toInt(&ok, 16);
    if (!ok) {
        qDebug() << "MyMainWindow::show_alarm_state: not an alarm state:" << reply;
        return;
    }
    show_alarm_bits(bits);
}

void MyMainWindow::clear_alarms(int bits)
{
    show_alarm_bits(alarm_bits & ~bits);
}

void MyMainWindow::show_alarm_bits(int bits)
{
    alarm_bits = bits;
    QStringList texts;
    for (const alarm_bit_t& a : alarm_bit_texts) {
        if (bits & a.bit)
            texts << tr(a.text);
    }
    sbar_alarm->setText(texts.join(QLatin1Char(' ')));
}

void MyMainWindow::show_warning(const QString& text)
{
    QPointer<custom_messagebox> box =
        new custom_messagebox(QMessageBox::Warning, tr("Warning"), text, QMessageBox::Ok, nullptr);
    keep_in_front_of(box, this);
    box->exec();
    delete box.data(); // null when the box deleted itself on close
}

void MyMainWindow::show_wait_prompt(const QString& title, const QString& text, wait_t kind)
{
    // While a settings transfer holds the load, the request another wait
    // would wait for was refused: its prompt would never close, and it must
    // not replace the transfer's. A transfer that waits for a connection's
    // read-back keeps its prompt over that read-back too.
    if (kind != wait_t::settings && transfer_stage() != transfer_t::none)
        return;
    // One prompt at a time: a new wait replaces an old one.
    close_wait_prompt();
    // No buttons: the user cannot close it; the reply that ends the wait does.
    QPointer<custom_messagebox> box = new custom_messagebox(QMessageBox::Warning, title, text,
                                                            QMessageBox::NoButton, nullptr, Qt::Dialog);
    box->setWindowIcon(QIcon(QStringLiteral(":/resource/lion.jpg")));
    keep_in_front_of(box, this);
    wait_prompt = box;
    wait_prompt_kind = kind;
    box->exec();
    if (box) {
        if (wait_prompt == box)
            wait_prompt.clear();
        delete box.data();
    }
}

void MyMainWindow::close_wait_prompt(wait_t kind)
{
    if (wait_prompt && wait_prompt_kind == kind)
        close_wait_prompt();
}

void MyMainWindow::close_wait_prompt()
{
    if (!wait_prompt)
        return;
    custom_messagebox* box = wait_prompt.data();
    wait_prompt.clear();
    // Ends the prompt's modal loop; show_wait_prompt then returns.
    delete box;
}

void MyMainWindow::set_items_color(QWidget* first, QWidget* box, QWidget* unit, bool enabled)
{
    const QString style = QStringLiteral("color:") + (enabled ? enabled_colour : disabled_colour);
    for (QWidget* w : {first, box, unit}) {
        if (w)
            w->setStyleSheet(style);
    }
    if (box)
        box->setEnabled(enabled);
}

void MyMainWindow::set_items_color_2(QWidget* first, QWidget* box, QWidget* unit, bool enabled)
{
    set_items_color(first, box, unit, enabled);
}

void MyMainWindow::show_items_2(QLabel* name, QWidget* box, QLabel* unit, bool show,
                                const QString& name_text, const QString& unit_text)
{
    for (QWidget* w : {static_cast<QWidget*>(name), box, static_cast<QWidget*>(unit)}) {
        if (w)
            w->setVisible(show);
    }
    if (!show)
        return;
    if (name)
        name->setText(name_text);
    if (unit)
        unit->setText(unit_text);
}
