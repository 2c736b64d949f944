// The main window shell: form wiring, pages, command table, requests,
// status line, prompts and languages.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "app_paths.h"
#include "Get_configure_value.h"
#include "Get_data_thread.h"
#include "Get_display_data.h"
#include "SCPI_write_and_read.h"
#include "Send_data_thread.h"
#include "cfg_thread_t.h"
#include "lib_xml_t.h"
#include "modal_answerer.h"
#include "uiPara.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QMetaMethod>
#include <QSet>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QTranslator>

#include <functional>
#include <memory>
#include <mutex>

namespace {

// A command thread standing in for a load: it keeps what it served, holds
// the input state the writes set and answers the input and remote-state
// queries as a load does (every other query with "0\n").
class load_stand_in : public cfg_thread_t
{
public:
    QList<cfg_request_t> served()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_served;
    }
    // The one-shot requests: a repeating poll is served on every pass.
    QList<cfg_request_t> posts()
    {
        QList<cfg_request_t> out;
        for (const cfg_request_t& req : served()) {
            if (!req.repeat)
                out << req;
        }
        return out;
    }

protected:
    bool serve_text(const cfg_request_t& req, QList<QString>* replies) override
    {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_served << req;
            for (const QString& w : req.write) {
                if (w == QLatin1String("INP 1"))
                    m_input = true;
                else if (w == QLatin1String("INP 0"))
                    m_input = false;
            }
            for (const QString& q : req.query) {
                if (q.isEmpty())
                    continue;
                if (q == QLatin1String("INP?"))
                    *replies << (m_input ? QStringLiteral("1\n") : QStringLiteral("0\n"));
                else if (q == QLatin1String("SYST:REMOT:STAT?"))
                    *replies << QStringLiteral("1\n");
                else if (q == QLatin1String("BATT:MODE?"))
                    *replies << QStringLiteral("CURRENT\n");
                else
                    *replies << QStringLiteral("0\n");
            }
        }
        QThread::msleep(5); // a load takes its time too
        return true;
    }
    QList<QString> serve_messages(const QList<QString>& queries) override
    {
        QList<QString> replies;
        for (int i = 0; i < queries.size(); ++i)
            replies << QStringLiteral("0\n");
        return replies;
    }

private:
    std::mutex m_lock; // a QMutex is unseen by the thread sanitizer
    QList<cfg_request_t> m_served;
    bool m_input = false;
};

// The widgets the window's by-name slots hang on, with their signals.
struct by_name_t {
    const char* object;
    const char* signal;
};

QList<by_name_t> by_name_objects()
{
    QList<by_name_t> list = {
        {"comboBox_Mode", "currentIndexChanged(int)"},
        {"pushButton_Load", "clicked()"},
        {"pushButton_Short", "clicked()"},
        {"pushButton_Trig", "clicked()"},
        {"pushButton_ShowWave", "clicked()"},
        {"comboBox_wave_time", "currentIndexChanged(int)"},
        {"checkBox_Auto", "clicked()"},
        {"checkBox_Record", "clicked()"},
        {"pushButton_Record_Setting", "clicked()"},
        {"pushButton_Pause_Wave", "clicked()"},
        {"pushButton_Clear_Wave", "clicked()"},
        {"radioButton_OCPT", "clicked()"},
        {"radioButton_OPPT", "clicked()"},
        {"checkBox_LED_Basic", "clicked()"},
        {"checkBox_Dynamic_Basic", "clicked()"},
        {"radioButton_Cont_Basic", "clicked()"},
        {"radioButton_Plus_Basic", "clicked()"},
        {"radioButton_Tog_Basic", "clicked()"},
        {"checkBox_V_Stop", "clicked()"},
        {"checkBox_C_Stop", "clicked()"},
        {"checkBox_T_Stop", "clicked()"},
        {"pushButton_Inport_List", "clicked()"},
        {"pushButton_Export_List", "clicked()"},
        {"pushButton_Preview_List", "clicked()"},
        {"pushButton_Import_Prog", "clicked()"},
        {"pushButton_Export_Prog", "clicked()"},
        {"pushButton_Result_Prog", "clicked()"},
        {"doubleSpinBox_1_Battery", "sigUpdateValue()"},
        {"doubleSpinBox_VS_Battery", "sigUpdateValue()"},
        {"spinBox_CS_Battery", "sigUpdateValue()"},
        {"spinBox_TS_Battery", "sigUpdateValue()"},
        {"spinBox_Step_List", "sigUpdateValue()"},
        {"spinBox_Count_List", "sigUpdateValue()"},
        {"spinBox_Step_Prog", "sigUpdateValue()"},
    };
    static QList<QByteArray> names; // keeps the composed names alive
    auto add = [&list](const QByteArray& object, const char* signal) {
        names << object;
        list.append(by_name_t{names.last().constData(), signal});
    };
    for (const char* ch : {"C", "V", "R", "P"}) {
        add(QByteArray("checkBox_Wave_") + ch, "clicked()");
        add(QByteArray("doubleSpinBox_") + ch + "_MAX", "valueChanged(double)");
        add(QByteArray("doubleSpinBox_") + ch + "_MIN", "valueChanged(double)");
    }
    for (const char* page : {"Basic", "Protect", "Battery", "List", "Ext"}) {
        for (const char* range : {"5A", "30A", "36V", "150V"})
            add(QByteArray("radioButton_") + range + "_" + page, "clicked()");
    }
    for (const char* mode : {"CC", "CV", "CR", "CP"}) {
        add(QByteArray("radioButton_") + mode + "_Basic", "clicked()");
        add(QByteArray("radioButton_") + mode + "_List", "clicked()");
    }
    for (const char* mode : {"CC", "CP", "CR"})
        add(QByteArray("radioButton_") + mode + "_Battery", "clicked()");
    for (const char* mode : {"CC", "CV"})
        add(QByteArray("radioButton_") + mode + "_Ext", "clicked()");
    for (const char* page : {"Basic", "Battery", "List"})
        add(QByteArray("radioButton_om_") + page, "clicked()");
    for (int i = 1; i <= 6; ++i)
        add(QByteArray("doubleSpinBox_") + QByteArray::number(i) + "_Basic", "sigUpdateValue()");
    for (const char* row : {"Val", "Step", "Start", "End", "Max", "Min", "Delay"})
        add(QByteArray("doubleSpinBox_Protect_") + row, "sigUpdateValue()");
    return list;
}

