// Frameless window chrome: the title bar drags, maximises, restores and
// rolls its title; the frameless window and the IP address dialog built on it.
#include "BaseWindow.h"
#include "MyTitleBar.h"
#include "ip_address_dialog.h"
#include "program_look.h"
#include "ui_ipline_widget_t.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

void send_mouse(QWidget* widget, QEvent::Type type, QPoint global, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Press at `from`, move through `to`, release there.
void drag(QWidget* bar, QPoint from, QPoint to)
{
    send_mouse(bar, QEvent::MouseButtonPress, from, Qt::LeftButton);
    send_mouse(bar, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    send_mouse(bar, QEvent::MouseMove, to, Qt::LeftButton);
    send_mouse(bar, QEvent::MouseButtonRelease, to, Qt::NoButton);
}

} // namespace

class tst_legacy_chrome : public QObject
{
    Q_OBJECT

private slots:
    void drag_moves_the_window_unless_maximised_data();
    void drag_moves_the_window_unless_maximised();
    void button_types_and_double_click();
    void maximise_fills_the_screen_work_area_and_restore_returns();
    void rolling_title_cycles_through_its_tails();
    void bar_width_follows_its_parent_when_painted();
    void ip_dialog_size_ok_signal_and_resource();
};

void tst_legacy_chrome::drag_moves_the_window_unless_maximised_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("maximised");
    QTest::addColumn<bool>("moves");

    QTest::newRow("type 0") << 0 << false << true;
    QTest::newRow("type 1 normal") << 1 << false << true;
    QTest::newRow("type 1 maximised") << 1 << true << false;
    QTest::newRow("type 2") << 2 << false << true;
}

void tst_legacy_chrome::drag_moves_the_window_unless_maximised()
{
    QFETCH(int, type);
    QFETCH(bool, maximised);
    QFETCH(bool, moves);

    QWidget window;
    window.setGeometry(100, 100, 400, 300);
    auto* bar = new MyTitleBar(&window);
    bar->set_button_type(type);
    if (maximised)
        bar->onButtonMaxClicked();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QPoint start = window.pos();
    const QPoint grip = bar->mapToGlobal(QPoint(50, 10));
    drag(bar, grip, grip + QPoint(37, 21));
    QCOMPARE(window.pos(), moves ? start + QPoint(37, 21) : start);

    // once released, moving the mouse moves nothing
    send_mouse(bar, QEvent::MouseMove, grip + QPoint(80, 80), Qt::NoButton);
    QCOMPARE(window.pos(), moves ? start + QPoint(37, 21) : start);
}

void tst_legacy_chrome::button_types_and_double_click()
{
    // the buttons shown, as min, restore, max, close
    const std::pair<int, QString> types[] = {{0, "1001"}, {1, "1011"}, {2, "0001"}, {9, "1111"}};
    for (const auto& type : types) {
        MyTitleBar bar;
        bar.set_button_type(type.first);
        QString shown;
        for (QPushButton* b : {bar.min_button(), bar.restore_button(), bar.max_button(), bar.close_button()})
            shown += b->isHidden() ? '0' : '1';
        QCOMPARE(shown, type.second);
    }

    QWidget window;
    auto* bar = new MyTitleBar(&window);
    window.show();
    QSignalSpy max_spy(bar, &MyTitleBar::signalButtonMaxClicked);
    QSignalSpy restore_spy(bar, &MyTitleBar::signalButtonRestoreClicked);

    // type 0: a double click is not the bar's business
    bar->set_button_type(0);
    QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    QCOMPARE(max_spy.count() + restore_spy.count(), 0);

    MyTitleBar* typed = new MyTitleBar(&window);
    typed->set_button_type(1);
    QSignalSpy typed_max(typed, &MyTitleBar::signalButtonMaxClicked);
    QSignalSpy typed_restore(typed, &MyTitleBar::signalButtonRestoreClicked);
    QTest::mouseDClick(typed, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    QCOMPARE(typed_max.count(), 1);
    QVERIFY(typed->max_button()->isHidden());
    QVERIFY(!typed->restore_button()->isHidden());
    QTest::mouseDClick(typed, Qt::LeftButton, Qt::NoModifier, QPoint(50, 10));
    QCOMPARE(typed_restore.count(), 1);
    QVERIFY(!typed->max_button()->isHidden());
    QVERIFY(typed->restore_button()->isHidden());
}

void tst_legacy_chrome::maximise_fills_the_screen_work_area_and_restore_returns()
{
    BaseWindow window;
    window.setGeometry(120, 90, 300, 200);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window.title_bar()->pos(), QPoint(0, 0));
    const QRect before = window.geometry();

    window.title_bar()->onButtonMaxClicked();
    QCOMPARE(window.geometry(), window.screen()->availableGeometry());
    QPoint stored_position;
    QSize stored_size;
    window.title_bar()->stored_restore_geometry(stored_position, stored_size);
    QCOMPARE(QRect(stored_position, stored_size), before);

    window.title_bar()->onButtonRestoreClicked();
    QCOMPARE(window.geometry(), before);

    // a maximised window does not follow a drag on its bar
    window.title_bar()->set_button_type(1);
    window.title_bar()->onButtonMaxClicked();
    const QPoint grip = window.title_bar()->mapToGlobal(QPoint(40, 10));
    drag(window.title_bar(), grip, grip + QPoint(30, 30));
    QCOMPARE(window.geometry(), window.screen()->availableGeometry());

    window.title_bar()->onButtonCloseClicked();
    QVERIFY(!window.isVisible());
}

