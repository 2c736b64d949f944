#include "utilitySetting.h"

#include "ui_utilitysetting.h"

#include "MyDoubleSpinBox.h"
#include "cfg_thread_t.h"
#include "uiPara.h"

#include <QByteArray>
#include <QDebug>

namespace {

enum class row_kind { check, group, trig, aver, value, none };

// One row per control, in the order OK sends them.
struct row_t
{
    const char* control;  // object name in the form
    row_kind kind;
    const char* on;       // switches: command when on
    const char* off;      // switches: command when off
    const char* prefix;   // trigger, averaging and values: text before the value
    const char* query;    // read after the command ("" = write only)
};

const row_t rows[utilitySetting::row_count] = {
    {"checkBox_Vrmt", row_kind::check, "SYST:SENS ON", "SYST:SENS OFF", "", ""},
    {"checkBox_SOF", row_kind::check, "STOP:ON:FAIL ON", "STOP:ON:FAIL OFF", "", ""},
    {"checkBox_VOL", row_kind::check, "VOLT:LATCh 1", "VOLT:LATCh 0", "", ""},
    {"checkBox_short_en", row_kind::none, "", "", "", ""},
    {"comboBox_Trig", row_kind::trig, "", "", "TRIG:SOUR ", ""},
    {"comboBox_Aver", row_kind::aver, "", "", "SENS:AVER:COUN ", ""},
    {"doubleSpinBox_Von", row_kind::value, "", "", "VOLT:ON ", ""},
    {"checkBox_ExtSwitch", row_kind::check, "EXT:INP 1", "EXT:INP 0", "", ""},
    {"checkBox_I_M_ON", row_kind::check, "SYST:IMONI:STAT 1", "SYST:IMONI:STAT 0", "", ""},
    {"checkBox_V_M_ON", row_kind::check, "SYST:VMONI:STAT 1", "SYST:VMONI:STAT 0", "", ""},
    {"groupBox_TMon", row_kind::group, "TIME:TEST 1", "TIME:TEST 0", "", "TIME:TEST?"},
    {"doubleSpinBox_V_Low", row_kind::value, "", "", "TIME:TEST:VOLT:LOW ", ""},
    {"doubleSpinBox_V_High", row_kind::value, "", "", "TIME:TEST:VOLT:HIGH ", ""},
    {"groupBox_I_Protect", row_kind::group, "CURR:PROT:STAT ON", "CURR:PROT:STAT OFF", "", ""},
    {"doubleSpinBox_C", row_kind::value, "", "", "CURR:PROT:LEV ", ""},
    {"doubleSpinBox_C_Delay", row_kind::value, "", "", "CURR:PROT:DEL ", ""},
    {"groupBox_P_Protect", row_kind::group, "POW:PROT:STAT ON", "POW:PROT:STAT OFF", "", ""},
    {"doubleSpinBox_P", row_kind::value, "", "", "POW:PROT:LEV ", ""},
    {"doubleSpinBox_P_Delay", row_kind::value, "", "", "POW:PROT:DEL ", ""},
};

// Index of the time-test row; the entries of the rows before it are counted.
const int time_test_row = 10;

// Trigger source words by combo index.
const char* const trig_words[] = {"MANUAL", "EXT", "BUS"};

// Averaging: combo index i is 2^(i + 6) samples.
const int aver_offset = 6;
const int aver_index_max = 8;

// The read-back replies by position.
enum class reply_kind { on, number, aver, trig };
struct reply_t
{
    reply_kind kind;
    void (uiPara::*set_bool)(bool);
    void (uiPara::*set_double)(double);
};

const reply_t replies_table[utilitySetting::read_back_count] = {
    {reply_kind::on, &uiPara::set_utility_vrmt, nullptr},
    {reply_kind::on, &uiPara::set_utility_sof, nullptr},
    {reply_kind::on, &uiPara::set_utility_vol, nullptr},
    {reply_kind::aver, nullptr, nullptr},
    {reply_kind::number, nullptr, &uiPara::set_utility_von},
    {reply_kind::trig, nullptr, nullptr},
    {reply_kind::on, &uiPara::set_utility_ext_sw, nullptr},
    {reply_kind::on, &uiPara::set_utility_imon, nullptr},
    {reply_kind::on, &uiPara::set_utility_vmon, nullptr},
    {reply_kind::on, &uiPara::set_utility_tmon, nullptr},
    {reply_kind::number, nullptr, &uiPara::set_utility_v_low},
    {reply_kind::number, nullptr, &uiPara::set_utility_v_high},
    {reply_kind::on, &uiPara::set_utility_i_protect, nullptr},
    {reply_kind::number, nullptr, &uiPara::set_utility_current},
    {reply_kind::number, nullptr, &uiPara::set_utility_i_delay},
    {reply_kind::on, &uiPara::set_utility_p_protect, nullptr},
    {reply_kind::number, nullptr, &uiPara::set_utility_power},
    {reply_kind::number, nullptr, &uiPara::set_utility_p_delay},
};

// Trigger source replies, exact, by index.
const char* const trig_replies[] = {"MANUAL\n", "EXTERNAL\n", "BUS\n"};

} // namespace

