// The reply side without a load: the dispatch order and table, the
// connection read-back, the input, trigger and run-state replies and the
// program recall, fed with reply lists as the command thread hands them over.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "SwitchButton.h"
#include "app_paths.h"
#include "cfg_thread_t.h"
#include "modal_answerer.h"
#include "recording_thread.h"
#include "uiPara.h"
#include "window_steps.h"

#include <QApplication>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QStringList g_trace;

void record_trace(const char* name)
{
    g_trace << QString::fromLatin1(name);
}

const QStringList routers = {
    "deal_basic_operating_button", "deal_over_protect_test_operating_button", "deal_battery_operating_button",
    "deal_list_operating_button",  "deal_prog_operating_button",              "deal_ext_operating_button",
};

} // namespace

class tst_reply_side : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<MyMainWindow> w;
    recording_thread* recorder = nullptr;

    // Requests the window posted since the recorder took over, served in order.
    QList<cfg_request_t> posts(int at_least, int timeout_ms = 2000)
    {
        return recorder->wait_served(at_least, timeout_ms);
    }
    QList<int> posted_ops(int at_least)
    {
        QList<int> ops;
        for (const cfg_request_t& r : posts(at_least))
            ops << r.button_model;
        return ops;
    }
    // The 122 replies of the read-back, all "0\n" but for the given ones.
    static QList<QString> readback(const QMap<int, QString>& set)
    {
        QList<QString> replies;
        for (int i = 0; i < 122; ++i)
            replies << set.value(i, QStringLiteral("0\n"));
        return replies;
    }
    // The six replies of the mode read-back.
    static QList<QString> mode(const char* func_mode, const char* func, const char* tran, const char* time_test,
                               const char* shor, const char* ext)
    {
        return QList<QString>({func_mode, func, tran, time_test, shor, ext, "5\n", "36\n"});
    }

    // The Program page as the window shows it (run-state replies are shown
    // only there), without the requests of its entry.
    void show_program_page()
    {
        const QSignalBlocker quiet(w->ui->comboBox_Mode);
        w->ui->comboBox_Mode->setCurrentIndex(4);
        w->mode_page = 4;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QString error;
        QVERIFY2(app_paths::init(&error), qPrintable(error));
    }

    void init()
    {
        w.reset(new MyMainWindow);
        QVERIFY(QTest::qWaitFor([&] { return !w->device_scan_busy(); }, 5000));
        recorder = attach_recorder(w.get());
        g_trace.clear();
        w->reply_trace = &record_trace;
    }

    void cleanup()
    {
        recorder->stop_and_wait();
        w->close_wait_prompt();
        w.reset();
        recorder = nullptr;
    }

    // ---- dispatch

    void codes_without_handler_reach_only_the_routers_data()
    {
        QTest::addColumn<int>("op");
        for (int op : {10, 11, 12, 83, 184, 40, 186, 1000, -1, 6, 7, 17, 64, 80, 162})
            QTest::newRow(qPrintable(QString::number(op))) << op;
    }
    void codes_without_handler_reach_only_the_routers()
    {
        QFETCH(int, op);
        w->deal_cfg_thread(op, QList<QString>({"1\n", "2\n"}), {}, 0);
        QCOMPARE(g_trace, routers);
        // A router that takes a code (40 is a range reply to the basic
        // router) asks the measurement poll again, which a slow run may see
        // served; any other request would be a handler's.
        QStringList posted;
        for (const cfg_request_t& r : posts(0, 50))
            if (r.button_model != 183)
                posted << QString::number(r.button_model) + ':' + r.write.join('|') + ':' + r.query.join('|');
        QVERIFY2(posted.isEmpty(), qPrintable(posted.join(' ')));
    }

    void routers_run_before_the_handler_of_each_code()
    {
        const QMap<int, QString> handlers = {
            {0, "deal_cc_value"},          {1, "deal_cv_value"},
            {2, "deal_cr_value"},          {3, "deal_cp_value"},
            {4, "deal_led_value"},         {5, "deal_dyn_value"},
            {8, "deal_bat_value"},         {9, "deal_utility_value"},
            {13, "deal_list_value"},       {14, "deal_prog_value"},
            {15, "deal_list_running_value"}, {16, "deal_prog_running_value"},
            {22, "deal_list_change_value"}, {23, "deal_extc_value"},
            {26, "deal_static_value"},     {28, "deal_dyn_mode_value"},
            {29, "deal_message_value"},    {30, "deal_init_para_value"},
            {31, "deal_init_value"},       {32, "deal_load_value"},
            {33, "deal_short_value"},      {65, "deal_prog_recall"},
            {81, "deal_list_recall"},      {82, "deal_trigger_button_value"},
            {161, "deal_utility_button_value"}, {183, "deal_showing_value"},
            {185, "battery_started"},
        };
        for (auto it = handlers.constBegin(); it != handlers.constEnd(); ++it) {
            g_trace.clear();
            // No replies at all: every handler must cope with a short list.
            w->deal_cfg_thread(it.key(), {}, {}, 0);
            QCOMPARE(g_trace, routers + QStringList{it.value()});
            w->close_wait_prompt();
        }
    }

    void code_185_marks_the_battery_start_and_polls()
    {
        w->battery_start_state = 0;
        w->deal_cfg_thread(185, QList<QString>({"whatever\n"}), {}, 0);
        QCOMPARE(w->battery_start_state, 1);
        const QList<cfg_request_t> p = posts(1);
        QCOMPARE(p.size(), 1);
        QCOMPARE(p[0].button_model, 183);
        QVERIFY(p[0].repeat);
    }

    void byte_replies_go_by_code()
    {
        // Unknown binary codes are dropped; the four file codes reach their
        // panels (which post or write nothing for an empty block here).
        w->deal_cfg_thread_bytedata(70, QByteArray("x"));
        w->deal_cfg_thread_bytedata(-5, QByteArray());
        QVERIFY(g_trace.isEmpty());
    }

    // ---- connection read-back (operation 30)

    void readback_fills_every_setting()
    {
        QCOMPARE(MyMainWindow::readback_field_count(), 122);
        w->fill_cmd_list(30);
        QCOMPARE(w->query_list.size(), 122);

        // The store's own field table lists the read-back's fields in its
        // order (the two replies that are no settings left out): give each a
        // reply of its kind that differs from the default, and look for it.
        struct expect_t {
            QString name;
            settings_field::kind_t kind;
            QString reply;
            QVariant value;
        };
        QList<expect_t> fields;
        QString last;
        for (const settings_field& f : uiPara::settings_layout()) {
            if (QString::fromLatin1(f.name) == last)
                continue;
            last = QString::fromLatin1(f.name);
            fields.append({last, f.kind, QString(), QVariant()});
            if (fields.size() == 120)
                break;
        }
        QCOMPARE(fields.size(), 120);
        QList<QString> replies;
        int n = 0;
        for (expect_t& f : fields) {
            ++n;
            switch (f.kind) {
            case settings_field::i_range: f.reply = n % 2 ? "30\n" : "5\n"; f.value = n % 2 ? 1 : 0; break;
            case settings_field::v_range: f.reply = n % 2 ? "150\n" : "36\n"; f.value = n % 2 ? 1 : 0; break;
            case settings_field::level:
            case settings_field::level_whole:
                f.reply = QString::number(n + 0.25) + "\n"; f.value = n + 0.25; break;
            case settings_field::count: f.reply = QString::number(n) + "\n"; f.value = n; break;
            case settings_field::aver: f.reply = "10\n"; f.value = 4; break;
            case settings_field::switch_01:
            case settings_field::switch_onoff: f.reply = "1\n"; f.value = true; break;
            case settings_field::mode_word: f.reply = "?"; break; // below
            default: // step lists
                f.reply = QString("%1,,%2\n").arg(n).arg(n + 1);
                f.value = QStringList{QString::number(n), QString(), QString::number(n + 1)};
                break;
            }
            replies << f.reply;
        }
        // The word fields: the last word of each table.
        const QMap<QString, QPair<QString, int>> words = {
            {"dyn_cc_mode", {"TOGGLE\n", 2}}, {"dyn_cv_mode", {"PULSE\n", 1}}, {"dyn_cp_mode", {"TOGGLE\n", 2}},
            {"dyn_cr_mode", {"PULSE\n", 1}},  {"list_mode", {"POWER\n", 3}},   {"battery_mode", {"RESISTANCE\n", 2}},
            {"ext_mode", {"EXTV\n", 2}},      {"utility_trig", {"BUS\n", 2}},
        };
        for (int i = 0; i < fields.size(); ++i) {
            if (fields[i].kind != settings_field::mode_word)
                continue;
            QVERIFY2(words.contains(fields[i].name), qPrintable(fields[i].name));
            replies[i] = words[fields[i].name].first;
            fields[i].value = words[fields[i].name].second;
        }
        // "BATT:RRANG?" and "BATT:ADDCAP?" are read but not settings.
        replies.insert(92, QStringLiteral("HIGH\n"));
        replies.insert(100, QStringLiteral("99\n"));
        QCOMPARE(replies.size(), 122);

        w->disconnect_para_signals();
        w->deal_cfg_thread(30, replies, {}, 0);

        uiPara* p = uiPara::instance();
        for (const expect_t& f : fields) {
            const QByteArray getter = "get_" + f.name.toLatin1();
            QVariant got;
            bool ok = false;
            switch (f.value.userType()) {
            case QMetaType::Int: {
                int v = 0;
                ok = QMetaObject::invokeMethod(p, getter, Q_RETURN_ARG(int, v));
                got = v;
                break;
            }
            case QMetaType::Double: {
                double v = 0;
                ok = QMetaObject::invokeMethod(p, getter, Q_RETURN_ARG(double, v));
                got = v;
                break;
            }
            case QMetaType::Bool: {
                bool v = false;
                ok = QMetaObject::invokeMethod(p, getter, Q_RETURN_ARG(bool, v));
                got = v;
                break;
            }
            default: {
                QStringList v;
                ok = QMetaObject::invokeMethod(p, getter, Q_RETURN_ARG(QStringList, v));
                got = QVariant(QStringList(v.mid(0, 3)));
                break;
            }
            }
            QVERIFY2(ok, getter.constData());
            QVERIFY2(got == f.value, qPrintable(f.name + ": " + got.toString() + " / " + f.value.toString()));
        }
        // No query for the LED voltage of a program step: it is the level.
        QCOMPARE(p->get_prog_vo(), p->get_prog_set());

        // Then the mode read-back, repeating, with sub-code 1; the store's
        // signals reach the window again.
        const QList<cfg_request_t> sent = posts(1);
        QCOMPARE(sent.last().button_model, 31);
        QVERIFY(sent.last().repeat);
        QCOMPARE(sent.last().private_data, 1);
        p->set_utility_sof(false);
        QVERIFY(!w->sbar_sof->isEnabled());
        p->set_utility_sof(true);
        QVERIFY(w->sbar_sof->isEnabled());
    }

    void readback_words_and_numbers()
    {
        uiPara* p = uiPara::instance();
        p->set_static_cc_i_range(0);
        p->set_list_mode(1);
        // "5" without its line end, "30\n" and "" all mean the 30 A range;
        // an unknown word leaves the field; averaging 10 is index 4.
        w->deal_cfg_thread(30, readback({{0, "5"}, {5, "5\n"}, {8, ""}, {63, "CURRENT"}, {107, "10\n"}}), {}, 0);
        QCOMPARE(p->get_static_cc_i_range(), 1);
        QCOMPARE(p->get_static_cv_i_range(), 0);
        QCOMPARE(p->get_static_cr_i_range(), 1);
        QCOMPARE(p->get_list_mode(), 1);
        QCOMPARE(p->get_utility_aver(), 4);
        // Not a number: 0.
        w->deal_cfg_thread(30, readback({{2, "abc\n"}}), {}, 0);
        QCOMPARE(p->get_static_cc_i(), 0.0);
    }

    void short_readback_stores_nothing_and_goes_on()
    {
        uiPara* p = uiPara::instance();
        p->set_static_cc_i(1.5);
        w->disconnect_para_signals();
        w->deal_cfg_thread(30, QList<QString>({"30\n", "150\n", "4\n"}), {}, 0);
        QCOMPARE(p->get_static_cc_i(), 1.5);
        QCOMPARE(posted_ops(1), QList<int>{31});
        p->set_utility_sof(true);
        QVERIFY(w->sbar_sof->isEnabled());
        p->set_utility_sof(false);
        QVERIFY(!w->sbar_sof->isEnabled());
    }

    // ---- mode read-back (operation 31)

    void mode_readback_selects_page_and_function_data()
    {
        QTest::addColumn<QList<QString>>("replies");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("func");
        QTest::addColumn<bool>("dynamic");
        QTest::newRow("CC") << mode("BASIC\n", "CURRENT\n", "VOLTAGE\n", "0\n", "0\n", "INT\n") << 0 << 0 << false;
        QTest::newRow("LED") << mode("BASIC\n", "LED\n", "CURRENT\n", "0\n", "0\n", "INT\n") << 0 << 4 << false;
        QTest::newRow("tran CV") << mode("TRAN\n", "CURRENT\n", "VOLTAGE\n", "0\n", "0\n", "INT\n") << 0 << 1 << true;
        QTest::newRow("tran ?") << mode("TRAN\n", "CURRENT\n", "LED\n", "0\n", "0\n", "INT\n") << 0 << 5 << true;
        QTest::newRow("OPP") << mode("OPP\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n") << 1 << 7 << false;
        QTest::newRow("battery") << mode("BATTERY\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n") << 2 << 8
                                 << false;
        QTest::newRow("list") << mode("LIST\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n") << 3 << 13 << false;
        QTest::newRow("program") << mode("PROGRAM\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n") << 4 << 20
                                 << false;
        QTest::newRow("EXTV over BASIC") << mode("BASIC\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "EXTV\n") << 5
                                         << 25 << false;
    }
    void mode_readback_selects_page_and_function()
    {
        QFETCH(QList<QString>, replies);
        QFETCH(int, page);
        QFETCH(int, func);
        QFETCH(bool, dynamic);
        w->is_dynamic = false;
        w->deal_cfg_thread(31, replies, {}, 1);
        QCOMPARE(w->mode_page, page);
        QCOMPARE(w->ui->comboBox_Mode->currentIndex(), page);
        QCOMPARE(w->func_code, func);
        QCOMPARE(w->is_dynamic, dynamic);
        QVERIFY(!w->wait_prompt);
        // The poll follows (after whatever the page's entry asked).
        QTRY_VERIFY(!recorder->served().isEmpty() && recorder->served().last().button_model == 183);
        // The selector's own slot is connected again, once.
        w->ui->comboBox_Mode->setCurrentIndex(page == 0 ? 1 : 0);
        QCOMPARE(w->mode_page, page == 0 ? 1 : 0);
    }

    void mode_readback_layout_only_with_subcode_1()
    {
        w->ui->radioButton_CC_Basic->setChecked(true);
        w->deal_cfg_thread(31, mode("BASIC\n", "POWER\n", "CURRENT\n", "0\n", "0\n", "INT\n"), {}, 0);
        QCOMPARE(w->func_code, 3);
        QVERIFY(w->ui->radioButton_CC_Basic->isChecked());
        w->deal_cfg_thread(31, mode("BASIC\n", "POWER\n", "CURRENT\n", "0\n", "0\n", "INT\n"), {}, 1);
        QVERIFY(w->ui->radioButton_CP_Basic->isChecked());
        QCOMPARE(w->basic_mode, 3);
        // LED shows as CR with its box; a later plain function drops the LED form.
        w->deal_cfg_thread(31, mode("BASIC\n", "LED\n", "CURRENT\n", "0\n", "0\n", "INT\n"), {}, 1);
        QVERIFY(w->is_led);
        QVERIFY(w->ui->radioButton_CR_Basic->isChecked());
        QVERIFY(w->ui->checkBox_LED_Basic->isChecked());
        QCOMPARE(w->basic_mode, 2);
        w->deal_cfg_thread(31, mode("BASIC\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n"), {}, 1);
        QVERIFY(!w->is_led);
        QVERIFY(!w->ui->checkBox_LED_Basic->isChecked());
    }

    void mode_readback_time_test_and_unknown_words()
    {
        w->time_test_flag = true;
        w->mode_page = 2;
        w->ui->comboBox_Mode->blockSignals(true);
        w->ui->comboBox_Mode->setCurrentIndex(2);
        w->ui->comboBox_Mode->blockSignals(false);
        uiPara::instance()->set_utility_sof(true);
        w->sbar_sof->setEnabled(false);
        // "2" leaves the time-test flag; an unknown mode word leaves the page,
        // the status line is still redrawn and the poll still starts.
        w->deal_cfg_thread(31, mode("SOMETHING\n", "CURRENT\n", "CURRENT\n", "2\n", "1\n", "INT\n"), {}, 1);
        QVERIFY(w->time_test_flag);
        QCOMPARE(w->mode_page, 2);
        QVERIFY(w->sbar_sof->isEnabled());
        QVERIFY(w->sbar_short->isEnabled());
        QCOMPARE(posted_ops(1).last(), 183);
        w->deal_cfg_thread(31, mode("SOMETHING\n", "CURRENT\n", "CURRENT\n", "0\n", "0\n", "INT\n"), {}, 1);
        QVERIFY(!w->time_test_flag);
    }

    void static_function_readback()
    {
        // "FUNC?" names the function whose read-back follows, with the widgets.
        QWidget marker;
        w->deal_cfg_thread(26, QList<QString>({"RESISTANCE\n"}), {&marker}, 0);
        const QList<cfg_request_t> p = posts(1);
        QCOMPARE(p[0].button_model, 2);
        QCOMPARE(p[0].write.first(), QStringLiteral("FUNC RES"));
        QCOMPARE(p[0].widgets, QList<QWidget*>{&marker});
        w->deal_cfg_thread(26, QList<QString>({"resistance\n"}), {}, 0);
        QTest::qWait(50);
        QCOMPARE(recorder->served().size(), 1);
    }

    // Replies that lay a page out, posted on a page visit the user has left:
    // the page shown stays as it is, nothing is asked (no poll, no function),
    // the prompt of another wait stays open.
    void page_replies_of_a_visit_left_change_nothing()
    {
        const int left = w->page_visit;
        w->ui->comboBox_Mode->setCurrentIndex(3); // List: Trigger enabled
        recorder->take_served();
        const int func = w->func_code;
        bool prompt_kept = true;
        QTimer replies;
        replies.setSingleShot(true);
        connect(&replies, &QTimer::timeout, this, [&] {
            for (int op : {0, 1, 2, 3, 4, 5, 8, 13, 14, 23, 26, 28, 88, 89, 90, 91, 132}) {
                w->deal_cfg_thread(op, QList<QString>({"RESISTANCE\n"}), {}, left);
                prompt_kept = prompt_kept && w->wait_prompt;
            }
            w->close_wait_prompt(MyMainWindow::wait_t::battery);
        });
        replies.start(0);
        w->show_wait_prompt(QStringLiteral("Battery"), QStringLiteral("Please waiting for the Battery initing"),
                            MyMainWindow::wait_t::battery);
        QVERIFY(prompt_kept);
        QCOMPARE(recorder->take_served().size(), 0);
        QCOMPARE(w->mode_page, 3);
        QCOMPARE(w->func_code, func);
        QVERIFY(w->ui->pushButton_Trig->isEnabled());
    }

    // ---- input, trigger and program run

    void battery_switch_on_without_capacity()
    {
        w->deal_cfg_thread(32, QList<QString>({"12.5\n"}), {}, 185);
        const QList<cfg_request_t> p = posts(1);
        QCOMPARE(p.size(), 1);
        QCOMPARE(p[0].button_model, 185);
        QCOMPARE(p[0].write, QList<QString>({"INP 1"}));
    }

    void battery_switch_on_clears_capacity_on_yes()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes);
        w->deal_cfg_thread(32, QList<QString>({"120\n"}), {}, 185);
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("Do you want to clean up the accumulated capacity?"));
        const QList<cfg_request_t> p = posts(2);
        QCOMPARE(p.size(), 2);
        QCOMPARE(p[0].button_model, 183); // the poll runs while the question is open
        QCOMPARE(p.last().button_model, 185);
        QCOMPARE(p.last().write, QList<QString>({"INP 1", "BATT:ADDCAP:STAT 0"}));
        QCOMPARE(w->ui->label_C_Add->text(), QStringLiteral("Cap_Add:0mAh"));
    }

    void battery_switch_on_keeps_capacity_on_no()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::No);
        w->ui->label_C_Add->setText(QStringLiteral("before"));
        w->deal_cfg_thread(32, QList<QString>({"120\n"}), {}, 185);
        QCOMPARE(posts(2).last().write, QList<QString>({"INP 1", "BATT:ADDCAP:STAT 1"}));
        QCOMPARE(w->ui->label_C_Add->text(), QStringLiteral("before"));
    }

    void battery_switch_off_shows_capacity()
    {
        w->deal_cfg_thread(32, QList<QString>({"250\n"}), {}, 186);
        QCOMPARE(w->ui->label_C_Add->text(), QStringLiteral("Cap_Add:250mAh"));
        QCOMPARE(w->battery_start_state, 2);
        QCOMPARE(posted_ops(1), QList<int>{183});
        // Sub-code 0: the poll again, a moment later.
        recorder->add_request(99, {}, {"MARK?"}, {}, false, 0, false, {});
        QCOMPARE(posted_ops(2), (QList<int>{183, 99}));
        w->deal_cfg_thread(32, QList<QString>({"1\n"}), {}, 0);
        QCOMPARE(posted_ops(3), (QList<int>{183, 99, 183}));
    }

    void trigger_reply_chooses_the_poll()
    {
        // Input off: the measurement poll, whatever the page.
        w->load_switch->setSelectedItem(false);
        w->ui->comboBox_Mode->blockSignals(true);
        w->ui->comboBox_Mode->setCurrentIndex(4);
        w->deal_cfg_thread(82, {}, {}, 0);
        QCOMPARE(posted_ops(1).last(), 183);
        // Program page with steps, input on: the program's run state.
        w->load_switch->setSelectedItem(true);
        w->ui->spinBox_Step_Prog->setValue(3);
        w->deal_cfg_thread(82, {}, {}, 0);
        QCOMPARE(posted_ops(2).last(), 16);
        QVERIFY(recorder->served().last().repeat);
        w->ui->comboBox_Mode->setCurrentIndex(3);
        w->deal_cfg_thread(82, {}, {}, 0);
        QTRY_VERIFY(recorder->served().last().button_model == 15);
        w->ui->comboBox_Mode->blockSignals(false);
    }

    void program_run_state_marks_the_step()
    {
        show_program_page();
        QTableWidget* table = w->ui->tableWidget_Prog;
        table->setRowCount(5);
        for (int row = 0; row < 5; ++row)
            table->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
        // Step 1 running: row 0 green, the others white, the poll goes on.
        w->deal_cfg_thread(16, QList<QString>({"1\n", "0\n", "1\n", "1.5\n", "4.8\n", "3.2\n", "7.2\n", "1\n", "0\n"}), {}, 0);
        QCOMPARE(table->verticalScrollBar()->value(), 0);
        QCOMPARE(table->item(0, 0)->foreground().color(), QColor(Qt::green));
        QCOMPARE(table->item(1, 0)->foreground().color(), QColor(Qt::white));
        QCOMPARE(w->ui->label_C->text(), QStringLiteral("1.5000A"));
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Running 1"));
        QTest::qWait(30);
        QVERIFY(recorder->served().isEmpty());
        // Step 3 paused.
        w->deal_cfg_thread(16, QList<QString>({"3\n", "1\n", "1\n", "1.5\n", "4.8\n", "3.2\n", "7.2\n", "1\n", "0\n"}), {}, 0);
        QCOMPARE(table->item(2, 0)->foreground().color(), QColor(w->halted_colour));
        QCOMPARE(table->item(0, 0)->foreground().color(), QColor(Qt::white));
        QCOMPARE(w->sbar_run_state->text(), QStringLiteral("Program state:Pause 3"));
        // The input went off: one more set is asked, and the next set, read
        // wholly after it, asks the results, once.
        const QList<QString> ended({"5\n", "0\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "0\n"});
        w->deal_cfg_thread(16, ended, {}, 0);
        QCOMPARE(posted_ops(1), QList<int>{16});
        w->deal_cfg_thread(16, ended, {}, 0);
        w->deal_cfg_thread(16, ended, {}, 0);
        const QList<cfg_request_t> p = posts(2);
        QCOMPARE(p.size(), 2);
        QCOMPARE(p.last().button_model, 66);
        QCOMPARE(p.last().query, QList<QString>({"PROG:TEST:ALL?"}));
    }

    // The end of a program run is judged on the second set read with the
    // input off; sets are fed as the load would answer them.
    void program_end_is_judged_on_the_second_set_off_data()
    {
        QTest::addColumn<QList<QList<QString>>>("sets");
        QTest::addColumn<QList<int>>("ops");
        QTest::addColumn<int>("boxes");
        const QList<QString> on({"2\n", "0\n", "1\n", "1\n", "4.8\n", "4.8\n", "4.8\n", "1\n", "1\n"});
        const QList<QString> off({"2\n", "0\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "1\n"});
        const QList<QString> halted({"2\n", "1\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "1\n"});
        // One set off asks one more set and judges nothing yet.
        QTest::newRow("one set off") << QList<QList<QString>>{on, off} << QList<int>{16} << 0;
        QTest::newRow("ended") << QList<QList<QString>>{on, off, off} << QList<int>{16, 66} << 0;
        // The stop state of the first set off was read before the halt.
        QTest::newRow("halted, first set stale") << QList<QList<QString>>{on, off, halted} << QList<int>{16, 183} << 1;
        QTest::newRow("halted, then ended") << QList<QList<QString>>{on, halted, off} << QList<int>{16, 66} << 0;
        // The input back on between: the count starts again.
        QTest::newRow("off, on, off") << QList<QList<QString>>{off, on, halted} << QList<int>{16, 16} << 0;
        QTest::newRow("off, on, off, off")
            << QList<QList<QString>>{off, on, halted, halted} << QList<int>{16, 16, 183} << 1;
    }
    void program_end_is_judged_on_the_second_set_off()
    {
        QFETCH(QList<QList<QString>>, sets);
        QFETCH(QList<int>, ops);
        QFETCH(int, boxes);
        show_program_page();
        modal_answerer answerer;
        for (int i = 0; i < boxes; ++i)
            answerer.press(QMessageBox::Ok);
        for (const QList<QString>& set : sets)
            w->deal_cfg_thread(16, set, {}, 0);
        QCOMPARE(posted_ops(ops.size()), ops);
        QTest::qWait(30);
        QCOMPARE(recorder->served().size(), ops.size());
        QCOMPARE(answerer.boxes().size(), boxes);
    }

    // A post the user makes between the two sets that read the input off
    // (here the input switched off) does not end the run-state reading
    // before the run's end was judged.
    void program_end_is_judged_though_the_user_posts_between()
    {
        show_program_page();
        w->ui->spinBox_Step_Prog->setValue(3);
        w->load_switch->setSelectedItem(true);
        w->deal_cfg_thread(82, {}, {}, 0);
        QCOMPARE(posted_ops(1), QList<int>{16});
        QVERIFY(recorder->served().last().repeat);
        recorder->forget();

        const QList<QString> ended({"3\n", "0\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "0\n"});
        w->deal_cfg_thread(16, ended, {}, 0);
        QTest::mouseClick(w->load_switch, Qt::LeftButton);
        const QList<cfg_request_t> served = posts(2);
        QCOMPARE(served.size(), 2);
        // The run state is read once more, ahead of the user's post, and not
        // as the repeating poll that post replaces.
        QCOMPARE(served[0].button_model, 16);
        QVERIFY(!served[0].repeat);
        QCOMPARE(served[1].button_model, 32);
        QCOMPARE(served[1].write, QList<QString>{"INP 0"});
        // That set, read wholly after the input went off, asks the results.
        w->deal_cfg_thread(16, ended, {}, 0);
        QCOMPARE(posted_ops(3).last(), 66);
    }

    void program_stop_on_fail_warns_and_polls()
    {
        show_program_page();
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        // Stop-on-fail on, running, then paused: nothing to tell.
        w->deal_cfg_thread(16, QList<QString>({"2\n", "0\n", "1\n", "1\n", "4.8\n", "4.8\n", "4.8\n", "1\n", "1\n"}), {}, 0);
        w->deal_cfg_thread(16, QList<QString>({"2\n", "1\n", "1\n", "1\n", "4.8\n", "4.8\n", "4.8\n", "1\n", "1\n"}), {}, 0);
        QTest::qWait(30);
        QVERIFY(answerer.boxes().isEmpty());
        QVERIFY(recorder->served().isEmpty());
        // The input read off with the stop state read before the halt, then
        // a set read after it: halted with the input off, the step failed.
        w->deal_cfg_thread(16, QList<QString>({"2\n", "0\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "1\n"}), {}, 0);
        QVERIFY(answerer.boxes().isEmpty());
        const QList<QString> failed({"2\n", "1\n", "0\n", "0\n", "4.8\n", "0\n", "0\n", "1\n", "1\n"});
        w->deal_cfg_thread(16, failed, {}, 0);
        w->deal_cfg_thread(16, failed, {}, 0);
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes()[0].text, QStringLiteral("SOF set to on\nTest failed, stop running"));
        QCOMPARE(posted_ops(2), (QList<int>{16, 183})); // no results request
    }

    void program_run_state_short_list_is_ignored()
    {
        show_program_page();
        w->ui->label_C->setText(QStringLiteral("x"));
        w->deal_cfg_thread(16, QList<QString>({"1\n", "0\n", "1\n"}), {}, 0);
        QCOMPARE(w->ui->label_C->text(), QStringLiteral("x"));
    }

    // ---- program recall and utility OK

    void program_recall_stores_whole_lists()
    {
        QList<QString> replies;
        for (int i = 0; i < 13; ++i)
            replies << QStringLiteral("1,2\n");
        replies[10] = QStringLiteral("2.5,3.5\n");
        replies << QStringLiteral("2\n");
        w->mode_page = 4;
        w->deal_cfg_thread(65, replies, {}, 0);
        uiPara* p = uiPara::instance();
        QCOMPARE(p->get_program_step(), 2);
        QCOMPARE(p->get_prog_set().mid(0, 2), QStringList({"2.5", "3.5"}));
        QCOMPARE(p->get_prog_vo(), p->get_prog_set());
        // The table is refreshed once, from the store.
        QCOMPARE(w->ui->spinBox_Step_Prog->value(), 2);
        QCOMPARE(w->ui->tableWidget_Prog->rowCount(), 2);
        QTest::qWait(30);
        QVERIFY(recorder->served().isEmpty());
        replies[13] = QStringLiteral("0\n");
        w->deal_cfg_thread(65, replies, {}, 0);
        QCOMPARE(p->get_program_step(), 0);
        QCOMPARE(w->ui->tableWidget_Prog->rowCount(), 0);
    }

    void utility_ok_applies_the_time_test()
    {
        // Switched on while the Basic page shows a dynamic function.
        w->mode_page = 0;
        w->is_dynamic = true;
        w->time_test_flag = true;
        w->set_pending_utility_a(true, 3);
        w->deal_cfg_thread(161, QList<QString>({"1\n"}), {}, 0);
        QVERIFY(!w->time_test_flag);
        QVERIFY(w->ui->label_Ext->isHidden());
        const QList<cfg_request_t> p = posts(1);
        QCOMPARE(p[0].button_model, 9);
        QCOMPARE(p[0].query.size(), 18);
        QCOMPARE(p[0].query.first(), QStringLiteral("SYST:SENS?"));
        QCOMPARE(p[0].query.last(), QStringLiteral("POW:PROT:DEL?"));
        // Static function: on.
        w->is_dynamic = false;
        w->is_led = false;
        w->deal_cfg_thread(161, QList<QString>({"1\n"}), {}, 0);
        QVERIFY(w->time_test_flag);
        QVERIFY(!w->ui->label_Ext->isHidden());
        // Switched off on the External page: the labels stay.
        w->mode_page = 5;
        w->deal_cfg_thread(161, QList<QString>({"0\n"}), {}, 0);
        QVERIFY(!w->time_test_flag);
        QVERIFY(!w->ui->label_Ext->isHidden());
        // No time-test change: the flag is left alone.
        w->time_test_flag = true;
        w->set_pending_utility_a(false, 0);
        w->deal_cfg_thread(161, {}, {}, 0);
        QVERIFY(w->time_test_flag);
        QCOMPARE(posted_ops(4).last(), 9);
    }

    void utility_readback_stores_settings()
    {
        uiPara* p = uiPara::instance();
        w->deal_cfg_thread(9, QList<QString>({"1\n", "0\n", "1\n", "8\n", "2.5\n", "EXTERNAL\n", "1\n", "0\n", "1\n", "1\n",
                                     "0.5\n", "9\n", "1\n", "20\n", "2\n", "1\n", "150\n", "4\n"}),
                           {}, 0);
        QVERIFY(p->get_utility_vrmt());
        QCOMPARE(p->get_utility_aver(), 2);
        QCOMPARE(p->get_utility_trig(), 1);
        QCOMPARE(p->get_utility_power(), 150.0);
        QCOMPARE(posted_ops(1), QList<int>{183});
    }

    // ---- the poll

    void poll_shows_readings_and_input()
    {
        w->func_code = 0;
        w->time_test_flag = false;
        w->deal_cfg_thread(183, QList<QString>({"1\n", "2.5\n", "4.75\n", "1.9\n", "11.875\n", "1\n"}), {}, 0);
        QVERIFY(w->load_switch->getSelectedItem());
        QCOMPARE(w->ui->label_C->text(), QStringLiteral("2.5000A"));
        QCOMPARE(w->ui->label_V->text(), QStringLiteral("4.7500V"));
        QCOMPARE(w->ui->label_R->text(), QString("1.900") + QChar(0x03A9));
        QCOMPARE(w->ui->label_P->text(), QStringLiteral("11.88W"));
        // Input off: current, resistance and power read 0.
        w->deal_cfg_thread(183, QList<QString>({"0\n", "2.5\n", "4.75\n", "1.9\n", "11.875\n", "1\n"}), {}, 0);
        QVERIFY(!w->load_switch->getSelectedItem());
        QCOMPARE(w->ui->label_C->text(), QStringLiteral("0.0000A"));
        QCOMPARE(w->ui->label_V->text(), QStringLiteral("4.7500V"));
        // A short list changes nothing.
        w->deal_cfg_thread(183, QList<QString>({"1\n", "2.5\n"}), {}, 0);
        QVERIFY(!w->load_switch->getSelectedItem());
    }

    void poll_extra_readings()
    {
        uiPara::instance()->set_ext_v_range(1);
        w->func_code = 25;
        w->deal_cfg_thread(183, QList<QString>({"1\n", "0\n", "5\n", "0\n", "0\n", "1\n", "2\n"}), {}, 0);
        QCOMPARE(w->ui->label_Ext_Set->text(), QStringLiteral("V_set : 30.000V"));
        w->func_code = 0;
        w->time_test_flag = true;
        w->deal_cfg_thread(183, QList<QString>({"1\n", "0\n", "5\n", "0\n", "0\n", "1\n", "0.0012\n", "75\n"}), {}, 0);
        QCOMPARE(w->ui->label_Ext->text(), QStringLiteral("T_Rise : 0.0012s"));
        QCOMPARE(w->ui->label_Ext_Set->text(), QStringLiteral("T_Fall : 00:01:15"));
        // Battery: capacity and discharge time in place of resistance and power.
        w->func_code = 8;
        w->battery_start_state = 1;
        w->deal_cfg_thread(183, QList<QString>({"1\n", "1\n", "4\n", "150\n", "3725.9\n", "1\n", "4\n", "4\n"}), {}, 0);
        QCOMPARE(w->ui->label_R->text(), QStringLiteral("150mAh"));
        QCOMPARE(w->ui->label_P->text(), QStringLiteral("01:02:05"));
        QCOMPARE(w->battery_start_state, 0);
    }
};

QTEST_MAIN(tst_reply_side)
#include "tst_reply_side.moc"