void tst_legacy_chrome::rolling_title_cycles_through_its_tails()
{
    MyTitleBar bar;
    bar.set_title_content("Load", 12);
    QCOMPARE(bar.title_label()->text(), QString("Load"));
    QCOMPARE(bar.title_label()->font().pointSize(), 12);

    // The position is shared by every bar, so find the cycle's start first.
    QStringList seen;
    for (int i = 0; i < 5; ++i) {
        bar.onRollTitle();
        seen << bar.title_label()->text();
    }
    const int start = seen.indexOf("Load");
    QVERIFY(start >= 0);
    const QStringList cycle{"Load", "oad", "ad", "d", ""};
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(seen.last(), cycle.at((seen.size() - 1 - start) % 5));
        bar.onRollTitle();
        seen << bar.title_label()->text();
    }

    // an empty title stays empty
    MyTitleBar empty;
    for (int i = 0; i < 4; ++i) {
        empty.onRollTitle();
        QCOMPARE(empty.title_label()->text(), QString());
    }

    // the timer rolls it on its own
    bar.start_title_roll();
    const QString now = bar.title_label()->text();
    QTRY_VERIFY_WITH_TIMEOUT(bar.title_label()->text() != now, 1000);
}

void tst_legacy_chrome::bar_width_follows_its_parent_when_painted()
{
    QWidget window;
    window.resize(400, 200);
    auto* bar = new MyTitleBar(&window);
    bar->set_border_width(4);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTRY_COMPARE(bar->width(), 396);
    QCOMPARE(bar->height(), 30);

    window.resize(520, 200);
    bar->repaint();
    QTRY_COMPARE(bar->width(), 516);

    // transparent: nothing painted behind, the width still follows
    bar->set_background_color(200, 0, 0, true);
    window.resize(300, 200);
    bar->repaint();
    QTRY_COMPARE(bar->width(), 296);
    bar->set_background_color(200, 0, 0, false);
    const QImage image = bar->grab().toImage();
    // left of the icon, inside the layout's margin
    QCOMPARE(image.pixelColor(2, 15), QColor(200, 0, 0));
}

void tst_legacy_chrome::ip_dialog_size_ok_signal_and_resource()
{
    QWidget owner;
    ip_address_dialog dialog(&owner);
    QCOMPARE(dialog.size(), QSize(300, 300));
    QVERIFY(dialog.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(dialog.isWindow());
    QCOMPARE(dialog.get_visa_resource(), QString());

    QSignalSpy spy(&dialog, &ip_address_dialog::ok_signal);
    dialog.deal_ok_button();
    dialog.deal_ok_button();
    QCOMPARE(spy.count(), 2);

    // filled as the older window's LAN entry fills it
    auto* line = new ui_ipline_widget_t(&dialog);
    line->setGeometry(30, 100, 250, 50);
    line->set_value(QStringList{"192", "168", "1", "20"});
    dialog.ip_line = line;
    auto* ok = new QPushButton("OK", &dialog);
    ok->setObjectName("fixed_button");
    ok->setGeometry(250, 250, 40, 40);
    dialog.title_bar()->set_title_content("IP address", 9);
    dialog.title_bar()->set_title_icon(":/resource/lion.jpg", QSize(20, 20));
    QCOMPARE(dialog.get_visa_resource(), QString("TCPIP0::192.168.1.20::INSTR"));

    QVERIFY(!use_program_font().isEmpty());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTRY_COMPARE(dialog.title_bar()->width(), 300);
    save_shot(&dialog, "legacy_ip_address_dialog");
    QVERIFY(!dialog.title_bar()->icon_label()->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!dialog.title_bar()->close_button()->icon().isNull());
    const QStringList clipped = clipped_texts(&dialog);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("\n")));
}

QTEST_MAIN(tst_legacy_chrome)
#include "tst_legacy_chrome.moc"
