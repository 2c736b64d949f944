// The program in Chinese, set up as start-up sets it up (catalogue, fonts):
// the main window, its menus and status line, the utility dialog and the
// About box opened from the menus show no English words, and their texts
// fit. With WATTLEX_SHOT_DIR set, pictures of the three go there.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"
#include "ui_ui_about_info_t.h"

#include "app_paths.h"
#include "init_ui_font_names.h"
#include "program_look.h"
#include "ui_about_info_t.h"
#include "user_input.h"
#include "utilitySetting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTranslator>
#include <QtTest>

namespace {

// Latin words a Chinese interface keeps: units, the load's mode and signal
// abbreviations, the product name.
const QStringList kept_words = {"V",  "A",  "W",   "s",   "mAh", "mΩ",  "kΩ",  "Ω",   "us",     "CC",
                                "CV", "CR", "CP",  "LED", "Von", "Io",  "Vo",  "Rco", "Wattlex"};

// Every text shown in `root` (and its visible children) that holds a Latin
// word the Chinese interface does not keep.
QStringList english_texts(QWidget* root)
{
    QStringList shown;
    shown << root->windowTitle();
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w))
            shown << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            shown << button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            shown << group->title();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                shown << combo->itemText(i);
    }
    QStringList english;
    const QRegularExpression word(QString::fromUtf8("[A-Za-zΩ]+"));
    for (const QString& text : shown) {
        auto it = word.globalMatch(text);
        while (it.hasNext()) {
            if (!kept_words.contains(it.next().captured())) {
                english << text;
                break;
            }
        }
    }
    return english;
}

} // namespace

class tst_chinese_window : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void menus_and_status_line();
    void main_window();
    void utility_dialog();
    void about_box();

private:
    // Opens `menu` from the menu bar and clicks `action` in it.
    bool choose(QMenu* menu, QAction* action);

    QTranslator m_translator;
    std::unique_ptr<MyMainWindow> m_window;
};

void tst_chinese_window::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());

    // As start-up does it: the resource font, the catalogue, the families.
    QVERIFY(m_translator.load(":/languages/Wattlex_zh.qm"));
    QCoreApplication::installTranslator(&m_translator);
    MyMainWindow::set_ui_language("chinese");
    QVERIFY(!use_program_font(init_ui_font_names().second).isEmpty());

    m_window.reset(new MyMainWindow);
    // As on a 1366x768 laptop (the window opens no larger than the screen,
    // and the offscreen one is 800x600).
    m_window->resize(1366, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void tst_chinese_window::cleanupTestCase()
{
    m_window.reset();
    QCoreApplication::removeTranslator(&m_translator);
}

bool tst_chinese_window::choose(QMenu* menu, QAction* action)
{
    return choose_from_menu(m_window->menuBar(), menu, action);
}

void tst_chinese_window::menus_and_status_line()
{
    // Menu titles and their entries, as the menu bar shows them.
    QStringList english;
    const QRegularExpression latin("[A-Za-z]{2,}");
    for (QAction* top : m_window->menuBar()->actions()) {
        QStringList texts = {top->text()};
        if (top->menu())
            for (QAction* a : top->menu()->actions())
                if (!a->isSeparator())
                    texts << a->text();
        for (const QString& t : texts)
            if (t.contains(latin) && !t.contains("Wattlex"))
                english << t;
    }
    QVERIFY2(english.isEmpty(), qPrintable(english.join(" | ")));
    QCOMPARE(m_window->ui->menuLanguage->title(), QString::fromUtf8("语言"));
    QVERIFY(m_window->ui->actionChinese->isChecked());

    // Every switch and the trigger and averaging read-outs of the status line.
    m_window->update_trig_state(1);
    m_window->update_aver_state(4);
    QStatusBar* bar = m_window->statusBar();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QVERIFY2(english_texts(bar).isEmpty(), qPrintable(english_texts(bar).join(" | ")));
    QVERIFY2(clipped_texts(bar).isEmpty(), qPrintable(clipped_texts(bar).join(" | ")));
    QCOMPARE(m_window->sbar_trig->text(), QString::fromUtf8("触发：外部"));
}

void tst_chinese_window::main_window()
{
    save_shot(m_window.get(), "main_window_zh");
    QCOMPARE(m_window->ui->comboBox_Mode->itemText(0), QString::fromUtf8("基础测试"));
    QVERIFY2(english_texts(m_window.get()).isEmpty(), qPrintable(english_texts(m_window.get()).join(" | ")));

    // The External page before its first reading (as during a settings load).
    m_window->ui->comboBox_Mode->setCurrentIndex(5);
    QCOMPARE(m_window->ui->label_Ext->text(), QString::fromUtf8("外部电压 : 0.000V"));
    QCOMPARE(m_window->ui->label_Ext_Set->text(), QString::fromUtf8("设定电流 : 0.000A"));
    QVERIFY2(english_texts(m_window.get()).isEmpty(), qPrintable(english_texts(m_window.get()).join(" | ")));
    m_window->ui->comboBox_Mode->setCurrentIndex(0);
}

void tst_chinese_window::utility_dialog()
{
    QVERIFY(choose(m_window->ui->menuUtility, m_window->ui->actionSetting));
    utilitySetting* dialog = nullptr;
    QVERIFY(QTest::qWaitFor([&] { return (dialog = m_window->findChild<utilitySetting*>()) && dialog->isVisible(); }));
    QPointer<utilitySetting> guard(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    save_shot(dialog, "utility_zh");
    QCOMPARE(dialog->windowTitle(), QString::fromUtf8("系统设置"));
    QVERIFY2(english_texts(dialog).isEmpty(), qPrintable(english_texts(dialog).join(" | ")));
    QVERIFY2(clipped_texts(dialog).isEmpty(), qPrintable(clipped_texts(dialog).join(" | ")));
    dialog->close();
    QTRY_VERIFY(!guard);
}

void tst_chinese_window::about_box()
{
    QVERIFY(choose(m_window->ui->menuAbout, m_window->ui->actionAbout_Wattlex));
    ui_about_info_t* box = nullptr;
    QVERIFY(QTest::qWaitFor([&] { return (box = m_window->findChild<ui_about_info_t*>()) && box->isVisible(); }));
    QPointer<ui_about_info_t> guard(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    save_shot(box, "about_zh");
    QCOMPARE(box->form()->label_version->text(), QString::fromUtf8("版本：8.5"));
    QVERIFY2(english_texts(box).isEmpty(), qPrintable(english_texts(box).join(" | ")));
    QVERIFY2(clipped_texts(box).isEmpty(), qPrintable(clipped_texts(box).join(" | ")));
    // OK closes and deletes it; a second one opens as the first did.
    QTest::mouseClick(box->form()->btn_ok, Qt::LeftButton);
    QTRY_VERIFY(!guard);
    QVERIFY(choose(m_window->ui->menuAbout, m_window->ui->actionAbout_Wattlex));
    QTRY_COMPARE(m_window->findChildren<ui_about_info_t*>().size(), 1);
    m_window->findChild<ui_about_info_t*>()->close();
    QTRY_COMPARE(m_window->findChildren<ui_about_info_t*>().size(), 0);
}

QTEST_MAIN(tst_chinese_window)
#include "tst_chinese_window.moc"
