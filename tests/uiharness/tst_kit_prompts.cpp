// Prompts, dark message boxes, the splash screen and the seconds timer,
// answered through the modal answerer.
#include "modal_answerer.h"

#include "custom_messagebox.h"
#include "ui_prompt_t.h"
#include "ui_qmessagebox_t.h"
#include "ui_qsplashscreen_t.h"
#include "ui_timer_t.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest>

#include <climits>

class tst_kit_prompts : public QObject
{
    Q_OBJECT

private slots:
    void ask_two_buttons()
    {
        ui_prompt_t prompt(nullptr, true);
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes).press(QMessageBox::No).close_box();
        QCOMPARE(prompt.ask_two_buttons("Continue the test?"), 0);
        QCOMPARE(prompt.ask_two_buttons("Continue the test?"), 1);
        QCOMPARE(prompt.ask_two_buttons("Continue the test?"), 1);
        QVERIFY(answerer.errors().isEmpty());
        QCOMPARE(answerer.boxes().size(), 3);
        const auto& box = answerer.boxes().at(0);
        QCOMPARE(box.class_name, QString("ui_qmessagebox_t"));
        QCOMPARE(box.title, QString("Wattlex"));
        QCOMPARE(box.text, QString("Continue the test?"));
        QCOMPARE(box.icon, int(QMessageBox::Question));
        QCOMPARE(box.buttons, (QStringList {"Yes", "No"}));
    }

    void ask_save_changes()
    {
        ui_prompt_t prompt;
        modal_answerer answerer;
        answerer.press(QMessageBox::No).close_box().press(QMessageBox::Yes).press(QMessageBox::Cancel);
        QCOMPARE(prompt.ask_save_changes("data.csv"), 1);
        QCOMPARE(prompt.ask_save_changes("data.csv"), 2);
        QCOMPARE(prompt.ask_save_changes("data.csv"), 0);
        QCOMPARE(prompt.ask_save_changes("data.csv"), 2);
        QVERIFY(answerer.errors().isEmpty());
        QCOMPARE(answerer.boxes().at(0).text, QString("Save changes to the file data.csv ?"));
        QCOMPARE(answerer.boxes().at(0).buttons.size(), 3);
    }

    void ask_two_buttons_2_and_show_info()
    {
        ui_prompt_t prompt;
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok).press(QMessageBox::Cancel).close_box().press(QMessageBox::Ok);
        QCOMPARE(prompt.ask_two_buttons_2("Only Ok", false), 3);
        QCOMPARE(prompt.ask_two_buttons_2("Ok or Cancel", true), 2);
        QCOMPARE(prompt.show_info("Stopped"), 3);  // closing a box with only Ok is Ok
        QCOMPARE(prompt.show_already_running(), 3);
        QVERIFY(answerer.errors().isEmpty());
        QCOMPARE(answerer.boxes().at(0).buttons, QStringList {"OK"});
        QCOMPARE(answerer.boxes().at(0).icon, int(QMessageBox::Information));
        QCOMPARE(answerer.boxes().at(1).buttons, (QStringList {"OK", "Cancel"}));
        QCOMPARE(answerer.boxes().at(2).icon, int(QMessageBox::Critical));
        QCOMPARE(answerer.boxes().at(3).text, QString("Wattwave Instance already running."));
    }

    void prompt_boxes_are_modal_and_dark()
    {
        ui_prompt_t prompt;
        modal_answerer answerer;
        bool modal = false;
        QString sheet;
        answerer.act([&](QWidget* w) {
            modal = w->isModal();
            sheet = w->styleSheet();
            static_cast<QMessageBox*>(w)->button(QMessageBox::Yes)->click();
        });
        QCOMPARE(prompt.ask_two_buttons("?"), 0);
        QVERIFY(modal);
        QCOMPARE(sheet, ui_qmessagebox_t::dark_style_sheet());
    }

    void dark_style_sheet()
    {
        const QString& s = ui_qmessagebox_t::dark_style_sheet();
        QCOMPARE(s.size(), 1386);
        QVERIFY(s.startsWith("QMessageBox{background-color: rgb(51, 51, 51);}"));
        QVERIFY(s.endsWith("QToolTip{background-color: blue;color: rgb(0, 0, 0)}"));
        ui_qmessagebox_t a(nullptr);
        ui_qmessagebox_t b(QMessageBox::Warning, "t", "x", QMessageBox::Ok);
        QCOMPARE(a.styleSheet(), s);
        QCOMPARE(b.styleSheet(), s);
    }

    void custom_messagebox_returns_the_button()
    {
        modal_answerer answerer;
        QIcon icon;
        answerer.act([&](QWidget* w) {
            icon = w->windowIcon();
            static_cast<QMessageBox*>(w)->button(QMessageBox::No)->click();
        });
        custom_messagebox box(QMessageBox::Warning, "Battery", "Clean up?", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.exec(), int(QMessageBox::No));
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes().value(0), QSize(256, 256));
    }

    void wait_prompt_offers_no_button()
    {
        modal_answerer answerer;
        answerer.leave_open();
        custom_messagebox box(QMessageBox::Warning, "Initial", "Please waiting for the data initing",
                              QMessageBox::NoButton, nullptr, Qt::Dialog);
        QTimer::singleShot(100, &box, [&box] { box.done(0); });
        box.exec();
        QCOMPARE(answerer.boxes().size(), 1);
        QVERIFY(answerer.boxes().at(0).buttons.isEmpty());
        QVERIFY(box.buttons().isEmpty());
    }

    void splash_labels()
    {
        ui_qsplashscreen_t splash(QPixmap(":/resource/splash_screen.png"));
        QVERIFY(!splash.pixmap().isNull());
        QCOMPARE(splash.product_label()->text(), QString("Wattlex"));
        QCOMPARE(splash.product_label()->pos(), QPoint(10, 5));
        QCOMPARE(splash.version_label()->text(), QString("V8.5"));
        QCOMPARE(splash.version_label()->pos(), QPoint(252, 75));
        QCOMPARE(splash.loading_label()->text(), QString("Loading files, please wait ..."));
        QCOMPARE(splash.loading_label()->pos(), QPoint(10, 75));
        splash.timer_refresh_slot_func();
        splash.timer_refresh_slot_func();
        QCOMPARE(splash.loading_label()->text(), QString("Loading files, please wait .."));
        splash.set_version_text("V9");
        QCOMPARE(splash.version_label()->text(), QString("V9"));
    }

    void splash_ignores_clicks()
    {
        ui_qsplashscreen_t splash(QPixmap(":/resource/splash_screen.png"));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QTest::mouseClick(&splash, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QCoreApplication::processEvents();
        QVERIFY(splash.isVisible());
        // Every label fits inside the picture.
        for (QLabel* l : {splash.product_label(), splash.version_label(), splash.loading_label()})
            QVERIFY2(splash.rect().contains(l->geometry()), qPrintable(l->text()));
    }

    void splash_with_parent_is_owned_and_top_level()
    {
        auto* parent = new QWidget;
        QPointer<ui_qsplashscreen_t> splash = new ui_qsplashscreen_t(parent, QPixmap(":/resource/splash_screen.png"));
        QVERIFY(splash->isWindow());
        QCOMPARE(splash->parentWidget(), parent);
        delete parent;
        QVERIFY(splash.isNull());
    }

    void timer_seconds()
    {
        ui_timer_t t;
        QVERIFY(!t.parent());
        t.set_interval_seconds(0.0015);
        QCOMPARE(t.interval(), 1);
        t.set_interval_seconds(2.5);
        QCOMPARE(t.interval(), 2500);
        t.set_interval_seconds(-3);
        QCOMPARE(t.interval(), 0);
        t.set_interval_seconds(1e12);
        QCOMPARE(t.interval(), INT_MAX);
    }
};

QTEST_MAIN(tst_kit_prompts)
#include "tst_kit_prompts.moc"
