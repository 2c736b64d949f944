// The LAN address dialog and its address entry: typing into the sections,
// focus moves between them, and the addresses kept in the XML configuration.
#include "modal_answerer.h"
#include "program_look.h"

#include "app_paths.h"
#include "ipcreat.h"
#include "lib_xml_t.h"
#include "normalize_ip_address.h"
#include "ui_comm_tree_xml_t.h"
#include "ui_ip_ledit_t.h"
#include "ui_ipline_widget_t.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTranslator>
#include <QtTest>

namespace {

QPushButton* button(QWidget* dialog, const QString& text)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

QMap<QString, QString> stored_addresses()
{
    ui_comm_tree_xml_t xml;
    return xml.get_all_child_node_by_parent(app_paths::config_file(), "manual_tcp_ip", "IP");
}

// Types as a user types: each key goes to the widget that has the focus
// when it is pressed. "\b" is Backspace, "\x01" Ctrl+A, "\x05" End.
void type_keys(const QString& keys)
{
    for (QChar c : keys) {
        QWidget* focused = QApplication::focusWidget();
        if (c == QLatin1Char('\x01'))
            QTest::keyClick(focused, Qt::Key_A, Qt::ControlModifier);
        else if (c == QLatin1Char('\x05'))
            QTest::keyClick(focused, Qt::Key_End);
        else if (c == QLatin1Char('\b'))
            QTest::keyClick(focused, Qt::Key_Backspace);
        else
            QTest::keyClick(focused, c.toLatin1());
    }
}

} // namespace

class tst_dialog_ipcreat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    // Runs first: the element name counter starts with the process.
    void first_add_takes_the_next_free_name();
    void adding_the_same_address_again_and_cancel();
    void invalid_addresses_are_refused();
    void leading_zeros_are_dropped();
    void unwritable_configuration_reports_failure();

    void address_check();
    void typing_moves_through_the_sections();
    void values_above_255_become_255_data();
    void values_above_255_become_255();
    void dots_and_letters_are_ignored();
    void backspace_and_arrows_cross_sections();
    void set_value_writes_without_checks();
    void typed_addresses_come_out_as_typed_data();
    void typed_addresses_come_out_as_typed();
    void select_all_and_paste();
    void cancel_then_open_again_starts_empty();

private:
    // Opens the dialog shown and active, with sections typed from `parts`.
    ipcreat* open_dialog(const QStringList& parts);
    ui_ipline_widget_t* show_entry();

    QScopedPointer<QWidget> m_host;
};

void tst_dialog_ipcreat::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName("Wattlex");
    QFile::remove(app_paths::config_file());
    QVERIFY(app_paths::init());
    lib_xml_t xml;
    QVERIFY(xml.add_node(app_paths::config_file(), "manual_tcp_ip", "IP1", "TCPIP0::10.0.0.1::INSTR"));
    QVERIFY(xml.add_node(app_paths::config_file(), "manual_tcp_ip", "IP2", "TCPIP0::10.0.0.2::INSTR"));
}

void tst_dialog_ipcreat::init()
{
    m_host.reset(new QWidget);
    m_host->resize(400, 300);
}

ipcreat* tst_dialog_ipcreat::open_dialog(const QStringList& parts)
{
    auto* dialog = new ipcreat(m_host.data());
    dialog->address_widget()->set_value(parts);
    dialog->show();
    if (!QTest::qWaitForWindowActive(dialog))
        qWarning("dialog not active");
    return dialog;
}

ui_ipline_widget_t* tst_dialog_ipcreat::show_entry()
{
    auto* entry = new ui_ipline_widget_t(m_host.data());
    m_host->show();
    if (!QTest::qWaitForWindowActive(m_host.data()))
        qWarning("window not active");
    return entry;
}

