// The interface language as start-up sets it: the splash screen already in
// the stored language, Qt's own dialogs and buttons in Chinese with the
// program's Chinese, and the Chinese main window's mode names and seconds.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "app_paths.h"
#include "app_start_t.h"
#include "custom_messagebox.h"
#include "file_dialog.h"
#include "lib_xml_t.h"
#include "program_look.h"
#include "ui_qsplashscreen_t.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

class tst_language_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void start_up_speaks_the_stored_language_data();
    void start_up_speaks_the_stored_language();
    void chinese_mode_names_and_seconds();
};

void tst_language_look::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());
}

void tst_language_look::start_up_speaks_the_stored_language_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("loading");
    QTest::addColumn<QString>("ok");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("en") << "english" << "Loading files, please wait ..." << "OK" << "Cancel";
    QTest::newRow("zh") << "chinese" << QString::fromUtf8("正在加载文件，请稍候 ...") << QString::fromUtf8("确定")
                        << QString::fromUtf8("取消");
}

void tst_language_look::start_up_speaks_the_stored_language()
{
    QFETCH(QString, language);
    QFETCH(QString, loading);
    QFETCH(QString, ok);
    QFETCH(QString, cancel);
    QVERIFY(lib_xml_t().write_node_text(app_paths::config_file(), QString::fromLatin1(lib_xml_t::language_name),
                                        language));

    app_start_t start;
    start.begin();
    const bool chinese = language == "chinese";
    QCOMPARE(start.chinese(), chinese);
    QCOMPARE(MyMainWindow::ui_language(), language);

    // The splash, the first thing shown, in the language; its lines fit.
    ui_qsplashscreen_t* splash = start.splash();
    QVERIFY(splash && splash->isVisible());
    QVERIFY(QTest::qWaitForWindowExposed(splash));
    QCOMPARE(splash->loading_label()->text(), loading);
    QVERIFY2(clipped_texts(splash).isEmpty(), qPrintable(clipped_texts(splash).join('\n')));
    save_shot(splash, "splash_" + QString(chinese ? "zh" : "en"));

    // Qt's own texts: the standard buttons of a box, the file dialog.
    QCOMPARE(start.translations().qt_catalogue().isEmpty(), !chinese);
    custom_messagebox box(QMessageBox::Warning, "Wattlex", "-", QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), ok);
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), cancel);
    if (chinese) {
        std::unique_ptr<QFileDialog> dialog(
            wattlex_make_file_dialog(nullptr, "-", QDir::tempPath(), "list(*.list)", QFileDialog::AcceptSave));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QStringList english;
        const QRegularExpression word("[A-Za-z]{2,}");
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            QString text;
            if (auto* label = qobject_cast<QLabel*>(w))
                text = label->text();
            else if (auto* button = qobject_cast<QAbstractButton*>(w))
                text = button->text();
            if (w->isVisible() && text.contains(word))
                english << text;
        }
        QVERIFY2(english.isEmpty(), qPrintable(english.join(" | ")));
    }
}

void tst_language_look::chinese_mode_names_and_seconds()
{
    QVERIFY(lib_xml_t().write_node_text(app_paths::config_file(), QString::fromLatin1(lib_xml_t::language_name),
                                        "chinese"));
    app_start_t start;
    start.begin();
    MyMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The protection page runs over-current and over-power tests.
    QCOMPARE(window.ui->comboBox_Mode->itemText(1), QString::fromUtf8("过流/过功率保护测试"));
    const QStringList clipped = clipped_texts(window.ui->centralwidget).filter("comboBox_Mode");
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));

    // Seconds are written as "s", like the window's other units, on every
    // page and on the trend's time axis.
    QStringList with_miao;
    int seconds_units = 0;
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (label->text().contains(QString::fromUtf8("秒")))
            with_miao << label->objectName() + ": " + label->text();
        if (label->text() == "s")
            ++seconds_units;
    }
    QVERIFY2(with_miao.isEmpty(), qPrintable(with_miao.join(" | ")));
    QVERIFY(seconds_units >= 2);
    QCOMPARE(QCoreApplication::translate("ui_xt_scale_draw_t", "30s"), QString("30s"));
}

QTEST_MAIN(tst_language_look)
#include "tst_language_look.moc"