// Slots named like by-name slots whose objects the form does not create.
const QStringList unconnected_by_design = {
    QStringLiteral("on_pushButton_Disconnect_clicked"), QStringLiteral("on_battery_v_stop_change"),
    QStringLiteral("on_battery_c_stop_change"), QStringLiteral("on_battery_t_stop_change"),
};

QStringList strings(std::initializer_list<const char*> items)
{
    QStringList out;
    for (const char* s : items)
        out << QString::fromLatin1(s);
    return out;
}

} // namespace

class tst_mymainwindow : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MyMainWindow> w;
    load_stand_in* recorder = nullptr;

    // Replaces the window's command thread with a running recorder whose
    // replies reach the window as the command thread's do.
    void use_recorder()
    {
        recorder = new load_stand_in;
        recorder->setParent(w.get());
        w->cfg_thread = recorder;
        QObject::connect(recorder, SIGNAL(send_result(int,QList<QString>,QList<QWidget*>,int)), w.get(),
                         SLOT(deal_cfg_thread(int,QList<QString>,QList<QWidget*>,int)));
        recorder->start();
    }
    // The count-th one-shot request served.
    cfg_request_t wait_for_post(int count)
    {
        if (!QTest::qWaitFor([&] { return recorder->posts().size() >= count; }, 5000))
            return cfg_request_t{-1, {}, {}, {}, false, 0, false, {}};
        return recorder->posts().at(count - 1);
    }
    void press_load_switch() { QTest::mouseClick(w->load_switch, Qt::LeftButton); }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("wattlex_ui_test"));
        QString error;
        QVERIFY2(app_paths::init(&error), qPrintable(error));
    }

    void init()
    {
        MyMainWindow::set_ui_language(QStringLiteral("english"));
        w.reset(new MyMainWindow);
        recorder = nullptr;
    }

    void cleanup()
    {
        if (recorder)
            recorder->stop_and_wait();
        w.reset();
        QVERIFY(!g_main_window);
    }

    void constructs_with_shell()
    {
        QCOMPARE(g_main_window, w.get());
        QCOMPARE(w->windowTitle(), QStringLiteral("Wattlex"));
        QCOMPARE(w->objectName(), QStringLiteral("MyMainWindow"));
        QVERIFY(w->load_switch);
        QCOMPARE(w->load_switch->parentWidget(), w->ui->centralwidget);
        QCOMPARE(w->load_switch->pos(), QPoint(460, 9));
        QVERIFY(!w->load_switch->getSelectedItem());
        QVERIFY(w->ui->pushButton_Load->isHidden());
        // Every worker thread exists; none runs before a connection.
        const QList<QThread*> threads = {w->cfg_thread, w->scpi_write_and_read, w->get_data_thread,
                                         w->send_data_thread, w->get_display_data, w->get_configure_value};
        for (QThread* t : threads)
            QVERIFY(t && !t->isRunning());
        QCOMPARE(w->mode_page, 0);
        QCOMPARE(w->ext_mode_code, 24);
        QCOMPARE(w->prog_row_count, 5);
        QCOMPARE(w->enabled_colour, QStringLiteral("#ffffff"));
        QCOMPARE(w->disabled_colour, QStringLiteral("#909090"));
        QCOMPARE(w->msg_turn_off_load, QStringLiteral("Please turn off the load !"));
        QCOMPARE(w->msg_wrong_file, QStringLiteral("It's not the correct file !"));
        QCOMPARE(w->ui->dockWidget_connect->minimumWidth(), 60);
        QCOMPARE(w->ui->dockWidget_connect->maximumWidth(), 300);
        // The constructor shows the Basic page before any load is connected.
        QVERIFY(!w->ui->groupBox_Config_Basic->isHidden());
        QVERIFY(w->ui->groupBox_Config_Prog->isHidden());
        QVERIFY(w->ui->radioButton_om_Basic->isChecked());
        QVERIFY(w->ui->label_C_Add->isHidden());
        QVERIFY(w->ui->actionEnglish->isChecked());
        QVERIFY(!w->ui->actionChinese->isChecked());
    }

    void form_properties()
    {
        Ui_MyMainWindow* ui = w->ui;
        QCOMPARE(ui->comboBox_Mode->count(), 6);
        QCOMPARE(ui->comboBox_Mode->itemText(3), QStringLiteral("List"));
        QCOMPARE(ui->comboBox_wave_time->count(), 7);
        QCOMPARE(ui->comboBox_wave_time->itemText(6), QStringLiteral("24hour"));
        // Retranslating refills, it does not append.
        ui->retranslateUi(w.get());
        QCOMPARE(ui->comboBox_Mode->count(), 6);
        QCOMPARE(ui->comboBox_wave_time->count(), 7);

        QCOMPARE(ui->spinBox_Step_Prog->minimum(), 1);
        QCOMPARE(ui->spinBox_Step_Prog->maximum(), 50);
        QCOMPARE(ui->spinBox_Step_List->maximum(), 100);
        QCOMPARE(ui->spinBox_Count_List->maximum(), 255);
        QCOMPARE(ui->spinBox_CS_Battery->maximum(), 999999);
        QCOMPARE(ui->spinBox_TS_Battery->maximum(), 999999);
        QVERIFY(!ui->checkBox_LED_Basic->isEnabled());
        QCOMPARE(ui->tableWidget_Prog->rowCount(), 5);
        QCOMPARE(ui->tableWidget_Prog->columnCount(), 16);
        QCOMPARE(ui->tableWidget_Prog->item(4, 0)->text(), QStringLiteral("5"));
        QCOMPARE(ui->tableWidget_List->rowCount(), 6);
        QCOMPARE(ui->tableWidget_List->columnCount(), 4);
        QCOMPARE(ui->doubleSpinBox_R_AVE->decimals(), 1);
        QCOMPARE(ui->doubleSpinBox_R_MAX->decimals(), 3);
        // The trend's limit boxes hold any reading (150 V, 300 W and more).
        QVERIFY(ui->doubleSpinBox_C_MIN->minimum() <= -30.0);
        QVERIFY(ui->doubleSpinBox_P_MAX->maximum() >= 300.0);
        QCOMPARE(ui->doubleSpinBox_3_Basic->decimals(), 3);

        const QList<QButtonGroup*> groups = w->findChildren<QButtonGroup*>();
        QCOMPARE(groups.size(), 16);
        for (QButtonGroup* g : groups)
            QVERIFY2(g->exclusive() && g->buttons().size() >= 2, qPrintable(g->objectName()));
        const QList<QAbstractButton*> basic_modes = ui->buttonGroup_Mode_Basic->buttons();
        QCOMPARE(basic_modes.size(), 4);
        QCOMPARE(basic_modes.at(1), static_cast<QAbstractButton*>(ui->radioButton_CP_Basic));
        // The dynamic form's buttons do not uncheck the mode button.
        ui->radioButton_CC_Basic->click();
        ui->radioButton_Cont_Basic->click();
        QVERIFY(ui->radioButton_CC_Basic->isChecked());

        const QList<QGroupBox*> boxes = w->findChildren<QGroupBox*>();
        QCOMPARE(boxes.size(), 29);
        for (QGroupBox* b : boxes)
            QCOMPARE(b->focusPolicy(), Qt::ClickFocus);
    }

    void by_name_slots_find_their_objects()
    {
        // Every object a by-name slot of the window hangs on exists with its signal.
        for (const by_name_t& entry : by_name_objects()) {
            QObject* obj = w->findChild<QObject*>(QString::fromLatin1(entry.object));
            QVERIFY2(obj, entry.object);
            const int index = obj->metaObject()->indexOfSignal(QMetaObject::normalizedSignature(entry.signal));
            QVERIFY2(index >= 0, qPrintable(QString::fromLatin1(entry.object) + QLatin1Char(' ') +
                                            QString::fromLatin1(entry.signal)));
        }
        // Every on_<object>_<signal> slot the window declares finds its object.
        const QMetaObject* mo = w->metaObject();
        const QList<QObject*> children = w->findChildren<QObject*>();
        int checked = 0;
        for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
            const QMetaMethod m = mo->method(i);
            const QString name = QString::fromLatin1(m.name());
            if (m.methodType() != QMetaMethod::Slot || !name.startsWith(QLatin1String("on_")) ||
                unconnected_by_design.contains(name))
                continue;
            bool found = false;
            for (QObject* child : children) {
                const QString prefix = QStringLiteral("on_") + child->objectName() + QLatin1Char('_');
                if (child->objectName().isEmpty() || !name.startsWith(prefix))
                    continue;
                const QByteArray signal = name.mid(prefix.size()).toLatin1();
                const QMetaObject* cmo = child->metaObject();
                for (int s = 0; s < cmo->methodCount() && !found; ++s) {
                    const QMetaMethod sig = cmo->method(s);
                    found = sig.methodType() == QMetaMethod::Signal && sig.name() == signal &&
                            QMetaObject::checkConnectArgs(sig.methodSignature(), m.methodSignature());
                }
            }
            QVERIFY2(found, qPrintable(name));
            ++checked;
        }
        QVERIFY(checked >= 3);
    }

    void mode_selector_shows_pages()
    {
        Ui_MyMainWindow* ui = w->ui;
        const QList<QGroupBox*> pages = {ui->groupBox_Config_Basic, ui->groupBox_Config_Protect,
                                         ui->groupBox_Config_Battery, ui->groupBox_Config_List,
                                         ui->groupBox_Config_Prog, ui->groupBox_Config_Ext};
        for (int index : {1, 2, 3, 4, 5, 0}) {
            ui->comboBox_Mode->setCurrentIndex(index);
            QCOMPARE(w->mode_page, index);
            for (int p = 0; p < pages.size(); ++p)
                QCOMPARE(pages.at(p)->isHidden(), p != index);
            switch (index) {
            case 2: // Battery: capacity label, no extra readings, no short or trigger
                QVERIFY(!ui->label_C_Add->isHidden());
                QVERIFY(ui->label_Ext->isHidden());
                QVERIFY(!ui->pushButton_Trig->isEnabled());
                QCOMPARE(ui->label_C_Add->text(), QStringLiteral("Cap_Add:0mAh"));
                break;
            case 3:
                QCOMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Stop 0/%1")
                                                        .arg(uiPara::instance()->get_list_step()));
                QVERIFY(ui->pushButton_Trig->isEnabled());
                QVERIFY(!ui->pushButton_Short->isEnabled());
                break;
            case 4:
                QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Stop 0"));
                break;
            case 5:
                QVERIFY(!ui->label_Ext->isHidden());
                QVERIFY(!ui->label_Ext_Set->isHidden());
                QVERIFY(w->sbar_run_state->text().isEmpty());
                break;
            case 0:
                QVERIFY(ui->label_C_Add->isHidden());
                QVERIFY(ui->pushButton_Short->isEnabled());
                QVERIFY(w->sbar_run_state->text().isEmpty());
                break;
            default:
                break;
            }
        }
    }

    void command_table_covers_posted_codes()
    {
        // Codes the window's shell, reply side and panels fill from the table.
        for (int op : {0, 1, 2, 3, 4, 8, 13, 14, 15, 16, 26, 28, 30, 31, 183}) {
            w->fill_cmd_list(op);
            QVERIFY2(!w->query_list.isEmpty(), qPrintable(QString::number(op)));
            QCOMPARE(w->write_list.size(), w->query_list.size());
            for (int i = 0; i < w->write_list.size(); ++i) {
                // each position is a write or a query, never both, never neither
                QVERIFY2(w->write_list.at(i).isEmpty() != w->query_list.at(i).isEmpty(),
                         qPrintable(QStringLiteral("op %1 entry %2").arg(op).arg(i)));
            }
        }
        // A code without a set leaves nothing of the last one behind.
        for (int op : {5, 9, 32, 82, 184, -1}) {
            w->fill_cmd_list(30);
            w->fill_cmd_list(op);
            QVERIFY(w->write_list.isEmpty() && w->query_list.isEmpty());
        }
    }

    void command_table_contents()
    {
        w->fill_cmd_list(3);
        QCOMPARE(w->write_list, strings({"FUNC POW", "", "", ""}));
        QCOMPARE(w->query_list, strings({"", "POW:IRANG?", "POW:VRANG?", "POW?"}));

        w->fill_cmd_list(14);
        QCOMPARE(w->write_list.mid(0, 2), strings({"INP 0", "PROG:STAT:ON"}));
        QCOMPARE(w->query_list.size(), 16);
        QCOMPARE(w->query_list.last(), QStringLiteral("PROG:STEP?"));

        w->fill_cmd_list(16);
        QCOMPARE(w->query_list.size(), 9);
        QCOMPARE(w->query_list.first(), QStringLiteral("TEST:STEP?"));
        QCOMPARE(w->query_list.last(), QStringLiteral("STOP:ON:FAIL?"));

        w->fill_cmd_list(31);
        QCOMPARE(w->query_list, strings({"FUNC:MODE?", "FUNC?", "FUNC:TRAN?", "TIME:TEST?", "SHOR?", "EXT:MODE?",
                                         "EXT:IRANG?", "EXT:VRANG?"}));

        // The connection read-back: 122 queries in the order its parser reads them.
        w->fill_cmd_list(30);
        QCOMPARE(w->query_list.size(), 122);
        QVERIFY(w->write_list.join(QString()).isEmpty());
        const QList<QPair<int, const char*>> marks = {
            {0, "CURR:IRANG?"}, {18, "LED:RCO?"}, {19, "CURR:TRAN:MODE?"}, {27, "CURR:TRAN:SLEW:NEG?"},
            {28, "VOLT:TRAN:MODE?"}, {35, "POW:TRAN:MODE?"}, {42, "RES:TRAN:MODE?"}, {49, "PROG:PAUSE:ALL?"},
            {59, "PROG:LEV:ALL?"}, {62, "PROG:STEP?"}, {63, "LIST:MODE?"}, {70, "LIST:SLEW:ALL?"},
            {71, "OCP:IRANG?"}, {80, "OPP:IRANG?"}, {88, "OPP:STEP:DEL?"}, {89, "BATT:MODE?"},
            {92, "BATT:RRANG?"}, {100, "BATT:ADDCAP?"}, {101, "EXT:MODE?"}, {104, "SYST:SENS?"},
            {107, "SENS:AVER:COUN?"}, {113, "TIME:TEST?"}, {116, "CURR:PROT:STAT?"}, {121, "POW:PROT:DEL?"},
        };
        for (const auto& mark : marks)
            QCOMPARE(w->query_list.at(mark.first), QString::fromLatin1(mark.second));
    }

    void measurement_poll_follows_function()
    {
        const QStringList base = strings({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "MEAS:RES?", "MEAS:POW?",
                                          "SYST:REMOT:STAT?"});
        w->func_code = 0;
        w->time_test_flag = false;
        w->fill_cmd_list(183);
        QCOMPARE(w->query_list, base);

        w->time_test_flag = true;
        w->func_code = 2;
        w->fill_cmd_list(183);
        QCOMPARE(w->query_list, base + strings({"TIME:TEST:RISE?", "TIME:TEST:FALL?"}));
        w->func_code = 5; // dynamic: no rise and fall times
        w->fill_cmd_list(183);
        QCOMPARE(w->query_list, base);

        w->func_code = 8; // battery, whatever the time test
        w->fill_cmd_list(183);
        QCOMPARE(w->query_list, strings({"INP?", "MEAS:CURR?", "MEAS:VOLT?", "BATT:DISCHA:CAP?", "BATT:DISCHA:TIM?",
                                         "SYST:REMOT:STAT?", "MEAS:RES?", "MEAS:POW?"}));

        w->time_test_flag = false;
        w->func_code = 25;
        w->fill_cmd_list(183);
        QCOMPARE(w->query_list, base + strings({"MEAS:EXT?"}));
        QCOMPARE(w->write_list.size(), w->query_list.size());
    }

    void request_measure_posts_repeating_poll()
    {
        use_recorder();
        w->func_code = 24;
        w->request_measure();
        QVERIFY(QTest::qWaitFor([this] { return !recorder->served().isEmpty(); }, 5000));
        const cfg_request_t req = recorder->served().first();
        QCOMPARE(req.button_model, 183);
        QVERIFY(req.repeat);
        QCOMPARE(req.private_data, 0);
        QVERIFY(!req.binary);
        QVERIFY(req.widgets.isEmpty());
        QCOMPARE(req.query.last(), QStringLiteral("MEAS:EXT?"));
        // The shared lists keep the poll's entries.
        QCOMPARE(w->query_list, req.query);
    }

    void load_switch_requests()
    {
        use_recorder();
        // Offline a press posts nothing.
        press_load_switch();
        w->is_connected = true;
        press_load_switch();
        cfg_request_t req = wait_for_post(1);
        QCOMPARE(req.button_model, 32);
        QCOMPARE(req.write, strings({"INP 1"}));
        QCOMPARE(req.query, strings({"INP?"}));
        QCOMPARE(req.private_data, 0);
        // The switch shows what the load reports.
        QTRY_VERIFY(w->load_switch->getSelectedItem());

        press_load_switch();
        req = wait_for_post(2);
        QCOMPARE(req.write, strings({"INP 0"}));
        QTRY_VERIFY(!w->load_switch->getSelectedItem());

        // Choosing the Battery page selects the load's battery function and
        // reads its mode.
        w->ui->comboBox_Mode->setCurrentIndex(2);
        req = wait_for_post(3);
        QCOMPARE(req.button_model, 8);
        QCOMPARE(req.write, strings({"BATT:FUNC", ""}));
        QCOMPARE(req.query, strings({"", "BATT:MODE?"}));

        // The battery page is told by index: a translated item text changes nothing.
        w->ui->comboBox_Mode->setItemText(2, QStringLiteral("电池测试"));
        // Switching a discharge on asks the accumulated capacity first; with
        // none accumulated the input goes on without a question.
        press_load_switch();
        req = wait_for_post(4);
        QCOMPARE(req.button_model, 32);
        QCOMPARE(req.private_data, 185);
        QCOMPARE(req.write, strings({""}));
        QCOMPARE(req.query, strings({"BATT:ADDCAP?"}));
        req = wait_for_post(5);
        QCOMPARE(req.button_model, 185);
        QCOMPARE(req.write, strings({"INP 1"}));
        QTRY_VERIFY(w->load_switch->getSelectedItem());

        press_load_switch();
        req = wait_for_post(6);
        QCOMPARE(req.button_model, 32);
        QCOMPARE(req.private_data, 186);
        QCOMPARE(req.write, strings({"INP 0"}));
        QCOMPARE(req.query, strings({"BATT:ADDCAP?"}));
        QTRY_VERIFY(!w->load_switch->getSelectedItem());
        QCOMPARE(recorder->posts().size(), 6);
    }

    void trigger_requests()
    {
        use_recorder();
        // The static Basic form has nothing to trigger; a list has.
        QVERIFY(!w->ui->pushButton_Trig->isEnabled());
        w->ui->comboBox_Mode->setCurrentIndex(3);
        QVERIFY(w->ui->pushButton_Trig->isEnabled());
        w->is_connected = true;
        {
            modal_answerer answerer;
            answerer.press(QMessageBox::Ok);
            QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton); // returns when the box is answered
            QCOMPARE(answerer.boxes().size(), 1);
            QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Please turn on the load !"));
            QVERIFY(answerer.unexpected().isEmpty());
        }
        QVERIFY(recorder->served().isEmpty()); // the refused press posted nothing

        press_load_switch();
        QCOMPARE(wait_for_post(1).write, strings({"INP 1"}));
        QTRY_VERIFY(w->load_switch->getSelectedItem());
        QTest::mouseClick(w->ui->pushButton_Trig, Qt::LeftButton);
        const cfg_request_t req = wait_for_post(2);
        QCOMPARE(req.button_model, 82);
        QCOMPARE(req.write, strings({"TRIG:SOUR BUS", "*TRG"}));
        QCOMPARE(req.query, strings({"", ""}));
        QCOMPARE(recorder->posts().size(), 2);
    }

    // Refused in every function where the load has no short: the warning,
    // nothing posted. Where it has one, the press is sent.
    void short_button_refusals_data()
    {
        QTest::addColumn<int>("function");
        QTest::addColumn<bool>("refused");
        QTest::newRow("OCP") << 6 << true;
        QTest::newRow("OPP") << 7 << true;
        QTest::newRow("battery") << 8 << true;
        QTest::newRow("list") << 13 << true;
        QTest::newRow("program") << 14 << true;
        QTest::newRow("program read back") << 20 << true;
        QTest::newRow("EXTI") << 24 << true;
        QTest::newRow("EXTV") << 25 << true;
        QTest::newRow("CC") << 0 << false;
        QTest::newRow("dynamic") << 5 << false;
    }
    void short_button_refusals()
    {
        QFETCH(int, function);
        QFETCH(bool, refused);
        use_recorder();
        w->is_connected = true;
        w->func_code = function;
        modal_answerer answerer;
        if (refused)
            answerer.press(QMessageBox::Ok);
        QTest::mouseClick(w->ui->pushButton_Short, Qt::LeftButton); // returns when the box is answered
        QCOMPARE(answerer.boxes().size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Short is invalid in present state !"));
            QTest::qWait(50);
            QVERIFY(recorder->served().isEmpty());
        } else {
            const cfg_request_t req = wait_for_post(1);
            QCOMPARE(req.write, strings({"SHOR 1"}));
            QCOMPARE(req.query, strings({"SHOR?"}));
        }
    }

    // Texts whose form changes with the value: the time test's times in
    // seconds up to 60 s and as h:m:s above, the discharge time's two-digit
    // parts, the list count 0 as "∞". At each limit and one step (the
    // replies' last shown digit) either side.
    void captions_change_at_their_limits_data()
    {
        QTest::addColumn<int>("op");
        QTest::addColumn<int>("function"); // -1: the List page shown
        QTest::addColumn<QStringList>("replies");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown"); // "": hidden
        // The poll's replies: input, current, voltage, resistance (a discharge's
        // capacity), power (its time), remote state, rise and fall times.
        auto poll = [](const char* time, const char* rise, const char* fall) {
            return QStringList{"1\n", "0\n", "5\n", "150\n", QString(time) + "\n", "1\n", QString(rise) + "\n",
                               QString(fall) + "\n"};
        };
        auto timed = [&](const char* rise, const char* fall) { return poll("0", rise, fall); };
        auto battery = [&](const char* seconds) { return poll(seconds, "0", "0"); };
        QTest::newRow("rise below 60") << 183 << 0 << timed("59.9999", "1") << "label_Ext" << "T_Rise : 59.9999s";
        QTest::newRow("rise 60") << 183 << 0 << timed("60", "1") << "label_Ext" << "T_Rise : 60.0000s";
        QTest::newRow("rise above 60") << 183 << 0 << timed("60.0001", "1") << "label_Ext" << "T_Rise : 00:01:00";
        QTest::newRow("fall below 60") << 183 << 0 << timed("1", "59.9999") << "label_Ext_Set" << "T_Fall : 59.9999s";
        QTest::newRow("fall 60") << 183 << 0 << timed("1", "60") << "label_Ext_Set" << "T_Fall : 60.0000s";
        QTest::newRow("fall above 60") << 183 << 0 << timed("1", "60.0001") << "label_Ext_Set" << "T_Fall : 00:01:00";
        QTest::newRow("9 s") << 183 << 8 << battery("9") << "label_P" << "00:00:09";
        QTest::newRow("10 s") << 183 << 8 << battery("10") << "label_P" << "00:00:10";
        QTest::newRow("just below a minute") << 183 << 8 << battery("59.99") << "label_P" << "00:00:59";
        QTest::newRow("a minute") << 183 << 8 << battery("60") << "label_P" << "00:01:00";
        QTest::newRow("61 s") << 183 << 8 << battery("61") << "label_P" << "00:01:01";
        QTest::newRow("just below an hour") << 183 << 8 << battery("3599") << "label_P" << "00:59:59";
        QTest::newRow("an hour") << 183 << 8 << battery("3600") << "label_P" << "01:00:00";
        QTest::newRow("just below 10 h") << 183 << 8 << battery("35999") << "label_P" << "09:59:59";
        QTest::newRow("10 h") << 183 << 8 << battery("36000") << "label_P" << "10:00:00";
        QTest::newRow("count 0") << 79 << -1 << QStringList({"0\n", "0\n"}) << "label_infinite_List" << "∞";
        QTest::newRow("count 1") << 79 << -1 << QStringList({"0\n", "1\n"}) << "label_infinite_List" << "";
    }
    void captions_change_at_their_limits()
    {
        QFETCH(int, op);
        QFETCH(int, function);
        QFETCH(QStringList, replies);
        QFETCH(QString, label);
        QFETCH(QString, shown);
        if (function < 0) {
            w->ui->comboBox_Mode->setCurrentIndex(3);
            uiPara::instance()->set_list_count(5);
        }
        w->time_test_flag = function == 0;
        if (function == 0)
            w->deal_cfg_thread(0, {}, {}, w->page_visit); // CC with the time test: its labels shown
        if (function >= 0)
            w->func_code = function;
        w->deal_cfg_thread(op, replies, {}, 0);
        auto* l = w->findChild<QLabel*>(label);
        QVERIFY(l);
        QCOMPARE(l->isHidden() ? QString() : l->text(), shown);
    }

    void para_signals_reach_update_slots()
    {
        QCOMPARE(w->connect_para_signals(), 0); // again: no link fails, none doubles
        // Every store signal has its slot, or is known to have none.
        const QMetaObject& pm = uiPara::staticMetaObject;
        QSet<QByteArray> linked;
        for (const MyMainWindow::para_link_t& link : MyMainWindow::para_links()) {
            const QByteArray sig = QMetaObject::normalizedSignature(link.signal + 1);
            const QByteArray slot = QMetaObject::normalizedSignature(link.slot + 1);
            QVERIFY2(pm.indexOfSignal(sig) >= 0, sig.constData());
            QVERIFY2(w->metaObject()->indexOfSlot(slot) >= 0, slot.constData());
            linked.insert(sig);
        }
        int signals_seen = 0;
        for (int i = pm.methodOffset(); i < pm.methodCount(); ++i) {
            const QMetaMethod m = pm.method(i);
            if (m.methodType() != QMetaMethod::Signal)
                continue;
            ++signals_seen;
            const QByteArray sig = m.methodSignature();
            QVERIFY2(linked.contains(sig) != MyMainWindow::para_signals_without_slot().contains(QString::fromLatin1(sig)),
                     sig.constData());
        }
        QCOMPARE(signals_seen, linked.size() + MyMainWindow::para_signals_without_slot().size());

        uiPara* para = uiPara::instance();
        para->set_utility_sof(true);
        QVERIFY(w->sbar_sof->isEnabled());
        para->set_utility_trig(2);
        QCOMPARE(w->sbar_trig->text(), QStringLiteral("Trig:Bus"));
        para->set_utility_aver(4);
        QCOMPARE(w->sbar_aver->text(), QStringLiteral("Average:2^10"));
        // Cut: the store changes, the status line does not.
        w->disconnect_para_signals();
        para->set_utility_sof(false);
        QVERIFY(w->sbar_sof->isEnabled());
        w->connect_para_signals();
        para->set_utility_sof(false);
        QVERIFY(!w->sbar_sof->isEnabled());
        para->set_utility_trig(0);
        para->set_utility_aver(0);
    }

    void running_state_texts()
    {
        const int steps = uiPara::instance()->get_list_step();
        w->update_running_state(1, steps, 3);
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Running %1/%1").arg(steps));
        w->update_running_state(2, steps + 1, 3); // beyond the list: unchanged
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("List state:Running %1/%1").arg(steps));
        w->update_running_state(1, 3, 4);
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Pause 3"));
        w->update_running_state(0, 7, 4);
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Running 7"));
        w->update_state_vis(false, 4);
        QVERIFY(w->sbar_run_state->text().isEmpty());
        w->update_state_vis(true, 4);
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Stop 0"));
        w->update_short_state(true);
        QVERIFY(w->sbar_short->isEnabled());
    }

    void item_helpers()
    {
        Ui_MyMainWindow* ui = w->ui;
        w->set_items_color(nullptr, ui->doubleSpinBox_1_Basic, ui->label_unit_1_Basic, false);
        QVERIFY(!ui->doubleSpinBox_1_Basic->isEnabled());
        QCOMPARE(ui->label_unit_1_Basic->styleSheet(), QStringLiteral("color:#909090"));
        w->set_items_color_2(ui->label_ValueName_1_Basic, ui->doubleSpinBox_1_Basic, ui->label_unit_1_Basic, true);
        QVERIFY(ui->doubleSpinBox_1_Basic->isEnabled());
        QCOMPARE(ui->label_ValueName_1_Basic->styleSheet(), QStringLiteral("color:#ffffff"));

        // Row 2 of the static CC form: the rise slew.
        QCOMPARE(ui->label_unit_2_Basic->text(), QStringLiteral("A/us"));
        const QString name_before = ui->label_ValueName_2_Basic->text();
        w->show_items_2(ui->label_ValueName_2_Basic, ui->doubleSpinBox_2_Basic, ui->label_unit_2_Basic, false,
                        QStringLiteral("x"), QStringLiteral("y"));
        QVERIFY(ui->doubleSpinBox_2_Basic->isHidden());
        QVERIFY(ui->label_unit_2_Basic->isHidden());
        // hidden items keep their texts
        QCOMPARE(ui->label_ValueName_2_Basic->text(), name_before);
        QCOMPARE(ui->label_unit_2_Basic->text(), QStringLiteral("A/us"));
        w->show_items_2(ui->label_ValueName_2_Basic, ui->doubleSpinBox_2_Basic, ui->label_unit_2_Basic, true,
                        QStringLiteral("Width :"), QStringLiteral("ms"));
        QVERIFY(!ui->label_ValueName_2_Basic->isHidden());
        QVERIFY(!ui->doubleSpinBox_2_Basic->isHidden());
        QCOMPARE(ui->label_ValueName_2_Basic->text(), QStringLiteral("Width :"));
        QCOMPARE(ui->label_unit_2_Basic->text(), QStringLiteral("ms"));
    }

    void wait_prompt_is_modal_until_closed()
    {
        int buttons = -1;
        QString title;
        // Owned by this test: it cannot fire into a later one.
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box) {
                buttons = box->buttons().size();
                title = box->windowTitle();
            }
            w->close_wait_prompt();
        });
        closer.start(20);
        w->show_wait_prompt(QStringLiteral("Initial"), QStringLiteral("Please waiting for the data initing"),
                            MyMainWindow::wait_t::connect);
        QCOMPARE(buttons, 0);
        QCOMPARE(title, QStringLiteral("Initial"));
        QVERIFY(!w->wait_prompt);
        w->close_wait_prompt(); // none open: nothing happens

        // A refresh closes its own prompt.
        w->do_refresh_action();
        QVERIFY(!w->wait_prompt);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void help_without_guide_says_so()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        w->ui->actionUser_guide->trigger();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).text, QStringLiteral("Can not find document."));
        QVERIFY(answerer.unexpected().isEmpty());
    }

    void language_choice_is_stored()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        w->ui->actionChinese->trigger();
        QCOMPARE(answerer.boxes().size(), 1);
        QVERIFY(w->ui->actionChinese->isChecked());
        QVERIFY(!w->ui->actionEnglish->isChecked());
        QString stored;
        QVERIFY(lib_xml_t().read_node_text(app_paths::config_file(), QStringLiteral("language"), &stored));
        QCOMPARE(stored, QStringLiteral("chinese"));

        answerer.press(QMessageBox::Ok);
        w->ui->actionEnglish->trigger();
        QCOMPARE(answerer.boxes().size(), 2);
        QVERIFY(answerer.unexpected().isEmpty() && answerer.errors().isEmpty());
        QVERIFY(lib_xml_t().read_node_text(app_paths::config_file(), QStringLiteral("language"), &stored));
        QCOMPARE(stored, QStringLiteral("english"));
        QVERIFY(!w->ui->actionChinese->isChecked());
    }

    void both_languages_load()
    {
        QCOMPARE(w->ui->comboBox_Mode->itemText(0), QStringLiteral("Basic"));
        QCOMPARE(w->ui->groupBox_Wave->title(), QStringLiteral("Trend"));
        // The device panel's toggle (the menu bar's context menu) names it.
        QCOMPARE(w->ui->dockWidget_connect->toggleViewAction()->text(), QStringLiteral("Devices"));
        w.reset();

        QTranslator zh;
        QVERIFY(zh.load(QStringLiteral(":/languages/Wattlex_zh.qm")));
        QVERIFY(QCoreApplication::installTranslator(&zh));
        MyMainWindow::set_ui_language(QStringLiteral("chinese"));
        w.reset(new MyMainWindow);
        QCOMPARE(w->ui->comboBox_Mode->itemText(0), QStringLiteral("基础测试"));
        QCOMPARE(w->ui->comboBox_Mode->itemText(4), QStringLiteral("自动化测试"));
        QCOMPARE(w->ui->groupBox_Wave->title(), QStringLiteral("趋势图"));
        QCOMPARE(w->ui->menuLanguage->title(), QStringLiteral("语言"));
        QCOMPARE(w->ui->pushButton_Short->text(), QStringLiteral("短路"));
        QCOMPARE(w->ui->dockWidget_connect->toggleViewAction()->text(), QStringLiteral("设备"));
        QCOMPARE(w->ui->radioButton_CC_Basic->text(), QStringLiteral("CC")); // abbreviations stay
        QVERIFY(w->ui->actionChinese->isChecked());
        // The six pages switch the same way in Chinese.
        for (int index : {5, 4, 3, 2, 1, 0}) {
            w->ui->comboBox_Mode->setCurrentIndex(index);
            QCOMPARE(w->mode_page, index);
        }
        QVERIFY(!w->ui->groupBox_Config_Basic->isHidden());
        w.reset();
        QCoreApplication::removeTranslator(&zh);

        QTranslator en;
        QVERIFY(en.load(QStringLiteral(":/languages/Wattlex_en.qm")));
        QCoreApplication::installTranslator(&en);
        MyMainWindow::set_ui_language(QStringLiteral("english"));
        w.reset(new MyMainWindow);
        QCOMPARE(w->ui->comboBox_Mode->itemText(0), QStringLiteral("Basic"));
        w.reset();
        QCoreApplication::removeTranslator(&en);
    }
};

QTEST_MAIN(tst_mymainwindow)
#include "tst_mymainwindow.moc"