void tst_dialog_ipcreat::first_add_takes_the_next_free_name()
{
    QPointer<ipcreat> dialog = new ipcreat(m_host.data());
    dialog->show();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QCOMPARE(dialog->windowTitle(), QString("IP"));
    QCOMPARE(dialog->size(), QSize(332, 195));
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);

    // Typed as a user would: each full section moves on by itself.
    const QList<ui_ip_ledit_t*> sections = dialog->address_widget()->sections();
    sections[0]->setFocus();
    sections[0]->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "127");
    QTest::keyClicks(QApplication::focusWidget(), "0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "0");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QCOMPARE(dialog->address_widget()->get_value(), (QStringList{"127", "0", "0", "1"}));

    QSignalSpy result(dialog.data(), &ipcreat::ip_create_form_btn_signal);
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QCOMPARE(result.size(), 1);
    QCOMPARE(result[0][0].value<ipcreat*>(), dialog.data());
    QCOMPARE(result[0][1].toInt(), 0);
    // Closing is the opener's part.
    QVERIFY(dialog && dialog->isVisible());

    const QMap<QString, QString> stored = stored_addresses();
    QCOMPARE(stored.size(), 3);
    QCOMPARE(stored.value("IP3"), QString("TCPIP0::127.0.0.1::INSTR"));
    dialog->close();
    QTRY_VERIFY(!dialog);
}

void tst_dialog_ipcreat::adding_the_same_address_again_and_cancel()
{
    QFile config(app_paths::config_file());
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QByteArray before = config.readAll();
    config.close();

    ipcreat* dialog = open_dialog({"10", "0", "0", "2"});
    QSignalSpy result(dialog, &ipcreat::ip_create_form_btn_signal);
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QTest::mouseClick(button(dialog, "Cancel"), Qt::LeftButton);
    QCOMPARE(result.size(), 2);
    QCOMPARE(result[0][1].toInt(), 2);
    QCOMPARE(result[1][1].toInt(), 2);
    QVERIFY(config.open(QIODevice::ReadOnly));
    QCOMPARE(config.readAll(), before);
    delete dialog;
}

void tst_dialog_ipcreat::invalid_addresses_are_refused()
{
    const QList<QStringList> bad = {
        {"0", "0", "0", "0"},       // as the dialog opens
        {"192", "", "1", "20"},     // a section left empty
        {"0", "10", "1", "20"},     // "this network"
        {"255", "255", "255", "255"},
        {"19a", "168", "1", "20"},  // pasted letters
    };
    const int stored = stored_addresses().size();
    for (const QStringList& parts : bad) {
        ipcreat* dialog = open_dialog(parts);
        QSignalSpy result(dialog, &ipcreat::ip_create_form_btn_signal);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes()[0].text, QString("Please enter a valid IP address."));
        QCOMPARE(answerer.boxes()[0].title, QString("Warning"));
        QVERIFY2(result.isEmpty(), qPrintable(parts.join('.')));
        QVERIFY(dialog->isVisible());
        delete dialog;
    }
    QCOMPARE(stored_addresses().size(), stored);
}

void tst_dialog_ipcreat::leading_zeros_are_dropped()
{
    ipcreat* dialog = open_dialog({"192", "168", "001", "010"});
    QSignalSpy result(dialog, &ipcreat::ip_create_form_btn_signal);
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QCOMPARE(result.size(), 1);
    QCOMPARE(result[0][1].toInt(), 0);
    QVERIFY(stored_addresses().values().contains("TCPIP0::192.168.1.10::INSTR"));
    // The same address typed plainly is already there.
    dialog->address_widget()->set_value(QList<int>{192, 168, 1, 10});
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QCOMPARE(result.size(), 2);
    QCOMPARE(result[1][1].toInt(), 2);
    delete dialog;
}

void tst_dialog_ipcreat::unwritable_configuration_reports_failure()
{
    const QString path = app_paths::config_file();
    const QString kept = path + ".kept";
    QFile::remove(kept);
    QVERIFY(QFile::rename(path, kept));
    // A folder where the file should be: it can be neither read nor written.
    QVERIFY(QDir().mkpath(path));
    ipcreat* dialog = open_dialog({"192", "168", "7", "7"});
    QSignalSpy result(dialog, &ipcreat::ip_create_form_btn_signal);
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QCOMPARE(result.size(), 1);
    QCOMPARE(result[0][1].toInt(), 1);
    delete dialog;
    QVERIFY(QDir(path).removeRecursively());
    QVERIFY(QFile::rename(kept, path));
}

