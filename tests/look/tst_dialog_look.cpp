// Every dialog the program opens from its main window is readable: each
// text stands against its ground at a contrast of at least 4.5:1, in
// English and in Chinese, measured on the dialog as drawn. The file
// dialogs (settings, list and program files, record path), the record's
// Append / Overwrite question, the address warnings and a plain warning.
// (The program's other windows: tst_control_contrast.) With
// WATTLEX_SHOT_DIR set, a picture of each goes there.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"
#include "ui_connectwindow.h"
#include "ui_recordsetting.h"

#include "app_paths.h"
#include "connectWindow.h"
#include "init_ui_font_names.h"
#include "ipcreat.h"
#include "program_look.h"
#include "recordSetting.h"
#include "ui_ipline_widget_t.h"
#include "ui_translations_t.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// What the inspector saw of the one modal dialog it waited for.
struct seen_t
{
    QString class_name;
    QStringList problems;
    int ready_ticks = 0;
};

// The folder list of a file dialog once it shows the folder's entries.
QAbstractItemView* filled_file_view(QFileDialog* dialog)
{
    for (const char* name : {"listView", "treeView"}) {
        auto* view = dialog->findChild<QAbstractItemView*>(name);
        if (view && view->isVisible() && view->model() && view->model()->rowCount(view->rootIndex()) >= 2)
            return view;
    }
    return nullptr;
}

// Waits on a timer (the code under test sits in exec()) for the next modal
// dialog, lets it settle, judges and pictures it and closes it.
void inspect_next_modal(const QString& shot, seen_t* seen)
{
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [=] {
        // Given up with the test's own wait, so as not to close a later dialog.
        if (++*polls > 600) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible())
            return;
        if (auto* files = qobject_cast<QFileDialog*>(w)) {
            if (!filled_file_view(files))
                return;
            if (seen->ready_ticks == 0) {
                // A file of the dialog's own kind: a selected entry and a name typed.
                const QString filter = files->nameFilters().value(0);
                const QString ext = filter.mid(filter.indexOf("*.") + 2).chopped(1);
                files->selectFile(QDir::current().filePath("readings." + ext));
            }
        }
        if (++seen->ready_ticks < 5)
            return;
        timer->stop();
        timer->deleteLater();
        seen->class_name = w->metaObject()->className();
        seen->problems = low_contrast_texts(w);
        save_shot(w, shot);
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            // Cancel where offered (the record question), else the box's only button.
            QAbstractButton* b = box->button(QMessageBox::Cancel);
            (b ? b : box->buttons().value(0))->click();
        } else {
            static_cast<QDialog*>(w)->reject();
        }
    });
    timer->start();
}

struct look_case
{
    const char* name;
    const char* dialog_class;
    std::function<void(MyMainWindow*)> open;
};

QList<look_case> cases()
{
    const auto click = [](QAbstractButton* b) { b->click(); };
    return {
        {"settings_save", "QFileDialog", [](MyMainWindow* w) { w->ui->actionSave->trigger(); }},
        {"settings_load", "QFileDialog", [](MyMainWindow* w) { w->ui->actionLoad->trigger(); }},
        {"list_export", "QFileDialog", [=](MyMainWindow* w) { click(w->ui->pushButton_Export_List); }},
        {"list_import", "QFileDialog", [=](MyMainWindow* w) { click(w->ui->pushButton_Inport_List); }},
        {"prog_export", "QFileDialog", [=](MyMainWindow* w) { click(w->ui->pushButton_Export_Prog); }},
        {"prog_import", "QFileDialog", [=](MyMainWindow* w) { click(w->ui->pushButton_Import_Prog); }},
        {"record_path", "QFileDialog",
         [](MyMainWindow* w) {
             w->ui->pushButton_Record_Setting->click();
             auto* dialog = w->findChild<recordSetting*>();
             QVERIFY(dialog);
             dialog->form()->pushButton_Browser->click();
             dialog->close();
             delete dialog;
         }},
        {"record_question", "custom_messagebox",
         [](MyMainWindow* w) {
             QVERIFY(QMetaObject::invokeMethod(w, "set_record_path",
                                               Q_ARG(QString, QDir::current().filePath("readings.csv"))));
             w->ui->checkBox_Record->click();
         }},
        {"address_warning", "custom_messagebox",
         [](MyMainWindow* w) {
             std::unique_ptr<ipcreat> dialog(new ipcreat(w));
             dialog->show();
             // OK with no address typed.
             const QString ok = QCoreApplication::translate("ipcreat", "OK");
             for (QPushButton* b : dialog->findChildren<QPushButton*>())
                 if (b->text() == ok)
                     b->click();
         }},
        {"connect_address_warning", "custom_messagebox",
         [](MyMainWindow* w) {
             std::unique_ptr<connectWindow> dialog(new connectWindow(w));
             dialog->setAttribute(Qt::WA_DeleteOnClose, false);
             dialog->show();
             dialog->form()->tabWidget->setCurrentIndex(1);
             dialog->form()->lineEdit_ip->setText("192.168.1");
             dialog->form()->pushButton->click();
         }},
        {"warning", "custom_messagebox", [](MyMainWindow* w) { w->show_warning(QCoreApplication::translate("MyMainWindow", "No load is connected.")); }},
    };
}

// Installs the language's catalogues and fonts as start-up does.
bool use_language(ui_translations_t* translations, bool chinese)
{
    MyMainWindow::set_ui_language(chinese ? "chinese" : "english");
    const auto names = init_ui_font_names();
    return translations->install(chinese) && !use_program_font(chinese ? names.second : names.first).isEmpty();
}

} // namespace

class tst_dialog_look : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogs_are_readable_data();
    void dialogs_are_readable();

private:
    QTemporaryDir m_dir;
};

void tst_dialog_look::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());
    QVERIFY(m_dir.isValid());
    // The dialogs open in the current folder: a few entries of every kind.
    QVERIFY(QDir(m_dir.path()).mkpath(QString::fromUtf8("Messungen 存档")));
    for (const char* name : {"readings.list", "readings.prog", "readings.wlx", "readings.csv", "steps.list",
                             "steps.prog", "bench.wlx", "trend.csv"}) {
        QFile f(QDir(m_dir.path()).filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("1,2,3");
    }
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void tst_dialog_look::dialogs_are_readable_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("which");
    const QList<look_case> all = cases();
    for (bool chinese : {false, true})
        for (int i = 0; i < all.size(); ++i)
            QTest::newRow(qPrintable(QString("%1_%2").arg(all[i].name, chinese ? "zh" : "en"))) << chinese << i;
}

void tst_dialog_look::dialogs_are_readable()
{
    QFETCH(bool, chinese);
    QFETCH(int, which);
    const look_case c = cases()[which];

    ui_translations_t translations;
    QVERIFY(use_language(&translations, chinese));

    {
        MyMainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.is_connected = true;
        if (QByteArray(c.name) == "warning")
            window.is_connected = false;

        seen_t seen;
        inspect_next_modal(QString("%1_%2").arg(c.name, chinese ? "zh" : "en"), &seen);
        c.open(&window);
        QTRY_VERIFY_WITH_TIMEOUT(!seen.class_name.isEmpty(), 10000);
        window.is_connected = false;
        QCOMPARE(seen.class_name, QString(c.dialog_class));
        QVERIFY2(seen.problems.isEmpty(), qPrintable(seen.problems.join('\n')));
    }
}

QTEST_MAIN(tst_dialog_look)
#include "tst_dialog_look.moc"
