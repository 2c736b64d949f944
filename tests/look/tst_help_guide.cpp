// Help's user guide: the guide of the interface language goes to a viewer;
// when none can show it the user is told so; the real opener starts the
// first viewer it finds on the PATH (a stand-in here, never a real viewer).
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "app_paths.h"
#include "guide_opener.h"
#include "modal_answerer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class tst_help_guide : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void guide_of_the_language_data();
    void guide_of_the_language();
    void opener_starts_a_viewer_from_the_path();

private:
    QStringList m_guides;
};

void tst_help_guide::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());
    // The guides sit beside the program.
    for (const char* name : {"Wattlex_EN.chm", "Wattlex_CN.chm"}) {
        const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ITSF");
        m_guides << path;
    }
}

void tst_help_guide::cleanupTestCase()
{
    wattlex_set_guide_hook({});
    for (const QString& path : m_guides)
        QFile::remove(path);
}

void tst_help_guide::guide_of_the_language_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("guide");
    QTest::addColumn<bool>("viewer");
    QTest::newRow("en, viewer") << "english" << "Wattlex_EN.chm" << true;
    QTest::newRow("zh, viewer") << "chinese" << "Wattlex_CN.chm" << true;
    QTest::newRow("en, no viewer") << "english" << "Wattlex_EN.chm" << false;
    QTest::newRow("zh, no viewer") << "chinese" << "Wattlex_CN.chm" << false;
}

void tst_help_guide::guide_of_the_language()
{
    QFETCH(QString, language);
    QFETCH(QString, guide);
    QFETCH(bool, viewer);
    MyMainWindow::set_ui_language(language);
    QStringList opened;
    wattlex_set_guide_hook([&](const QString& path) {
        opened << path;
        return viewer;
    });
    MyMainWindow window;
    modal_answerer answerer;
    if (!viewer)
        answerer.press(QMessageBox::Ok);
    window.ui->actionUser_guide->trigger();

    QCOMPARE(opened, QStringList{QDir(QCoreApplication::applicationDirPath()).filePath(guide)});
    if (viewer) {
        QVERIFY(answerer.boxes().isEmpty());
    } else {
        QCOMPARE(answerer.boxes().size(), 1);
        const QString text = answerer.boxes().at(0).text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(opened.value(0))) && text.contains("xchm"), qPrintable(text));
    }
    QVERIFY(answerer.unexpected().isEmpty());
    MyMainWindow::set_ui_language("english");
}

void tst_help_guide::opener_starts_a_viewer_from_the_path()
{
    wattlex_set_guide_hook({});
    QTemporaryDir bin;
    QVERIFY(bin.isValid());
    const QByteArray saved_path = qgetenv("PATH");

    // No viewer on the PATH: nothing starts, and the caller hears of it.
    qputenv("PATH", bin.path().toLocal8Bit());
    QVERIFY(!wattlex_open_guide(m_guides.value(0)));

    // A stand-in viewer named as the real one notes what it was given.
    const QString noted = bin.filePath("opened.txt");
    QFile script(bin.filePath("xchm"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QString("#!/bin/sh\nprintf '%s' \"$1\" > '%1'\n").arg(noted).toLocal8Bit());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));
    const bool started = wattlex_open_guide(m_guides.value(0));
    qputenv("PATH", saved_path);
    QVERIFY(started);
    const auto noted_text = [&] {
        QFile f(noted);
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
    };
    QTRY_COMPARE(noted_text(), m_guides.value(0));
}

QTEST_MAIN(tst_help_guide)
#include "tst_help_guide.moc"