void tst_dialog_ipcreat::address_check()
{
    QString out = "untouched";
    QVERIFY(normalize_ip_address("192.168.1.20", &out));
    QCOMPARE(out, QString("192.168.1.20"));
    QVERIFY(normalize_ip_address("010.001.000.255", &out));
    QCOMPARE(out, QString("10.1.0.255"));
    out = "untouched";
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1..3.4", "a.b.c.d", "256.1.1.1", "1.2.3.4 ", " 1.2.3.4",
                            "1.2.3.-4", "1.2.3.+4", "1.2.3.0004", "0.1.2.3", "255.255.255.255", "１.2.3.4"}) {
        QVERIFY2(!normalize_ip_address(QString::fromUtf8(bad), &out), bad);
        QCOMPARE(out, QString("untouched"));
    }
}

void tst_dialog_ipcreat::typing_moves_through_the_sections()
{
    ui_ipline_widget_t* entry = show_entry();
    const QList<ui_ip_ledit_t*> s = entry->sections();
    QCOMPARE(s.size(), 4);
    QCOMPARE(entry->get_value(), (QStringList{"0", "0", "0", "0"}));
    for (ui_ip_ledit_t* section : s)
        QCOMPARE(section->maxLength(), 3);

    s[0]->setFocus();
    s[0]->selectAll();
    QTest::keyClicks(s[0], "192");
    // The third digit moves on and selects the next section's text.
    QVERIFY(s[1]->hasFocus());
    QCOMPARE(s[1]->selectedText(), QString("0"));
    QTest::keyClicks(s[1], "168");
    QVERIFY(s[2]->hasFocus());
    QTest::keyClicks(s[2], "1");
    QVERIFY(s[2]->hasFocus());
    // Right at the end of the text moves on, with the cursor at 0.
    QTest::keyClick(s[2], Qt::Key_Right);
    QVERIFY(s[3]->hasFocus());
    QCOMPARE(s[3]->cursorPosition(), 0);
    QTest::keyClick(s[3], Qt::Key_Delete);
    QTest::keyClicks(s[3], "200");
    // The last section keeps the focus.
    QVERIFY(s[3]->hasFocus());
    QCOMPARE(entry->get_value(), (QStringList{"192", "168", "1", "200"}));
    QCOMPARE(entry->get_visa_resource(), QString("TCPIP0::192.168.1.200::INSTR"));
}

void tst_dialog_ipcreat::values_above_255_become_255_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("moves_on"); // a section typed full and valid moves on
    QTest::newRow("255 kept") << "255" << "255" << true;
    QTest::newRow("256") << "256" << "255" << false;
    QTest::newRow("259: 25 then 9") << "259" << "255" << false;
    QTest::newRow("300") << "300" << "255" << false;
}

void tst_dialog_ipcreat::values_above_255_become_255()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(bool, moves_on);
    ui_ipline_widget_t* entry = show_entry();
    ui_ip_ledit_t* s0 = entry->sections()[0];
    s0->setFocus();
    s0->selectAll();
    QTest::keyClicks(s0, typed);
    QCOMPARE(s0->text(), shown);
    QCOMPARE(s0->hasFocus(), !moves_on);
    QCOMPARE(entry->sections()[1]->hasFocus(), moves_on);
    if (!moves_on) // a capped value leaves the cursor at 0
        QCOMPARE(s0->cursorPosition(), 0);
}

void tst_dialog_ipcreat::dots_and_letters_are_ignored()
{
    ui_ipline_widget_t* entry = show_entry();
    ui_ip_ledit_t* s0 = entry->sections()[0];
    s0->setFocus();
    s0->selectAll();
    // Letters, blanks and signs never reach the text; a dot ends the section.
    QTest::keyClicks(s0, "1a-2 ");
    QCOMPARE(s0->text(), QString("12"));
    QVERIFY(s0->hasFocus());
    QTest::keyClick(s0, Qt::Key_Period);
    QVERIFY(entry->sections()[1]->hasFocus());
    QCOMPARE(entry->sections()[1]->selectedText(), QString("0"));
    // Tab moves on as anywhere else.
    QTest::keyClick(entry->sections()[1], Qt::Key_Tab);
    QVERIFY(entry->sections()[2]->hasFocus());
}

