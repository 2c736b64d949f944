// The modal windows of both main windows, and the live one's list preview
// and program result, opened the user's way: each is a dialog-type window
// whose transient parent is its main window, so that a window manager keeps
// it in front (a click on the main window must not bury it). Modality, title
// and close button are what they were.
#include "mainwindow.h"
#include "mymainwindow.h"

#include "ui_mainwindow.h"
#include "ui_mymainwindow.h"

#include "BaseWindow.h"
#include "cfg_thread_t.h"
#include "connectWindow.h"
#include "custom_picture.h"
#include "file_dialog_stub.h"
#include "ip_address_dialog.h"
#include "ipcreat.h"
#include "ListPreviewWin.h"
#include "modal_answerer.h"
#include "ProgResultWin.h"
#include "recordSetting.h"
#include "ui_about_info_t.h"
#include "user_input.h"
#include "utilitySetting.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

namespace {

// What a shown modal window is, read while it is shown.
struct seen_t
{
    bool looked = false;
    QString title;
    Qt::WindowType type = Qt::Widget;
    Qt::WindowModality modality = Qt::NonModal;
    bool transient_for_main = false;
    bool frameless = false;
    bool close_button = false;
};

seen_t look_at(QWidget* window, QWidget* main)
{
    seen_t s;
    s.looked = true;
    s.title = window->windowTitle();
    s.type = window->windowType();
    s.modality = window->windowModality();
    s.frameless = window->windowFlags().testFlag(Qt::FramelessWindowHint);
    s.close_button = window->windowFlags().testFlag(Qt::WindowCloseButtonHint);
    const QWindow* handle = window->windowHandle();
    s.transient_for_main = handle && main->windowHandle() && handle->transientParent() == main->windowHandle();
    return s;
}

// Returns the window it has opened, or null for a box run in its own loop,
// which the answerer has looked at (into `seen`) and closed.
using opener_t = std::function<QWidget*(QWidget* main, modal_answerer& answerer, seen_t* seen)>;

struct row_t
{
    const char* name;
    bool older; // the older window (MainWindow), else the live one
    opener_t open;
    const char* title;
    Qt::WindowModality modality;
    bool frameless; // the older window's own title bar, else the window manager's with a close button
};

// Looks at the next box and presses its button.
void look_and_press(modal_answerer& answerer, QWidget* main, seen_t* seen, QMessageBox::StandardButton button)
{
    answerer.act([main, seen, button](QWidget* box) {
        *seen = look_at(box, main);
        if (auto* m = qobject_cast<QMessageBox*>(box))
            m->button(button)->click();
    });
}

// Looks at the modal box with `text` as it shows: a wait box that its
// thread ends at once may be gone before the answerer polls.
class look_when_shown : public QObject
{
public:
    look_when_shown(QWidget* main, seen_t* seen, const QString& text)
        : main(main), seen(seen), text(text)
    {
        qApp->installEventFilter(this);
    }
    ~look_when_shown() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (event->type() == QEvent::Show && box && box->isModal() && box->text() == text && !seen->looked)
            *seen = look_at(box, main);
        return false;
    }

private:
    QWidget* main;
    seen_t* seen;
    QString text;
};

MyMainWindow* live(QWidget* w) { return static_cast<MyMainWindow*>(w); }
MainWindow* older(QWidget* w) { return static_cast<MainWindow*>(w); }

// The older window's Connect Dialog, opened by its button (no load is found
// offline); its USB list then offers `found`.
QWidget* older_connect_dialog(QWidget* main, const QList<QString>& found)
{
    MainWindow* w = older(main);
    QTest::mouseClick(w->ui->connect_device, Qt::LeftButton);
    w->device_list = found;
    return w->connect_dialog_window;
}

// A capacity left from earlier discharges, as the battery start's reply
// brings it: the question whether to clear it, answered No.
opener_t capacity_question(bool older_window)
{
    return [older_window](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
        look_and_press(answerer, main, seen, QMessageBox::No);
        cfg_thread_t* thread = older_window ? older(main)->cfg_thread : live(main)->cfg_thread;
        emit thread->send_result(32, {QStringLiteral("5\n")}, {}, 185);
        return nullptr;
    };
}

// The older window's settings file roads: Recall of a file the load's side
// refuses, or Save. The box with `looked_at` is looked at as it shows.
opener_t older_settings_file(bool save, const char* looked_at)
{
    return [save, looked_at](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
        MainWindow* w = older(main);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("settings.wlx"));
        if (!save) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write("nothing,of,the,kind") <= 0)
                return nullptr;
        }
        file_dialog_stub files;
        files.answer(path);
        look_when_shown look(main, seen, QString::fromUtf8(looked_at));
        // The wait box ends when its thread does (perhaps before a poll); the
        // refusal is closed.
        answerer.leave_open();
        if (!save)
            answerer.press(QMessageBox::Close);
        w->connected = true;
        QTest::mouseClick(save ? w->ui->save_button : w->ui->recall_button, Qt::LeftButton);
        w->connected = false;
        return nullptr;
    };
}

