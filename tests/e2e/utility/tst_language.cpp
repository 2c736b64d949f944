// Language > English / Chinese: the choice goes into the XML configuration
// for the next start (the form is translated once, when it is built), the
// check mark follows what is stored, and a configuration that cannot be
// written is reported and changes nothing.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "app_paths.h"
#include "lib_xml_t.h"
#include "modal_answerer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

class tst_language : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void chinese_is_stored_for_the_next_start();
    void choosing_the_checked_language_keeps_it();
    void english_is_stored();
    void unwritable_configuration_is_reported();

private:
    // Opens Language from the menu bar and clicks `action`; the prompt it
    // brings up gets `answer`. Returns the prompt as the user saw it.
    modal_answerer::box_record choose(QAction* action);
    QString stored_language();

    std::unique_ptr<MyMainWindow> m_window;
};

void tst_language::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(app_paths::config_file());
    QVERIFY(app_paths::init());
    QCOMPARE(stored_language(), QString("english"));
    MyMainWindow::set_ui_language("english");
    m_window.reset(new MyMainWindow);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(m_window->ui->actionEnglish->isChecked());
    QVERIFY(!m_window->ui->actionChinese->isChecked());
}

void tst_language::cleanupTestCase()
{
    m_window.reset();
    QFile::remove(app_paths::config_file());
}

QString tst_language::stored_language()
{
    QString text;
    lib_xml_t xml;
    if (!xml.read_node_text(app_paths::config_file(), "language", &text))
        return "<unreadable>";
    return text;
}

modal_answerer::box_record tst_language::choose(QAction* action)
{
    modal_answerer answerer;
    answerer.press(QMessageBox::Ok);
    QMenuBar* bar = m_window->menuBar();
    QMenu* menu = m_window->ui->menuLanguage;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000))
        return {};
    // The prompt runs inside this click; the answerer closes it.
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
    if (!answerer.wait_answered() || answerer.boxes().size() != 1 || !answerer.errors().isEmpty())
        return {};
    return answerer.boxes().first();
}

void tst_language::chinese_is_stored_for_the_next_start()
{
    const modal_answerer::box_record box = choose(m_window->ui->actionChinese);
    QCOMPARE(box.text, QString("The new language takes effect when Wattlex is started again."));
    QCOMPARE(box.icon, int(QMessageBox::Information));
    QCOMPARE(box.buttons, QStringList{"OK"});
    QCOMPARE(stored_language(), QString("chinese"));
    QVERIFY(m_window->ui->actionChinese->isChecked());
    QVERIFY(!m_window->ui->actionEnglish->isChecked());
    // This run keeps its language.
    QCOMPARE(MyMainWindow::ui_language(), QString("english"));
    QCOMPARE(m_window->ui->menuLanguage->title(), QString("Language"));
    QCOMPARE(m_window->ui->comboBox_Mode->itemText(0), QString("Basic"));
}

void tst_language::choosing_the_checked_language_keeps_it()
{
    // A click on a checked entry clears its mark; the choice puts it back.
    QVERIFY(m_window->ui->actionChinese->isChecked());
    const modal_answerer::box_record box = choose(m_window->ui->actionChinese);
    QVERIFY(!box.text.isEmpty());
    QCOMPARE(stored_language(), QString("chinese"));
    QVERIFY(m_window->ui->actionChinese->isChecked());
    QVERIFY(!m_window->ui->actionEnglish->isChecked());
}

void tst_language::english_is_stored()
{
    const modal_answerer::box_record box = choose(m_window->ui->actionEnglish);
    QCOMPARE(box.icon, int(QMessageBox::Information));
    QCOMPARE(stored_language(), QString("english"));
    QVERIFY(m_window->ui->actionEnglish->isChecked());
    QVERIFY(!m_window->ui->actionChinese->isChecked());
}

void tst_language::unwritable_configuration_is_reported()
{
    // A folder where the file should be: it can be neither read nor written.
    const QString path = app_paths::config_file();
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkdir(path));
    const modal_answerer::box_record box = choose(m_window->ui->actionChinese);
    QVERIFY(QDir().rmdir(path));
    QCOMPARE(box.text, QString("The language setting could not be saved."));
    QCOMPARE(box.icon, int(QMessageBox::Critical));
    // The mark stays with the language this run started in.
    QVERIFY(m_window->ui->actionEnglish->isChecked());
    QVERIFY(!m_window->ui->actionChinese->isChecked());
}

QTEST_MAIN(tst_language)
#include "tst_language.moc"