void tst_dialog_ipcreat::backspace_and_arrows_cross_sections()
{
    ui_ipline_widget_t* entry = show_entry();
    const QList<ui_ip_ledit_t*> s = entry->sections();
    entry->set_value(QStringList{"10", "20", "30", "40"});

    // Backspace deletes within the section; at its start it steps back over
    // the dot, with the cursor at the end of the previous section.
    s[2]->setFocus();
    s[2]->setCursorPosition(1);
    QTest::keyClick(s[2], Qt::Key_Backspace);
    QCOMPARE(s[2]->text(), QString("0"));
    QVERIFY(s[2]->hasFocus());
    QCOMPARE(s[2]->cursorPosition(), 0);
    QTest::keyClick(s[2], Qt::Key_Backspace);
    QVERIFY(s[1]->hasFocus());
    QCOMPARE(s[1]->cursorPosition(), 2);

    QTest::keyClick(s[1], Qt::Key_Backspace);
    QCOMPARE(s[1]->text(), QString("2"));
    QVERIFY(s[1]->hasFocus());

    // Left at position 0 moves back; in the first section nothing happens.
    s[1]->setCursorPosition(0);
    QTest::keyClick(s[1], Qt::Key_Left);
    QVERIFY(s[0]->hasFocus());
    QCOMPARE(s[0]->cursorPosition(), 2);
    s[0]->setCursorPosition(0);
    QTest::keyClick(s[0], Qt::Key_Up);
    QVERIFY(s[0]->hasFocus());
    QTest::keyClick(s[0], Qt::Key_Backspace);
    QVERIFY(s[0]->hasFocus());

    // Down moves forwards like Right; at the end of the last section it stays.
    s[0]->setCursorPosition(2);
    QTest::keyClick(s[0], Qt::Key_Down);
    QVERIFY(s[1]->hasFocus());
    s[3]->setFocus();
    s[3]->setCursorPosition(2);
    QTest::keyClick(s[3], Qt::Key_Right);
    QVERIFY(s[3]->hasFocus());
    QCOMPARE(entry->get_value(), (QStringList{"10", "2", "0", "40"}));
}

void tst_dialog_ipcreat::set_value_writes_without_checks()
{
    ui_ipline_widget_t* entry = show_entry();
    const QList<ui_ip_ledit_t*> s = entry->sections();
    s[0]->setFocus();
    entry->set_value(QList<int>{192, 168, 100, 200});
    QCOMPARE(entry->get_value(), (QStringList{"192", "168", "100", "200"}));
    // Three-digit values set by the program move no focus.
    QVERIFY(s[0]->hasFocus());
    entry->set_value(QStringList{"1", "2", "3"});
    entry->set_value(QList<int>{1, 2, 3, 4, 5});
    QCOMPARE(entry->get_value(), (QStringList{"192", "168", "100", "200"}));
    // The checks are back after a set: typing still caps at 255.
    s[1]->selectAll();
    s[1]->setFocus();
    s[1]->selectAll();
    QTest::keyClicks(s[1], "999");
    QCOMPARE(s[1]->text(), QString("255"));
}

void tst_dialog_ipcreat::typed_addresses_come_out_as_typed_data()
{
    QTest::addColumn<QStringList>("before"); // the sections as the dialog opens
    QTest::addColumn<QString>("keys");       // see type_keys
    QTest::addColumn<QString>("address");
    const QStringList fresh{"0", "0", "0", "0"};
    QTest::newRow("loopback") << fresh << "127.0.0.1" << "127.0.0.1";
    QTest::newRow("private") << fresh << "192.168.1.10" << "192.168.1.10";
    QTest::newRow("short sections") << fresh << "8.8.4.4" << "8.8.4.4";
    QTest::newRow("zeros") << fresh << "10.0.0.254" << "10.0.0.254";
    QTest::newRow("no dot after full sections") << fresh << "100200150.1" << "100.200.150.1";
    QTest::newRow("backspace over a dot") << fresh << "192.168.1.100\b\b\b\b\b2.7" << "192.168.2.7";
    QTest::newRow("over an old address") << QStringList{"10", "0", "0", "2"} << "\x01" "172.16.5.1" << "172.16.5.1";
    QTest::newRow("erased and typed again") << QStringList{"192", "0", "0", "0"} << "\x01\b" "192168.3.4"
                                            << "192.168.3.4";
    QTest::newRow("full section typed on") << QStringList{"192", "168", "0", "0"} << "\x05" "1.2.3" << "192.1.2.3";
}