const QString usb_load = QStringLiteral("USB0::0x5AB5::0x0E11::WX3A000001::INSTR");

QList<row_t> rows()
{
    return {
        {"live: Utility > Setting", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             MyMainWindow* w = live(main);
             if (!choose_from_menu(w->menuBar(), w->ui->menuUtility, w->ui->actionSetting))
                 return nullptr;
             return w->findChild<utilitySetting*>();
         },
         "Utility", Qt::WindowModal, false},
        {"live: Record Setting", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             QTest::mouseClick(live(main)->ui->pushButton_Record_Setting, Qt::LeftButton);
             return main->findChild<recordSetting*>();
         },
         "Record Settings", Qt::WindowModal, false},
        {"live: Connect > Connect", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             MyMainWindow* w = live(main);
             if (!choose_from_menu(w->menuBar(), w->ui->menuConnect, w->ui->actionConnect))
                 return nullptr;
             return w->findChild<connectWindow*>();
         },
         "Connect", Qt::WindowModal, false},
        {"live: Help > About", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             live(main)->ui->actionAbout_Wattlex->trigger();
             return main->findChild<ui_about_info_t*>();
         },
         "About Wattlex", Qt::ApplicationModal, false},
        {"live: address entry", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             QMetaObject::invokeMethod(main, "deal_action_creatnet");
             return main->findChild<ipcreat*>();
         },
         "IP", Qt::ApplicationModal, false},
        {"live: list run complete", false,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             // The run-state reply that reads the input off, on the List page.
             look_and_press(answerer, main, seen, QMessageBox::Ok);
             const int page = std::exchange(live(main)->mode_page, 3);
             live(main)->deal_cfg_thread(15, {"1\n", "0\n", "0\n", "0\n", "0\n", "0\n", "0\n"}, {}, 0);
             live(main)->mode_page = page;
             return nullptr;
         },
         "Warning", Qt::ApplicationModal, false},
        {"live: disconnect question", false,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             // Asked with the input off; No keeps the (pretended) session.
             look_and_press(answerer, main, seen, QMessageBox::No);
             live(main)->is_connected = true;
             live(main)->on_pushButton_Disconnect_clicked();
             live(main)->is_connected = false;
             return nullptr;
         },
         "disconnect_dialog", Qt::ApplicationModal, false},
        {"live: wait prompt", false,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             // Connect > Refresh: the prompt stays until the device scan ends.
             MyMainWindow* w = live(main);
             look_when_shown look(main, seen, MyMainWindow::tr("Refreshing devices, please wait."));
             answerer.leave_open();
             choose_from_menu(w->menuBar(), w->ui->menuConnect, w->ui->actionRefresh);
             return nullptr;
         },
         "Connect", Qt::ApplicationModal, false},
        {"live: battery capacity question", false, capacity_question(false), "Battery", Qt::ApplicationModal, false},
        // Not modal, but in front all the same: the main window is worked in
        // while they are open.
        {"live: List Preview", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             MyMainWindow* w = live(main);
             w->ui->comboBox_Mode->setCurrentIndex(3);
             QTest::mouseClick(w->ui->pushButton_Preview_List, Qt::LeftButton);
             return w->list_preview_win;
         },
         "List Preview", Qt::NonModal, false},
        {"live: Program Result at a run's end", false,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             // The results of a run that has ended, while the user works on
             // the main window.
             MyMainWindow* w = live(main);
             w->ui->comboBox_Mode->setCurrentIndex(4);
             if (!show_active(w))
                 return nullptr;
             emit w->cfg_thread->send_result(66, {QStringLiteral("1.5,\n")}, {}, 0);
             // Brought up over the main window, not only shown.
             QWidget* result = w->prog_result_win;
             return QTest::qWaitFor([result] { return QApplication::activeWindow() == result; }) ? result : nullptr;
         },
         "Program Result", Qt::NonModal, false},
        {"older: Connect Dialog", true,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* { return older_connect_dialog(main, {}); },
         "", Qt::ApplicationModal, true},
        {"older: USB Connect Dialog", true,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             QWidget* dialog = older_connect_dialog(main, {usb_load});
             if (!dialog)
                 return nullptr;
             QTest::mouseClick(older(main)->usb_button, Qt::LeftButton);
             return older(main)->usb_dialog_window;
         },
         "", Qt::ApplicationModal, true},
        {"older: IP address", true,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             if (!older_connect_dialog(main, {}))
                 return nullptr;
             QTest::mouseClick(older(main)->vxi11_button, Qt::LeftButton);
             return older(main)->ip_window;
         },
         "IP address", Qt::ApplicationModal, true},
        {"older: no USB load found", true,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             if (older_connect_dialog(main, {})) {
                 look_and_press(answerer, main, seen, QMessageBox::Ok);
                 QTest::mouseClick(older(main)->usb_button, Qt::LeftButton);
             }
             return nullptr;
         },
         "Warning", Qt::ApplicationModal, false},
        {"older: settings file refused", true, older_settings_file(false, "It's not the correct file!"), "",
         Qt::ApplicationModal, false},
        {"older: BNC question", true,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             MainWindow* w = older(main);
             look_and_press(answerer, main, seen, QMessageBox::No);
             w->connected = true;
             w->deal_imon_on();
             w->connected = false;
             return nullptr;
         },
         "dialog", Qt::ApplicationModal, false},
        {"older: read-back wait box", true,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             // The static page: its settings are read back.
             MainWindow* w = older(main);
             QTabBar* tabs = w->ui->model_sel->tabBar();
             answerer.act([w, seen](QWidget* box) {
                 *seen = look_at(box, w);
                 w->close_wait_box(); // as the read-back does
             });
             w->connected = true;
             QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
             w->connected = false;
             return nullptr;
         },
         "Static Dialog", Qt::ApplicationModal, false},
        {"older: disconnect question", true,
         [](QWidget* main, modal_answerer& answerer, seen_t* seen) -> QWidget* {
             look_and_press(answerer, main, seen, QMessageBox::No);
             QTest::mouseClick(older(main)->status_picture, Qt::LeftButton);
             return nullptr;
         },
         "disconnect_dialog", Qt::ApplicationModal, false},
        {"older: About", true,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             // Help asks the load who it is; About shows the answer.
             MainWindow* w = older(main);
             w->connected = true;
             QTest::mouseClick(w->ui->help_button, Qt::LeftButton);
             emit w->cfg_thread->send_result(83, {QStringLiteral("WLX,WLX1200X,000001,1.00\n")}, {}, 0);
             w->connected = false;
             for (QWidget* top : QApplication::topLevelWidgets())
                 if (qobject_cast<BaseWindow*>(top) && top->isVisible() && top != w->program_form)
                     return top;
             return nullptr;
         },
         "", Qt::ApplicationModal, false},
        {"older: battery capacity question", true, capacity_question(true), "battery_dialog", Qt::ApplicationModal, false},
        {"older: settings file setting", true, older_settings_file(false, "Please waiting for the file setting"), "",
         Qt::ApplicationModal, false},
        {"older: settings file saving", true, older_settings_file(true, "Please waiting for the file saving"), "",
         Qt::ApplicationModal, false},
        {"older: program results", true,
         [](QWidget* main, modal_answerer&, seen_t*) -> QWidget* {
             MainWindow* w = older(main);
             w->program_results = {{"1", "Pass", "1.500(CC)"}};
             w->deal_prog_result_button();
             return w->program_form;
         },
         "program_form", Qt::ApplicationModal, false},
    };
}

} // namespace

