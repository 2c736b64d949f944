// Every window a user meets, of the live main window and of the older one,
// with its dialogs: each check box, radio button and checkable group box
// shows its indicator, checked and unchecked, at a contrast of at least 3:1
// against the ground around it, and each text at least 4.5:1, measured on
// the window as drawn, in English and in Chinese. With WATTLEX_SHOT_DIR
// set, a picture of each goes there.
#include "mainwindow.h"
#include "mymainwindow.h"

#include "ui_mainwindow.h"
#include "ui_mymainwindow.h"

#include "BaseWindow.h"
#include "app_paths.h"
#include "custom_spinbox.h"
#include "init_ui_font_names.h"
#include "ip_address_dialog.h"
#include "program_look.h"
#include "uiPara.h"
#include "ui_qsplashscreen_t.h"
#include "ui_translations_t.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>

#include <functional>

namespace {

// A window of the live program (`live` set) or of the older one (`older`
// set): what to open, and the window to judge once it shows.
struct window_row
{
    const char* name;
    std::function<QWidget*(MyMainWindow*)> live;
    std::function<QWidget*(MainWindow*)> older;
};

QWidget* shown_secondary(QWidget* owner, const char* class_name)
{
    for (QWidget* w : owner->findChildren<QWidget*>())
        if (w->isWindow() && w->isVisible() && QByteArray(w->metaObject()->className()) == class_name)
            return w;
    return nullptr;
}

std::function<QWidget*(MyMainWindow*)> live_page(int page)
{
    return [page](MyMainWindow* w) -> QWidget* {
        w->ui->comboBox_Mode->setCurrentIndex(page);
        return w;
    };
}

std::function<QWidget*(MyMainWindow*)> live_window(const char* class_name, std::function<void(MyMainWindow*)> open)
{
    return [=](MyMainWindow* w) -> QWidget* {
        open(w);
        QWidget* shown = nullptr;
        if (!QTest::qWaitFor([&] { return (shown = shown_secondary(w, class_name)) != nullptr; }, 5000))
            return nullptr;
        return shown;
    };
}

// A page of the older window: main tab, the static or utility tab under it,
// the auxiliary frame shown alone.
std::function<QWidget*(MainWindow*)> older_page(int main_tab, int sub_tab, QFrame* MainWindow::*frame)
{
    return [=](MainWindow* w) -> QWidget* {
        w->ui->model_sel->setCurrentIndex(main_tab);
        if (main_tab == 0)
            w->ui->static_pattern->setCurrentIndex(sub_tab);
        if (main_tab == 3)
            w->ui->utility_tabwidget->setCurrentIndex(sub_tab);
        QFrame* frames[] = {w->aux_button_frame, w->ocp_frame, w->opp_frame, w->battery_page, w->list_page,
                             w->program_page};
        for (QWidget* f : frames)
            f->setVisible(frame && f == w->*frame);
        return w;
    };
}

QList<window_row> rows()
{
    return {
        {"splash",
         [](MyMainWindow* w) -> QWidget* {
             auto* splash = new ui_qsplashscreen_t(w, QPixmap(QStringLiteral(":/resource/splash_screen.png")));
             splash->show();
             return splash;
         },
         {}},
        {"main_basic", live_page(0), {}},
        {"main_protect", live_page(1), {}},
        {"main_battery", live_page(2), {}},
        {"main_list", live_page(3), {}},
        {"main_program", live_page(4), {}},
        {"main_ext", live_page(5), {}},
        {"main_list_halted_step",
         [](MyMainWindow* w) -> QWidget* {
             live_page(3)(w);
             // The load reports its list halted at step 2, input on.
             w->deal_list_trigger_thread(2, 1, 1);
             return w;
         },
         {}},
        {"utility", live_window("utilitySetting", [](MyMainWindow* w) { w->ui->actionSetting->trigger(); }), {}},
        {"about", live_window("ui_about_info_t", [](MyMainWindow* w) { w->ui->actionAbout_Wattlex->trigger(); }), {}},
        {"record_settings",
         live_window("recordSetting", [](MyMainWindow* w) { w->ui->pushButton_Record_Setting->click(); }), {}},
        {"connect", live_window("connectWindow", [](MyMainWindow* w) { w->ui->actionConnect->trigger(); }), {}},
        {"address", live_window("ipcreat", [](MyMainWindow* w) { QMetaObject::invokeMethod(w, "deal_action_creatnet"); }), {}},
        {"list_preview",
         live_window("ListPreviewWin", [](MyMainWindow* w) { w->ui->pushButton_Preview_List->click(); }), {}},
        {"prog_result", live_window("ProgResultWin",
                                    [](MyMainWindow* w) {
                                        // A run's end: Pass, Over MAX, Below MIN.
                                        uiPara* para = uiPara::instance();
                                        para->set_program_step(3);
                                        for (int i = 0; i < 3; ++i) {
                                            para->set_prog_min_by_index("1", i);
                                            para->set_prog_max_by_index("10", i);
                                        }
                                        w->deal_prog_result_operating_button({"5,12.3456,0.5\n"});
                                    }),
         {}},
        {"older_cc", {}, older_page(0, 0, nullptr)},
        {"older_cv", {}, older_page(0, 1, nullptr)},
        {"older_cr", {}, older_page(0, 2, nullptr)},
        {"older_cp", {}, older_page(0, 3, nullptr)},
        {"older_led", {}, older_page(0, 4, nullptr)},
        {"older_dynamic", {}, older_page(1, -1, nullptr)},
        {"older_aux", {}, older_page(2, -1, &MainWindow::aux_button_frame)},
        {"older_ocp", {}, older_page(2, -1, &MainWindow::ocp_frame)},
        {"older_opp", {}, older_page(2, -1, &MainWindow::opp_frame)},
        {"older_battery", {}, older_page(2, -1, &MainWindow::battery_page)},
        {"older_list", {}, older_page(2, -1, &MainWindow::list_page)},
        {"older_program", {}, older_page(2, -1, &MainWindow::program_page)},
        {"older_configure", {}, older_page(3, 0, nullptr)},
        {"older_sltm", {}, older_page(3, 1, nullptr)},
        {"older_limit", {}, older_page(3, 2, nullptr)},
        {"older_list_halted_step", {},
         [](MainWindow* w) -> QWidget* {
             older_page(2, -1, &MainWindow::list_page)(w);
             // The load reports its list halted at step 2, input on.
             w->deal_list_trigger_thread(2, 1, 1);
             return w;
         }},
        {"older_usb", {},
         [](MainWindow* w) -> QWidget* {
             w->device_list = {QStringLiteral("USB0::0x5AB5::0x0E11::WX3A000001::INSTR")};
             w->deal_usb_button();
             return w->usb_dialog_window;
         }},
        {"older_ip_address", {},
         [](MainWindow* w) -> QWidget* {
             w->last_ip_sections = {"192", "168", "1", "20"};
             w->deal_vxi11_button();
             return w->ip_window;
         }},
        {"older_program_results", {},
         [](MainWindow* w) -> QWidget* {
             w->program_steps_spin->set_value(2);
             w->program_results = {{"1", "Pass", "1.500(CC)"}, {"2", "Fail", "Below MIN: 0.500(CC)"}};
             w->deal_prog_result_button();
             return w->program_form;
         }},
        {"older_about", {},
         [](MainWindow* w) -> QWidget* {
             w->deal_idn_readback({QStringLiteral("Tervane,WLX1200X,WX3A000001,1.02\n")});
             for (QWidget* top : QApplication::topLevelWidgets())
                 if (qobject_cast<BaseWindow*>(top) && top->isVisible())
                     return top;
             return nullptr;
         }},
    };
}

// Installs the language's catalogues and fonts as start-up does.
bool use_language(ui_translations_t* translations, bool chinese)
{
    MyMainWindow::set_ui_language(chinese ? "chinese" : "english");
    const auto names = init_ui_font_names();
    return translations->install(chinese) && !use_program_font(chinese ? names.second : names.first).isEmpty();
}

// What a window greys beside the value box it disables (the box's caption
// and unit): texts of a disabled control, which need not reach 4.5:1.
QList<QWidget*> greyed_with(QWidget* window, const QString& grey_style)
{
    QList<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->styleSheet().remove(QLatin1Char(' ')) == grey_style)
            out << w;
    return out;
}

} // namespace