utilitySetting::utilitySetting(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui_utilitySetting)
{
    ui->setupUi(this);
    // A dialog of the main window (its parent): a window manager keeps it in
    // front, so a click on the blocked main window cannot bury it.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFixedSize(width(), height());
}

utilitySetting::~utilitySetting()
{
    delete ui;
}

void utilitySetting::set_command_thread(cfg_thread_t* thread)
{
    m_thread = thread;
}

void utilitySetting::set_connected_probe(std::function<bool()> is_connected)
{
    m_is_connected = std::move(is_connected);
}

void utilitySetting::init_utility_value()
{
    uiPara* para = uiPara::instance();
    ui->checkBox_SOF->setChecked(para->get_utility_sof());
    ui->checkBox_Vrmt->setChecked(para->get_utility_vrmt());
    ui->checkBox_VOL->setChecked(para->get_utility_vol());
    ui->checkBox_short_en->hide();
    // A stored index other than 0 marks the combo box as changed, so OK
    // sends that setting again.
    ui->comboBox_Trig->setCurrentIndex(para->get_utility_trig());
    ui->comboBox_Aver->setCurrentIndex(para->get_utility_aver());
    ui->doubleSpinBox_Von->setValue(para->get_utility_von());
    ui->checkBox_ExtSwitch->setChecked(para->get_utility_ext_sw());
    ui->checkBox_I_M_ON->setChecked(para->get_utility_imon());
    ui->checkBox_V_M_ON->setChecked(para->get_utility_vmon());
    ui->groupBox_TMon->setChecked(para->get_utility_tmon());
    ui->doubleSpinBox_V_Low->setValue(para->get_utility_v_low());
    ui->doubleSpinBox_V_High->setValue(para->get_utility_v_high());
    ui->groupBox_I_Protect->setChecked(para->get_utility_i_protect());
    ui->doubleSpinBox_C->setValue(para->get_utility_current());
    ui->doubleSpinBox_C_Delay->setValue(para->get_utility_i_delay());
    ui->groupBox_P_Protect->setChecked(para->get_utility_p_protect());
    ui->doubleSpinBox_P->setValue(para->get_utility_power());
    ui->doubleSpinBox_P_Delay->setValue(para->get_utility_p_delay());
}

bool utilitySetting::row_changed(int row) const
{
    return row >= 0 && row < row_count && m_changed[row];
}

QWidget* utilitySetting::row_widget(int row) const
{
    return findChild<QWidget*>(QString::fromLatin1(rows[row].control));
}

QString utilitySetting::row_command(int row) const
{
    const row_t& r = rows[row];
    QWidget* w = row_widget(row);
    switch (r.kind) {
    case row_kind::check: {
        const auto* box = qobject_cast<const QCheckBox*>(w);
        return QString::fromLatin1(box && box->checkState() != Qt::Unchecked ? r.on : r.off);
    }
    case row_kind::group: {
        const auto* box = qobject_cast<const QGroupBox*>(w);
        return QString::fromLatin1(box && box->isChecked() ? r.on : r.off);
    }
    case row_kind::trig: {
        const int index = ui->comboBox_Trig->currentIndex();
        if (index < 0 || index > 2)
            return QString();
        return QString::fromLatin1(r.prefix) + QString::fromLatin1(trig_words[index]);
    }
    case row_kind::aver: {
        const int index = ui->comboBox_Aver->currentIndex();
        if (index < 0)
            return QString();
        return QString::fromLatin1(r.prefix) + QString::number(index + aver_offset);
    }
    case row_kind::value: {
        const auto* box = qobject_cast<const QDoubleSpinBox*>(w);
        return box ? QString::fromLatin1(r.prefix) + QString::number(box->value(), 'g', 6) : QString();
    }
    case row_kind::none:
        break;
    }
    return QString();
}