class tst_modal_windows : public QObject
{
    Q_OBJECT

private slots:
    void in_front_of_their_main_window_data();
    void in_front_of_their_main_window();
};

void tst_modal_windows::in_front_of_their_main_window_data()
{
    QTest::addColumn<int>("row");
    const QList<row_t> all = rows();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(all.at(i).name) << i;
}

void tst_modal_windows::in_front_of_their_main_window()
{
    QFETCH(int, row);
    const row_t r = rows().at(row);
    std::unique_ptr<QWidget> main;
    if (r.older)
        main.reset(new MainWindow);
    else
        main.reset(new MyMainWindow);
    QVERIFY(show_active(main.get()));

    modal_answerer answerer;
    seen_t seen;
    if (QWidget* shown = r.open(main.get(), answerer, &seen)) {
        QPointer<QWidget> window = shown;
        QVERIFY(window->isVisible());
        seen = look_at(window, main.get());
        QVERIFY(window->close());
        QTRY_VERIFY(!window || !window->isVisible());
    } else {
        // Looked at in its own loop (an answer kept for a box that may
        // come and go unseen is not needed).
        QTRY_VERIFY(seen.looked);
    }
    QCOMPARE(seen.title, QString::fromUtf8(r.title));
    QCOMPARE(seen.type, Qt::Dialog);
    QVERIFY(seen.transient_for_main);
    QCOMPARE(seen.modality, r.modality);
    QCOMPARE(seen.frameless, r.frameless);
    QCOMPARE(seen.close_button, !r.frameless);
    QVERIFY(answerer.unexpected().isEmpty());
}

QTEST_MAIN(tst_modal_windows)
#include "tst_modal_windows.moc"