class tst_control_contrast : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controls_and_texts_stand_out_data();
    void controls_and_texts_stand_out();
};

void tst_control_contrast::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());
}

void tst_control_contrast::controls_and_texts_stand_out_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("which");
    const QList<window_row> all = rows();
    for (bool chinese : {false, true})
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(QString("%1_%2").arg(all[i].name, chinese ? "zh" : "en"))) << chinese << i;
}

void tst_control_contrast::controls_and_texts_stand_out()
{
    QFETCH(bool, chinese);
    QFETCH(int, which);
    const window_row row = rows()[which];
    ui_translations_t translations;
    QVERIFY(use_language(&translations, chinese));
    const QString shot = QString("contrast_%1_%2").arg(row.name, chinese ? "zh" : "en");

    QStringList problems;
    if (row.live) {
        MyMainWindow window;
        window.resize(1366, 700); // a laptop screen's room
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* judged = row.live(&window);
        QVERIFY(judged);
        QVERIFY(QTest::qWaitForWindowExposed(judged));
        problems = faint_indicators(judged)
                   + low_contrast_texts(judged, 4.5, greyed_with(judged, "color:" + window.disabled_colour));
        save_shot(judged, shot);
        if (judged != &window) {
            judged->setAttribute(Qt::WA_DeleteOnClose, false);
            judged->close();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!window.device_scan_busy(), 20000);
    } else {
        // The older window with the program's style sheet over everything.
        const program_style_sheet_t theme;
        QVERIFY(theme.ok);
        MainWindow window;
        // As the load reports it: the short off, its button unlit.
        window.deal_fixed_value(QString(), "BASIC\n", "CC\n", 0, 0, QString());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* judged = row.older(&window);
        QVERIFY(judged);
        QVERIFY(QTest::qWaitForWindowExposed(judged));
        problems = faint_indicators(judged) + low_contrast_texts(judged, 4.5, greyed_with(judged, "color:grey"));
        save_shot(judged, shot);
        if (judged != &window)
            judged->close();
    }
    for (const QString& p : problems)
        qWarning().noquote() << p;
    QVERIFY2(problems.isEmpty(), qPrintable(QString("%1 controls or texts too faint").arg(problems.size())));
}

QTEST_MAIN(tst_control_contrast)
#include "tst_control_contrast.moc"
