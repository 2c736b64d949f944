// Settings files without a load: the saved text, the file name, a save that
// cannot be written, and a load refused while nothing is connected. The
// name a list or program export gets when typed without its suffix.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "Get_data_thread.h"
#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"
#include "uiPara.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_settings_file : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void save_writes_exactly_the_settings_text();
    void failed_save_is_shown_and_leaves_nothing();
    void load_needs_a_load();
    void typed_names_get_the_suffix_of_their_kind_data();
    void typed_names_get_the_suffix_of_their_kind();

private:
    QTemporaryDir dir;
    MyMainWindow* w = nullptr;
};

void tst_settings_file::init()
{
    QVERIFY(dir.isValid());
    w = new MyMainWindow;
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
}

void tst_settings_file::cleanup()
{
    delete w;
    w = nullptr;
}

void tst_settings_file::save_writes_exactly_the_settings_text()
{
    uiPara::instance()->set_static_cc_i(2.5);
    const QString text = uiPara::instance()->to_settings_text();
    modal_answerer answerer; // the wait prompt may show; it closes itself
    answerer.leave_open();
    file_dialog_stub files;
    files.answer(dir.filePath("bench")); // typed without the extension
    w->ui->actionSave->trigger();
    QCOMPARE(files.calls().size(), 1);
    QCOMPARE(files.calls()[0].caption, QString("save file"));
    QCOMPARE(files.calls()[0].filter, QString("wlx(*.wlx)"));
    QTRY_VERIFY(QFile::exists(dir.filePath("bench.wlx")));
    QFile f(dir.filePath("bench.wlx"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(f.readAll()), text);
    QVERIFY(!w->wait_prompt);
    QVERIFY(answerer.unexpected().isEmpty());
    // Without a load nothing is restarted.
    QVERIFY(!w->cfg_thread->isRunning());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"bench.wlx"});

    // A second save over it replaces it whole.
    uiPara::instance()->set_static_cc_i(1.0);
    files.answer(dir.filePath("bench.wlx"));
    w->ui->actionSave->trigger();
    // The save thread may start after a timer: wait for the new text itself,
    // not for a thread that may not have started yet.
    const QString second = uiPara::instance()->to_settings_text();
    const auto file_text = [&] {
        QFile again(dir.filePath("bench.wlx"));
        return again.open(QIODevice::ReadOnly) ? QString::fromUtf8(again.readAll()) : QString();
    };
    QTRY_COMPARE(file_text(), second);
    QTRY_VERIFY(!w->get_data_thread->isRunning());
    QTRY_VERIFY(!w->wait_prompt);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"bench.wlx"});
}

void tst_settings_file::failed_save_is_shown_and_leaves_nothing()
{
    // The chosen name is a folder: the file cannot be written.
    const QDir folder(dir.filePath("failed"));
    QVERIFY(folder.mkpath("taken.wlx"));
    // The wait prompt may show first (or end before it is seen): the error
    // box is answered by its text.
    modal_answerer answerer;
    answerer.press_on("The settings could not be saved to", QMessageBox::Ok);
    file_dialog_stub files;
    files.answer(folder.filePath("taken.wlx"));
    w->ui->actionSave->trigger();
    QVERIFY(answerer.wait_answered());
    const QList<modal_answerer::box_record> boxes = answerer.boxes();
    QVERIFY(!boxes.isEmpty());
    QVERIFY2(boxes.last().text.startsWith("The settings could not be saved to"), qPrintable(boxes.last().text));
    QCOMPARE(boxes.last().answer, QString("OK"));
    for (int i = 0; i + 1 < boxes.size(); ++i)
        QCOMPARE(boxes[i].text, QString("Please waiting for the file saving"));
    QVERIFY(answerer.errors().isEmpty());
    QVERIFY(!w->wait_prompt);
    QVERIFY(QFileInfo(folder.filePath("taken.wlx")).isDir());
    // no half-written file beside it
    QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), QStringList());
}

void tst_settings_file::load_needs_a_load()
{
    QVERIFY(!w->is_connected);
    const QString before = uiPara::instance()->to_settings_text();
    modal_answerer answerer;
    answerer.press(QMessageBox::Ok);
    file_dialog_stub files;
    w->ui->actionLoad->trigger();
    QVERIFY(answerer.wait_answered());
    QCOMPARE(answerer.boxes()[0].text, QString("No load is connected."));
    QCOMPARE(files.calls().size(), 0); // no file is asked for
    QCOMPARE(uiPara::instance()->to_settings_text(), before);
}

void tst_settings_file::typed_names_get_the_suffix_of_their_kind_data()
{
    QTest::addColumn<bool>("program");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("list") << false << "ramp5" << "ramp5.list";
    QTest::newRow("program") << true << "ramp5" << "ramp5.prog";
    QTest::newRow("list typed whole") << false << "ramp5.list" << "ramp5.list";
    QTest::newRow("program of another kind") << true << "ramp5.bak" << "ramp5.bak";
}

// (A settings file's own: save_writes_exactly_the_settings_text.)
void tst_settings_file::typed_names_get_the_suffix_of_their_kind()
{
    QFETCH(bool, program);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir here;
    file_dialog_stub files;
    files.answer(here.filePath(typed));
    // An export needs a load; the load's block is handed in as its reply.
    QByteArray block(program ? 1927 : 1232, '\x21');
    block[0] = static_cast<char>(block_check::check_byte(block));
    w->is_connected = true;
    if (program) {
        w->ui->pushButton_Export_Prog->click();
        w->deal_prog_storage_operating_button(block);
    } else {
        w->ui->pushButton_Export_List->click();
        w->deal_list_storage_operating_button(block);
    }
    w->is_connected = false;
    QCOMPARE(QDir(here.path()).entryList(QDir::Files), QStringList{written});
}

QTEST_MAIN(tst_settings_file)
#include "tst_settings_file.moc"
