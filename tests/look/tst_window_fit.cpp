// The main window on the commonest laptop screen, 1366x768, with the device
// tree shown: every page of the configuration area, the measurement panel
// and the trend lie wholly inside the window, in English and in Chinese, and
// the tree tells apart two LAN loads whose addresses differ in the last byte.
// On a screen of that size (Xvfb: look_window_fit_xvfb) the window opens
// inside it, and so does every secondary window, centred on the main one,
// with every column of its tables in sight.
// With WATTLEX_SHOT_DIR set, a picture of each page (and of the screen with
// each secondary window) goes there.
#include "mymainwindow.h"

#include "ui_mymainwindow.h"

#include "app_paths.h"
#include "init_ui_font_names.h"
#include "lib_xml_t.h"
#include "program_look.h"
#include "ui_translations_t.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTreeWidget>
#include <QtTest>

namespace {

// What a 1366x768 screen leaves the window once a task bar (40) and the
// title bar (28) have taken their share.
const QSize screen_client(1366, 768 - 40 - 28);

// Visible widgets of the central area that reach beyond what the window
// shows of it, one line each.
QStringList cut_off(MyMainWindow* w)
{
    QStringList out;
    QWidget* central = w->ui->centralwidget;
    QWidget* shown = w->centralWidget();
    const QRect area(shown->mapTo(w, QPoint(0, 0)), shown->size());
    const QRect window_area = w->rect();
    for (QWidget* child : central->findChildren<QWidget*>()) {
        if (!child->isVisibleTo(w) || child->isWindow())
            continue;
        const QRect r(child->mapTo(w, QPoint(0, 0)), child->size());
        if (!area.contains(r) || !window_area.contains(r))
            out << QString("%1 (%2) at %3,%4 %5x%6 outside %7,%8 %9x%10")
                       .arg(child->objectName(), child->metaObject()->className())
                       .arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                       .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
    }
    return out;
}

// Installs the language's catalogues and fonts as start-up does.
bool use_language(ui_translations_t* translations, bool chinese)
{
    MyMainWindow::set_ui_language(chinese ? "chinese" : "english");
    const auto names = init_ui_font_names();
    return translations->install(chinese) && !use_program_font(chinese ? names.second : names.first).isEmpty();
}

// The main window's secondary windows as the user opens them.
const QList<QPair<const char*, void (*)(MyMainWindow*)>> secondaries = {
    {"utility", [](MyMainWindow* w) { w->ui->actionSetting->trigger(); }},
    {"about", [](MyMainWindow* w) { w->ui->actionAbout_Wattlex->trigger(); }},
    {"record_settings", [](MyMainWindow* w) { w->ui->pushButton_Record_Setting->click(); }},
    {"connect", [](MyMainWindow* w) { w->ui->actionConnect->trigger(); }},
    {"address", [](MyMainWindow* w) { QMetaObject::invokeMethod(w, "deal_action_creatnet"); }},
    {"list_preview", [](MyMainWindow* w) { w->ui->pushButton_Preview_List->click(); }},
    {"prog_result", [](MyMainWindow* w) { w->ui->pushButton_Result_Prog->click(); }},
};

// Two manual LAN addresses alike up to the last byte.
const QStringList twin_loads = {"TCPIP0::127.0.0.12::INSTR", "TCPIP0::127.0.0.13::INSTR"};

QWidget* shown_window(MyMainWindow* w)
{
    for (QWidget* child : w->findChildren<QWidget*>())
        if (child->isWindow() && child->isVisible())
            return child;
    return nullptr;
}

} // namespace

class tst_window_fit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void every_page_fits_with_the_device_tree_data();
    void every_page_fits_with_the_device_tree();
    void windows_open_inside_the_screen_data();
    void windows_open_inside_the_screen();
};

void tst_window_fit::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(app_paths::init());
    // A LAN address the user added: a long name the tree wants room for
    // (on loopback, as the scan calls on it).
    // Two more that differ only in their last byte: the tree must tell them apart.
    lib_xml_t xml;
    const QStringList resources = QStringList{"TCPIP0::127.100.100.200::INSTR"} + twin_loads;
    for (int i = 0; i < resources.size(); ++i) {
        QVERIFY(xml.read_file(app_paths::config_file(), resources.at(i), lib_xml_t::match_text)
                || xml.add_node(app_paths::config_file(), QString::fromLatin1(lib_xml_t::manual_ip_name),
                                QString("IP%1").arg(i + 1), resources.at(i)));
    }
}

void tst_window_fit::every_page_fits_with_the_device_tree_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::newRow("en") << false;
    QTest::newRow("zh") << true;
}

