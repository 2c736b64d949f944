// The program in Chinese, set up as start-up sets it up (catalogue, fonts):
// the main window, its menus and status line, the utility dialog and the
// About box opened from the menus show no English words, and their texts
// fit. With WATTLEX_SHOT_DIR set, pictures of the three go there.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"
#include "ui_ui_about_info_t.h"

#include "app_paths.h"
#include "init_ui_font_names.h"
#include "ui_about_info_t.h"
#include "utilitySetting.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
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

// Texts wider (or taller) than their widget.
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
            if (label->text().isEmpty() || label->wordWrap() || !label->pixmap(Qt::ReturnByValue).isNull())
                continue;
            report(w, label->text(), label->sizeHint().width(), label->width());
            report(w, label->text(), fm.tightBoundingRect(label->text()).height(), label->height());
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            report(w, push->text(), fm.horizontalAdvance(push->text()) + 8, push->width());
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
            for (int i = 0; i < combo->count(); ++i)
                report(w, combo->itemText(i), fm.horizontalAdvance(combo->itemText(i)) + 26, combo->width());
        }
    }
    return problems;
}

void save_shot(QWidget* w, const QString& name)
{
    const QString dir = qEnvironmentVariable("WATTLEX_SHOT_DIR");
    if (dir.isEmpty())
        return;
    QDir().mkpath(dir);
    QVERIFY(w->grab().save(QDir(dir).filePath(name + ".png")));
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
    const int id = QFontDatabase::addApplicationFont(":/resource/NotoSansCJKsc-Regular.otf");
    QVERIFY(id >= 0);
    const QString resource_family = QFontDatabase::applicationFontFamilies(id).value(0);
    QVERIFY(m_translator.load(":/languages/Wattlex_zh.qm"));
    QCoreApplication::installTranslator(&m_translator);
    MyMainWindow::set_ui_language("chinese");
    QFont::insertSubstitution(init_ui_font_names().second, resource_family);
    QFont::insertSubstitution("Calibri", resource_family);
    QFont font(init_ui_font_names().second);
    font.setPixelSize(11);
    QApplication::setFont(font);

    m_window.reset(new MyMainWindow);
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
    QMenuBar* bar = m_window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000))
        return false;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    return QTest::qWaitFor([menu] { return !menu->isVisible(); }, 3000);
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