utilitySetting::request_t utilitySetting::build_request() const
{
    request_t req;
    for (int row = 0; row < row_count; ++row) {
        if (!m_changed[row])
            continue;
        const QString command = row_command(row);
        if (command.isEmpty())
            continue;
        req.writes.append(command);
        req.queries.append(QString::fromLatin1(rows[row].query));
        req.widgets.append(row_widget(row));
        if (row < time_test_row)
            ++req.time_test_position;
        else if (row == time_test_row)
            req.time_test_sent = true;
    }
    return req;
}

void utilitySetting::on_pushButton_OK_clicked()
{
    // A value the user typed but a box refused: sending the rest would set
    // the load up half the way the user asked, so nothing goes until the
    // entry is corrected.
    if (typed_entry_t::first_refused(findChildren<MyDoubleSpinBox*>()))
        return;
    if (!m_thread || !m_is_connected || !m_is_connected()) {
        close();
        return;
    }
    const request_t req = build_request();
    // Told before posting, so the reply always finds it.
    emit sig_pending_utility_a(req.time_test_sent, req.time_test_position);
    // Posted even when empty: its answer leads to the read-back, which
    // brings the measurement poll back.
    m_thread->add_request(op_utility_set, req.writes, req.queries, req.widgets, false, 0, false,
                          QByteArray());
    close();
}

void utilitySetting::on_pushButton_Cancel_clicked()
{
    close();
}

bool utilitySetting::store_utility_replies(const QList<QString>& replies)
{
    if (replies.size() < read_back_count) {
        qDebug() << "utilitySetting::store_utility_replies: short reply list," << replies.size() << "of"
                 << read_back_count;
        return false;
    }
    uiPara* para = uiPara::instance();
    for (int i = 0; i < read_back_count; ++i) {
        const reply_t& r = replies_table[i];
        const QString& text = replies[i];
        switch (r.kind) {
        case reply_kind::on:
            (para->*r.set_bool)(text.trimmed().toInt() != 0);
            break;
        case reply_kind::number:
            (para->*r.set_double)(text.trimmed().toDouble());
            break;
        case reply_kind::aver: {
            const int index = text.trimmed().toInt() - aver_offset;
            if (index >= 0 && index <= aver_index_max)
                para->set_utility_aver(index);
            else
                qDebug() << "utilitySetting::store_utility_replies: averaging reply out of range:" << text;
            break;
        }
        case reply_kind::trig:
            for (int k = 0; k < 3; ++k)
                if (text == QLatin1String(trig_replies[k]))
                    para->set_utility_trig(k);
            break;
        }
    }
    return true;
}

void utilitySetting::deal_utility_cfg(int button_model, QList<QString> value_list, QList<QWidget*>, int)
{
    if (button_model != op_utility_read)
        return;
    store_utility_replies(value_list);
    // A short list stores nothing, but the poll must go on all the same.
    emit sig_request_measure();
}

void utilitySetting::on_checkBox_Vrmt_clicked() { m_changed[0] = true; }
void utilitySetting::on_checkBox_SOF_clicked() { m_changed[1] = true; }
void utilitySetting::on_checkBox_VOL_clicked() { m_changed[2] = true; }
void utilitySetting::on_checkBox_short_en_clicked() { m_changed[3] = true; }
void utilitySetting::on_comboBox_Trig_currentIndexChanged(int) { m_changed[4] = true; }
void utilitySetting::on_comboBox_Aver_currentIndexChanged(int) { m_changed[5] = true; }
void utilitySetting::on_doubleSpinBox_Von_sigUpdateValue() { m_changed[6] = true; }
void utilitySetting::on_checkBox_ExtSwitch_clicked() { m_changed[7] = true; }
void utilitySetting::on_checkBox_I_M_ON_clicked() { m_changed[8] = true; }
void utilitySetting::on_checkBox_V_M_ON_clicked() { m_changed[9] = true; }
void utilitySetting::on_groupBox_TMon_clicked() { m_changed[10] = true; }
void utilitySetting::on_doubleSpinBox_V_Low_sigUpdateValue() { m_changed[11] = true; }
void utilitySetting::on_doubleSpinBox_V_High_sigUpdateValue() { m_changed[12] = true; }
void utilitySetting::on_groupBox_I_Protect_clicked() { m_changed[13] = true; }
void utilitySetting::on_doubleSpinBox_C_sigUpdateValue() { m_changed[14] = true; }
void utilitySetting::on_doubleSpinBox_C_Delay_sigUpdateValue() { m_changed[15] = true; }
void utilitySetting::on_groupBox_P_Protect_clicked() { m_changed[16] = true; }
void utilitySetting::on_doubleSpinBox_P_sigUpdateValue() { m_changed[17] = true; }
void utilitySetting::on_doubleSpinBox_P_Delay_sigUpdateValue() { m_changed[18] = true; }
