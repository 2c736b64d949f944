// The test helpers themselves: the modal answerer and the file-dialog stub.
#include "file_dialog_stub.h"
#include "modal_answerer.h"

#include "file_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// A plain dialog with a text and Ok/Cancel, as the program's own dialogs are built.
struct plain_dialog : QDialog
{
    plain_dialog()
    {
        setWindowTitle("Record");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel("Stop after 10 rows", this));
        auto* bb = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        connect(bb, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(bb, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(bb);
    }
};

}

class tst_modal_answerer : public QObject
{
    Q_OBJECT

private slots:
    void answers_in_order()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Retry).press(QMessageBox::Abort);
        QMessageBox first(QMessageBox::Warning, "First", "one", QMessageBox::Abort | QMessageBox::Retry);
        QMessageBox second(QMessageBox::Warning, "Second", "two", QMessageBox::Abort | QMessageBox::Retry);
        QCOMPARE(first.exec(), int(QMessageBox::Retry));
        QCOMPARE(second.exec(), int(QMessageBox::Abort));
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes().at(0).title, QString("First"));
        QCOMPARE(answerer.boxes().at(0).answer, QString("Retry"));
        QCOMPARE(answerer.boxes().at(1).text, QString("two"));
        QCOMPARE(answerer.boxes().at(1).icon, int(QMessageBox::Warning));
        QVERIFY(answerer.unexpected().isEmpty());
    }

    void same_box_shown_twice()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes).press(QMessageBox::No);
        QMessageBox box(QMessageBox::Question, "q", "again?", QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(box.exec(), int(QMessageBox::Yes));
        QCOMPARE(box.exec(), int(QMessageBox::No));
        QCOMPARE(answerer.boxes().size(), 2);
    }

    void unexpected_box_is_closed()
    {
        modal_answerer answerer;
        QElapsedTimer clock;
        clock.start();
        QMessageBox box(QMessageBox::Warning, "Warning", "Please turn off the load !", QMessageBox::Ok);
        QCOMPARE(box.exec(), int(QMessageBox::Ok));  // closing a box with only Ok gives Ok
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(answerer.unexpected().size(), 1);
        QCOMPARE(answerer.unexpected().at(0).text, QString("Please turn off the load !"));
    }

    void box_without_buttons_is_closed()
    {
        // A wait prompt has no buttons and ignores a plain close request.
        modal_answerer answerer;
        answerer.close_box();
        QMessageBox box(QMessageBox::Warning, "Initial", "Please waiting", QMessageBox::NoButton);
        box.setStandardButtons(QMessageBox::NoButton);
        box.exec();
        QCOMPARE(answerer.boxes().size(), 1);
        QVERIFY(answerer.boxes().at(0).buttons.isEmpty());
        QVERIFY(!box.isVisible());
    }

    void left_open_until_closed_by_code()
    {
        modal_answerer answerer;
        answerer.leave_open();
        QMessageBox box(QMessageBox::Warning, "Initial", "Please waiting", QMessageBox::NoButton);
        // The code under test ends the wait itself, some time later.
        QTimer::singleShot(150, &box, [&box] { box.done(0); });
        box.exec();
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).answer, QString("left open"));
        QVERIFY(answerer.unexpected().isEmpty());

        // Left open only when it is the box awaited: another one is closed.
        answerer.leave_open("Please waiting");
        answerer.leave_open("Please waiting");
        QMessageBox awaited(QMessageBox::Warning, "Initial", "Please waiting", QMessageBox::NoButton);
        QTimer::singleShot(150, &awaited, [&awaited] { awaited.done(0); });
        awaited.exec();
        QMessageBox other(QMessageBox::Warning, "Warning", "It's not the correct file !", QMessageBox::Ok);
        other.exec();
        QCOMPARE(answerer.boxes().size(), 3);
        QCOMPARE(answerer.boxes().at(1).answer, QString("left open"));
        QCOMPARE(answerer.boxes().at(2).answer, QString("close"));
        QCOMPARE(answerer.errors().size(), 1);
    }


    // A box that the code shows and closes before any poll sees it (a busy
    // machine): it uses up an answer that leaves a box open, with its text;
    // any other answer waits for the box it is meant for.
    void box_closed_between_polls()
    {
        modal_answerer answerer(60 * 60 * 1000); // no poll within the test
        auto flash = [](const QString& text) {
            QMessageBox box(QMessageBox::Information, "Dialog", text, QMessageBox::NoButton);
            QTimer::singleShot(0, &box, [&box] { box.done(0); });
            box.exec();
        };
        answerer.leave_open("Please waiting for the List initing");
        flash("Please waiting for the List initing");
        QCOMPARE(answerer.pending(), 0);
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).text, QString("Please waiting for the List initing"));
        QCOMPARE(answerer.boxes().at(0).answer, QString("left open"));

        answerer.leave_open("Please waiting for the List initing");
        flash("Please waiting for the OCP initing"); // not the awaited box
        QCOMPARE(answerer.pending(), 1);
        answerer.clear();
        answerer.press(QMessageBox::Ok);
        flash("Please waiting for the OCP initing");
        QCOMPARE(answerer.pending(), 1);
        QVERIFY(answerer.boxes().isEmpty());
        QVERIFY(answerer.errors().isEmpty());
    }
    void pressed_only_on_the_box_with_its_text()
    {
        modal_answerer answerer;
        answerer.press_on("The settings could not", QMessageBox::Ok);
        QMessageBox error(QMessageBox::Warning, "Warning", "The settings could not be saved", QMessageBox::Ok);
        // A wait prompt comes first and is ended by the code under test,
        // which then shows the error.
        QMessageBox wait(QMessageBox::Warning, "Save", "Please waiting for the file saving", QMessageBox::NoButton);
        QTimer::singleShot(150, &wait, [&] {
            wait.done(0);
            QTimer::singleShot(0, &error, [&error] { error.exec(); });
        });
        wait.exec();
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 2);
        QCOMPARE(answerer.boxes().at(0).answer, QString("passed over"));
        QCOMPARE(answerer.boxes().at(1).answer, QString("OK"));
        QCOMPARE(error.result(), int(QMessageBox::Ok));
        QVERIFY(answerer.errors().isEmpty());
    }

    void press_by_text()
    {
        modal_answerer answerer;
        answerer.press_text("Retry &later");
        QMessageBox box(QMessageBox::Question, "q", "text");
        QPushButton* later = box.addButton("Retry &later", QMessageBox::ActionRole);
        box.addButton(QMessageBox::Cancel);
        box.exec();
        QCOMPARE(box.clickedButton(), later);
        QCOMPARE(answerer.boxes().at(0).buttons, (QStringList {"Retry later", "Cancel"}));
    }

    void missing_button_is_an_error_not_a_hang()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Yes);
        QMessageBox box(QMessageBox::Information, "i", "only ok", QMessageBox::Ok);
        box.exec();
        QCOMPARE(answerer.errors().size(), 1);
        QVERIFY(answerer.errors().at(0).contains("only ok"));
    }

    void plain_dialogs()
    {
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok).close_box();
        plain_dialog accept_me;
        QCOMPARE(accept_me.exec(), int(QDialog::Accepted));
        plain_dialog close_me;
        QCOMPARE(close_me.exec(), int(QDialog::Rejected));
        QCOMPARE(answerer.boxes().at(0).class_name, QString("(anonymous namespace)::plain_dialog"));
        QCOMPARE(answerer.boxes().at(0).text, QString("Stop after 10 rows"));
        QCOMPARE(answerer.boxes().at(0).buttons, (QStringList {"OK", "Cancel"}));
    }

    void custom_action_and_wait()
    {
        modal_answerer answerer;
        QString seen;
        answerer.act([&seen](QWidget* w) {
            seen = w->windowTitle();
            static_cast<QDialog*>(w)->done(7);
        });
        QTimer::singleShot(0, [] {
            QMessageBox box(QMessageBox::Information, "Later", "x", QMessageBox::Ok);
            box.exec();
        });
        QVERIFY(answerer.wait_answered(3000));
        QCOMPARE(seen, QString("Later"));
    }

    void file_dialog_stub_answers_and_records()
    {
        {
            file_dialog_stub files;
            files.answer("/tmp/a.wlx");
            files.answer("/tmp/b.list");
            QCOMPARE(wattlex_save_file_name(nullptr, "Save", "/tmp", "*.wlx"), QString("/tmp/a.wlx"));
            QCOMPARE(wattlex_open_file_name(nullptr, "Open", "/home", "*.list"), QString("/tmp/b.list"));
            QCOMPARE(wattlex_open_file_name(nullptr, "Open", "", ""), QString());  // nothing queued: cancelled
            QCOMPARE(files.pending(), 0);
            const auto calls = files.calls();
            QCOMPARE(calls.size(), 3);
            QVERIFY(calls.at(0).save);
            QCOMPARE(calls.at(0).caption, QString("Save"));
            QCOMPARE(calls.at(0).filter, QString("*.wlx"));
            QVERIFY(!calls.at(1).save);
            QCOMPARE(calls.at(1).dir, QString("/home"));
        }
        // The stub is gone: the real dialog is back, and the answerer closes it.
        modal_answerer answerer;
        answerer.close_box();
        QCOMPARE(wattlex_open_file_name(nullptr, "Real", QDir::tempPath(), "*.prog"), QString());
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes().at(0).class_name, QString("QFileDialog"));
        QCOMPARE(answerer.boxes().at(0).title, QString("Real"));
    }
};

QTEST_MAIN(tst_modal_answerer)
#include "tst_modal_answerer.moc"
