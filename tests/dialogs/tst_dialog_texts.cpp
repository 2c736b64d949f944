// Every text of the dialogs fits its widget, in English and in Chinese,
// drawn with the program's own fonts; the About box's lines; and, when
// WATTLEX_SHOT_DIR names a folder, a picture of every dialog per language.
#include "connectWindow.h"
#include "ui_connectwindow.h"
#include "init_ui_font_names.h"
#include "ipcreat.h"
#include "recordSetting.h"
#include "uiPara.h"
#include "ui_about_info_t.h"
#include "ui_ui_about_info_t.h"
#include "utilitySetting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Room a widget's text needs, and what it has, for each text shown.
QStringList clipped_texts(QWidget* root)
{
    QStringList problems;
    auto report = [&](QWidget* w, const QString& text, int need, int have) {
        if (need > have)
            problems << QString("%1 \"%2\": needs %3 px, has %4").arg(w->objectName(), text).arg(need).arg(have);
    };
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        const QFontMetrics fm(w->font());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->text().isEmpty() || label->wordWrap())
                continue;
            report(w, label->text(), label->sizeHint().width(), label->width());
            report(w, label->text(), fm.tightBoundingRect(label->text()).height(), label->height());
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            // 2 px border and a little air on each side.
            report(w, push->text(), fm.horizontalAdvance(push->text()) + 8, push->width());
            report(w, push->text(), fm.tightBoundingRect(push->text()).height() + 4, push->height());
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* button = static_cast<QAbstractButton*>(w);
            report(w, button->text(), button->sizeHint().width(), button->width());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            int need = fm.horizontalAdvance(group->title()) + 16;
            if (group->isCheckable())
                need += group->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, group)
                        + group->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, group);
            report(w, group->title(), need, group->width());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const int arrow = 20;
            for (int i = 0; i < combo->count(); ++i)
                report(w, combo->itemText(i), fm.horizontalAdvance(combo->itemText(i)) + arrow + 6, combo->width());
        }
    }
    return problems;
}

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
             w->fill_usb_table({"USB0::0x1AB1::0x0E11::SN0001::INSTR", "USB0::0x1AB1::0x0E11::SN0002::INSTR"});
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

    QString m_resource_family;
    std::unique_ptr<QTranslator> m_translator;
};

void tst_dialog_texts::initTestCase()
{
    const int id = QFontDatabase::addApplicationFont(":/resource/NotoSansCJKsc-Regular.otf");
    QVERIFY(id >= 0);
    m_resource_family = QFontDatabase::applicationFontFamilies(id).value(0);
    QVERIFY(!m_resource_family.isEmpty());
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
    const QString family = chinese ? names.second : names.first;
    QFont::insertSubstitution(family, m_resource_family);
    QFont::insertSubstitution("Calibri", m_resource_family);
    QFont font(family);
    font.setPixelSize(11);
    QApplication::setFont(font);
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

    const QString shots = qEnvironmentVariable("WATTLEX_SHOT_DIR");
    if (!shots.isEmpty()) {
        QDir().mkpath(shots);
        QVERIFY(w->grab().save(QDir(shots).filePath(QString("%1_%2.png").arg(c.name, chinese ? "zh" : "en"))));
    }
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