// Typed from the first section as a user types: every key goes to the
// section that has the focus at the time.
void tst_dialog_ipcreat::typed_addresses_come_out_as_typed()
{
    QFETCH(QStringList, before);
    QFETCH(QString, keys);
    QFETCH(QString, address);
    ipcreat* dialog = open_dialog(before);
    const QList<ui_ip_ledit_t*> s = dialog->address_widget()->sections();
    QTest::mouseClick(s[0], Qt::LeftButton);
    QVERIFY(s[0]->hasFocus());
    type_keys(keys);
    QCOMPARE(dialog->address_widget()->get_value().join('.'), address);

    // OK keeps exactly that address.
    QSignalSpy result(dialog, &ipcreat::ip_create_form_btn_signal);
    QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
    QCOMPARE(result.size(), 1);
    QVERIFY(stored_addresses().values().contains("TCPIP0::" + address + "::INSTR"));
    delete dialog;
}

void tst_dialog_ipcreat::select_all_and_paste()
{
    ipcreat* dialog = open_dialog({"10", "20", "30", "40"});
    ui_ipline_widget_t* entry = dialog->address_widget();
    const QList<ui_ip_ledit_t*> s = entry->sections();
    QTest::mouseClick(s[1], Qt::LeftButton);
    type_keys("\x01");
    QCOMPARE(s[1]->selectedText(), QString("20"));

    // A whole address pasted into any section fills all four.
    QApplication::clipboard()->setText(" 192.168.100.7\n");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(entry->get_value(), (QStringList{"192", "168", "100", "7"}));
    QVERIFY(s[3]->hasFocus());

    // Part of one is typed in from the section it is pasted into.
    QTest::mouseClick(s[1], Qt::LeftButton);
    type_keys("\x01");
    QApplication::clipboard()->setText("16.5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(entry->get_value(), (QStringList{"192", "16", "5", "7"}));
    // Other text brings nothing but its digits and dots.
    type_keys("\x01");
    QApplication::clipboard()->setText("x");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(entry->get_value(), (QStringList{"192", "16", "5", "7"}));

    // With WATTLEX_SHOT_DIR: the entry after typing, in both languages.
    QFile qss(":/resource/QSS.qss");
    QVERIFY(qss.open(QIODevice::ReadOnly | QIODevice::Text));
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
    save_shot(dialog, "ipcreat_typed_en");
    QTranslator chinese;
    QVERIFY(chinese.load(":/languages/Wattlex_zh.qm"));
    QCoreApplication::installTranslator(&chinese);
    ipcreat* zh = open_dialog(entry->get_value());
    QCOMPARE(zh->windowTitle(), QString("IP"));
    QVERIFY(clipped_texts(zh).isEmpty());
    save_shot(zh, "ipcreat_typed_zh");
    QCoreApplication::removeTranslator(&chinese);
    qApp->setStyleSheet(QString());
    delete zh;
    delete dialog;
}

void tst_dialog_ipcreat::cancel_then_open_again_starts_empty()
{
    ipcreat* dialog = open_dialog({"0", "0", "0", "0"});
    QTest::mouseClick(dialog->address_widget()->sections()[0], Qt::LeftButton);
    type_keys("10.9.8.7");
    QCOMPARE(dialog->address_widget()->get_value(), (QStringList{"10", "9", "8", "7"}));
    QTest::mouseClick(button(dialog, "Cancel"), Qt::LeftButton);
    delete dialog;
    auto* again = new ipcreat(m_host.data());
    QCOMPARE(again->address_widget()->get_value(), (QStringList{"0", "0", "0", "0"}));
    delete again;
}

QTEST_MAIN(tst_dialog_ipcreat)
#include "tst_dialog_ipcreat.moc"
