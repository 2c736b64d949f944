// Every text of the dialogs fits its widget, in English and in Chinese,
// drawn with the program's own fonts; the About box's lines; and, when
// WATTLEX_SHOT_DIR names a folder, a picture of every dialog per language.
#include "connectWindow.h"
#include "ui_connectwindow.h"
#include "init_ui_font_names.h"
#include "ipcreat.h"
#include "program_look.h"
#include "recordSetting.h"
#include "uiPara.h"
#include "ui_about_info_t.h"
#include "ui_ui_about_info_t.h"
#include "utilitySetting.h"

#include <QApplication>
#include <QFile>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

struct dialog_case
{
    const char* name;
    std::function<QWidget*(QWidget* parent)> make;
};

QList<dialog_case> dialogs()
{
    return {
        {"connect",
         [](QWidget* p) {
             auto* w = new connectWindow(p);
             w->fill_usb_table({"USB0::0x5AB5::0x0E11::SN0001::INSTR", "USB0::0x5AB5::0x0E11::SN0002::INSTR"});
             return w;
         }},
        {"connect_lan",
         [](QWidget* p) {
             auto* w = new connectWindow(p);
             w->form()->tabWidget->setCurrentIndex(1);
             w->form()->lineEdit_ip->setText("192.168.100.200");
             return w;
         }},
        {"ipcreat", [](QWidget* p) { return new ipcreat(p); }},
        {"record",
         [](QWidget* p) {
             auto* w = new recordSetting(p);
             w->set_record_para("/home/user/Desktop/trend.csv", true, true, 0, 10, 0, 100000, false, 1);
             return w;
         }},
        {"utility",
         [](QWidget* p) {
             auto* w = new utilitySetting(p);
             w->init_utility_value();
             return w;
         }},
        {"about", [](QWidget* p) { return new ui_about_info_t(p); }},
    };
}

} // namespace

class tst_dialog_texts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void texts_fit_data();
    void texts_fit();
    void about_box();
    void about_box_in_chinese();

private:
    // Installs the language's catalogue and fonts as the program does.
    void use_language(bool chinese);

    std::unique_ptr<QTranslator> m_translator;
};

void tst_dialog_texts::initTestCase()
{
    QVERIFY(!use_program_font().isEmpty());
    // The program's dark theme reaches every dialog through its parent.
    QFile qss(":/resource/QSS.qss");
    QVERIFY(qss.open(QIODevice::ReadOnly | QIODevice::Text));
    qApp->setStyleSheet(QString::fromUtf8(qss.readAll()));
}

void tst_dialog_texts::use_language(bool chinese)
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator.reset(new QTranslator);
    QVERIFY(m_translator->load(chinese ? ":/languages/Wattlex_zh.qm" : ":/languages/Wattlex_en.qm"));
    QCoreApplication::installTranslator(m_translator.get());

    const auto names = init_ui_font_names();
    use_program_font(chinese ? names.second : names.first);
}

void tst_dialog_texts::texts_fit_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("which");
    const QList<dialog_case> all = dialogs();
    for (bool chinese : {false, true})
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(QString("%1_%2").arg(all[i].name, chinese ? "zh" : "en"))) << chinese << i;
}

void tst_dialog_texts::texts_fit()
{
    QFETCH(bool, chinese);
    QFETCH(int, which);
    use_language(chinese);
    QWidget host;
    host.resize(800, 600);
    const dialog_case c = dialogs()[which];
    QWidget* w = c.make(&host);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    const QStringList problems = clipped_texts(w);

    save_shot(w, QString("%1_%2").arg(c.name, chinese ? "zh" : "en"));
    delete w;
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
}

void tst_dialog_texts::about_box()
{
    use_language(false);
    ui_about_info_t box;
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    QCOMPARE(box.windowTitle(), QString("About Wattlex"));
    QCOMPARE(box.size(), QSize(377, 258));
    QCOMPARE(box.windowModality(), Qt::ApplicationModal);
    QCOMPARE(box.get_version_text(), QString("Version:8.5"));
    QCOMPARE(box.form()->label_version->text(), QString("Version:8.5"));
    QCOMPARE(box.form()->label_exe_name->text(), QString("Wattlex"));
    QVERIFY(!box.form()->label_exe_icon->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(box.form()->label_right->styleSheet(), QString("color: white;background-color: transparent;"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QTest::mouseClick(box.form()->btn_ok, Qt::LeftButton);
    QVERIFY(!box.isVisible());
}

void tst_dialog_texts::about_box_in_chinese()
{
    use_language(true);
    ui_about_info_t box;
    box.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(box.windowTitle() != "About Wattlex");
    QVERIFY(box.get_version_text().endsWith(":8.5") || box.get_version_text().endsWith(QString::fromUtf8("：8.5")));
    QVERIFY(!box.get_version_text().startsWith("Version:"));
    QVERIFY(box.form()->label_right->text() != "All rights reserved.");
    use_language(false);
}

QTEST_MAIN(tst_dialog_texts)
#include "tst_dialog_texts.moc"