void tst_window_fit::every_page_fits_with_the_device_tree()
{
    QFETCH(bool, chinese);
    ui_translations_t translations;
    QVERIFY(use_language(&translations, chinese));

    MyMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Closed by the user, the tree comes back with the Connect menu.
    window.ui->dockWidget_connect->close();
    QTRY_VERIFY(!window.ui->dockWidget_connect->isVisible());
    window.ui->menuConnect->popup(QPoint(0, 0));
    window.ui->menuConnect->hide();
    QVERIFY(window.ui->dockWidget_connect->isVisible());
    window.resize(screen_client);
    QTRY_COMPARE(window.size(), screen_client);
    // The tree is rebuilt at this size (as after every scan).
    window.refresh_device();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);

    const QString lang = chinese ? "zh" : "en";
    for (int page = 0; page < window.ui->comboBox_Mode->count(); ++page) {
        window.ui->comboBox_Mode->setCurrentIndex(page);
        QCoreApplication::processEvents();
        QVERIFY(window.ui->dockWidget_connect->isVisible());
        // The tree keeps room for its title.
        QTreeWidget* tree = window.ui->treeWidget_dev;
        QVERIFY(tree->viewport()->width() >= tree->fontMetrics().horizontalAdvance(tree->headerItem()->text(0)));
        const QStringList cut = cut_off(&window);
        save_shot(&window, QString("main_1366x768_page%1_%2").arg(page).arg(lang));
        QVERIFY2(cut.isEmpty(), qPrintable(QString("page %1:\n").arg(page) + cut.join('\n')));
        const QStringList clipped = clipped_texts(window.ui->centralwidget);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join('\n')));
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window.device_scan_busy(), 20000);

    // The twin loads' rows as drawn at the dock's width (neither answers:
    // the same icon) differ, and their tool tips hold the whole names.
    QTreeWidget* tree = window.ui->treeWidget_dev;
    QList<QImage> rows;
    for (const QString& resource : twin_loads) {
        const QList<QTreeWidgetItem*> found = tree->findItems(resource, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.first()->toolTip(0), resource);
        const QRect row = tree->visualItemRect(found.first());
        QVERIFY(tree->viewport()->rect().contains(row));
        rows << tree->viewport()->grab(row).toImage();
    }
    save_shot(tree, QString("tree_1366x768_%1").arg(lang));
    QVERIFY2(rows.at(0) != rows.at(1), "the two LAN loads look the same in the device tree");
    MyMainWindow::set_ui_language("english");
}

void tst_window_fit::windows_open_inside_the_screen_data()
{
    every_page_fits_with_the_device_tree_data();
}

void tst_window_fit::windows_open_inside_the_screen()
{
    QFETCH(bool, chinese);
    const QRect room = QGuiApplication::primaryScreen()->availableGeometry();
    if (room.width() < 1366 || room.height() < 768)
        QSKIP("needs a screen of 1366x768 (the offscreen one is smaller): look_window_fit_xvfb runs it");
    ui_translations_t translations;
    QVERIFY(use_language(&translations, chinese));
    MyMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(room.contains(window.frameGeometry()));

    // Where it opened, and dragged half off the screen's bottom right: each
    // secondary window is centred on it along an axis, or held at the edge
    // of the screen that centring would cross.
    const QPoint placements[] = {window.pos(), room.bottomRight() - QPoint(window.width() / 2, window.height() / 2)};
    for (const QPoint& at : placements) {
        window.move(at);
        QTRY_COMPARE(window.pos(), at);
        const QPoint centre = window.frameGeometry().center();
        for (const auto& s : secondaries) {
            const QByteArray what = QString("%1, window at %2,%3").arg(s.first).arg(at.x()).arg(at.y()).toUtf8();
            s.second(&window);
            QWidget* opened = nullptr;
            QTRY_VERIFY2((opened = shown_window(&window)), what);
            QVERIFY(QTest::qWaitForWindowExposed(opened));
            const QRect r = opened->frameGeometry();
            const QString shots = qEnvironmentVariable("WATTLEX_SHOT_DIR");
            if (at == placements[0] && !shots.isEmpty()) // the whole screen, as the user sees it
                QVERIFY(QGuiApplication::primaryScreen()->grabWindow(0).save(
                    QDir(shots).filePath(QString("screen_%1_%2.png").arg(s.first, chinese ? "zh" : "en"))));
            // Tables show all their columns (none scrolls its first one away).
            for (const QAbstractItemView* view : opened->findChildren<QAbstractItemView*>())
                QVERIFY2(view->horizontalScrollBar()->maximum() == 0, what + " " + view->objectName().toUtf8());
            opened->setAttribute(Qt::WA_DeleteOnClose, false);
            opened->close();
            QVERIFY2(room.contains(r), what);
            QVERIFY2(qAbs(r.center().x() - centre.x()) <= 1 || r.left() == room.left() || r.right() == room.right(), what);
            QVERIFY2(qAbs(r.center().y() - centre.y()) <= 1 || r.top() == room.top() || r.bottom() == room.bottom(), what);
        }
    }
    QTRY_VERIFY_WITH_TIMEOUT(!window.device_scan_busy(), 20000);
    MyMainWindow::set_ui_language("english");
}

QTEST_MAIN(tst_window_fit)
#include "tst_window_fit.moc"
