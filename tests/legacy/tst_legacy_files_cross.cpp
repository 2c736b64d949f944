// List and program files move between the two main windows: a file the
// live window saved loads into the load through the older window, and one
// the older window saved loads through the live window, unchanged.
#include "connected_window.h"
#include "legacy_connected_window.h"
#include "mainwindow.h"
#include "mymainwindow.h"
#include "ui_mymainwindow.h"

#include "block_check.h"
#include "cfg_thread_t.h"
#include "file_dialog_stub.h"
#include "modal_answerer.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray read_all(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_legacy_files_cross : public QObject
{
    Q_OBJECT

private slots:
    void both_ways_data();
    void both_ways();
};

void tst_legacy_files_cross::both_ways_data()
{
    QTest::addColumn<bool>("program");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("live_change");
    QTest::addColumn<QString>("older_change");
    QTest::addColumn<QString>("count_query");
    QTest::newRow("list") << false << 1232 << "LIST:STEP 4" << "LIST:STEP 7" << "LIST:STEP?";
    QTest::newRow("program") << true << 1927 << "PROG:STEP 3" << "PROG:STEP 9" << "PROG:STEP?";
}

void tst_legacy_files_cross::both_ways()
{
    QFETCH(bool, program);
    QFETCH(int, size);
    QFETCH(QString, live_change);
    QFETCH(QString, older_change);
    QFETCH(QString, count_query);
    QTemporaryDir dir;
    file_dialog_stub files;
    // The live window names its files by their kind.
    const QString live_file = dir.filePath(QLatin1String(program ? "live.prog" : "live.list"));
    const QString older_file = dir.filePath(QStringLiteral("older"));

    // the live window saves a load that holds a changed step count
    {
        connected_window cw;
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        QVERIFY(cw.side_write({live_change}));
        files.answer(live_file);
        QTest::mouseClick(program ? cw.window()->ui->pushButton_Export_Prog : cw.window()->ui->pushButton_Export_List,
                          Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(QFile(live_file).size(), qint64(size), 5000);
    }
    // the older window loads it into a fresh load, then saves it again
    // after a change of its own
    {
        legacy_connected_window cw;
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        MainWindow* w = cw.window();
        files.answer(live_file);
        cw.answerer().leave_open();
        QTest::mouseClick(program ? w->program_recall_button : w->list_recall_button, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(w->readback_box == nullptr && !w->block_import_waiting[program ? 1 : 0], 15000);
        const QString again = dir.filePath(QStringLiteral("again"));
        files.answer(again);
        QPushButton* storage = program ? w->program_storage_button : w->list_storage_button;
        QTest::mouseClick(storage, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(again), 5000);
        QCOMPARE(read_all(again), read_all(live_file));

        const int from = cw.received_count();
        w->cfg_thread->add_request(9999, {older_change}, {QString()}, QList<QWidget*>(), false, 0, false,
                                   QByteArray());
        QVERIFY(cw.wait_received(older_change, from) >= 0);
        w->start_threads();
        files.answer(older_file);
        QTest::mouseClick(storage, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(older_file), 5000);
        QVERIFY(block_check::valid(read_all(older_file), size));
    }
    // the live window loads the older window's file
    {
        connected_window cw;
        QVERIFY2(cw.start(), qPrintable(cw.error()));
        modal_answerer answerer;
        answerer.leave_open();
        files.answer(older_file);
        QTest::mouseClick(program ? cw.window()->ui->pushButton_Import_Prog : cw.window()->ui->pushButton_Inport_List,
                          Qt::LeftButton);
        const QString expected = older_change.section(QLatin1Char(' '), 1) + QLatin1Char('\n');
        QTRY_COMPARE_WITH_TIMEOUT(cw.side_query(count_query), expected, 15000);
    }
}

QTEST_MAIN(tst_legacy_files_cross)
#include "tst_legacy_files_cross.moc"
