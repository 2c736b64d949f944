// The Connect window: the USB table from a scan, and what OK hands on.
#include "modal_answerer.h"

#include "connectWindow.h"
#include "ui_connectwindow.h"
#include "user_input.h"

#include <QHeaderView>
#include <QPointer>
#include <QSignalSpy>
#include <QTabBar>
#include <QtTest>

namespace {

const QList<QString> scan = {"USB0::0x5AB5::0x0E11::SN0001::INSTR", "TCPIP0::192.168.1.20::INSTR",
                             "USB0::0x5AB5::0x0E11::SN0002::INSTR", "ASRL1::INSTR"};

QPoint cell_centre(QTableWidget* table, int row, int column)
{
    return table->visualRect(table->model()->index(row, column)).center();
}

} // namespace

class tst_dialog_connect : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void usb_table_lists_usb_resources_only();
    void ok_connects_the_selected_usb_row();
    void ok_without_a_resource_row_does_nothing();
    void rescan_keeps_the_chosen_load();
    void typed_address_connects();
    void typed_address_refused();
    void cancel_closes();

private:
    connectWindow* open(const QList<QString>& scanned);
    void choose_lan_page(connectWindow* w);

    QScopedPointer<QWidget> m_host;
};

void tst_dialog_connect::init()
{
    m_host.reset(new QWidget);
    m_host->resize(600, 500);
    m_host->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_host.data()));
}

connectWindow* tst_dialog_connect::open(const QList<QString>& scanned)
{
    auto* w = new connectWindow(m_host.data());
    w->fill_usb_table(scanned);
    show_active(w);
    return w;
}

void tst_dialog_connect::choose_lan_page(connectWindow* w)
{
    QTabBar* bar = w->form()->tabWidget->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    QCOMPARE(w->form()->tabWidget->currentWidget(), w->form()->VXI11);
}

void tst_dialog_connect::usb_table_lists_usb_resources_only()
{
    connectWindow w(m_host.data());
    QCOMPARE(w.windowTitle(), QString("Connect"));
    QCOMPARE(w.size(), QSize(462, 322));
    QCOMPARE(w.windowModality(), Qt::WindowModal);
    QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    w.setAttribute(Qt::WA_DeleteOnClose, false);

    w.form()->tabWidget->setCurrentIndex(1);
    const QList<QString> usb = w.fill_usb_table(scan);
    QCOMPARE(usb, (QList<QString>{scan[0], scan[2]}));
    QCOMPARE(w.form()->tabWidget->currentWidget(), w.form()->USB);

    QTableWidget* t = w.form()->tableWidget_USB;
    QCOMPARE(t->rowCount(), 3);
    QCOMPARE(t->columnCount(), 2);
    QCOMPARE(t->item(0, 0)->text(), QString("number"));
    QCOMPARE(t->item(0, 1)->text(), QString("device name"));
    QCOMPARE(t->item(1, 0)->text(), QString("1"));
    QCOMPARE(t->item(1, 1)->text(), scan[0]);
    QCOMPARE(t->item(2, 0)->text(), QString("2"));
    QCOMPARE(t->item(2, 1)->text(), scan[2]);
    QVERIFY(t->horizontalHeader()->isHidden() && t->verticalHeader()->isHidden());
    QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(w.form()->tableWidget_ip_his->rowCount(), 0);

    // Without any USB load only the title row is left.
    QCOMPARE(w.fill_usb_table({"TCPIP0::10.0.0.9::INSTR"}), QList<QString>());
    QCOMPARE(t->rowCount(), 1);
}

void tst_dialog_connect::ok_connects_the_selected_usb_row()
{
    QPointer<connectWindow> w = open(scan);
    QSignalSpy usb(w.data(), &connectWindow::sig_connect_resource);
    QSignalSpy lan(w.data(), &connectWindow::sig_connect_tcpip_address);
    QTableWidget* t = w->form()->tableWidget_USB;
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 2, 0));
    QCOMPARE(t->currentRow(), 2);
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    QCOMPARE(usb.size(), 1);
    QCOMPARE(usb[0][0].toString(), scan[2]);
    QVERIFY(lan.isEmpty());
    QTRY_VERIFY(!w);
}

void tst_dialog_connect::rescan_keeps_the_chosen_load()
{
    QPointer<connectWindow> w = open(scan);
    QSignalSpy usb(w.data(), &connectWindow::sig_connect_resource);
    QTableWidget* t = w->form()->tableWidget_USB;
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 2, 1)); // SN0002
    // A scan ends meanwhile: a new load comes first, the chosen one moves down.
    const QString added = "USB0::0x5AB5::0x0E11::SN0000::INSTR";
    w->fill_usb_table({added, scan[0], scan[2]});
    QCOMPARE(t->currentRow(), 3);
    QCOMPARE(t->selectedItems().value(0) ? t->selectedItems().value(0)->text() : QString(), scan[2]);
    // The chosen load gone: nothing is chosen, OK connects nothing.
    w->fill_usb_table({added, scan[0]});
    QVERIFY(t->selectedItems().isEmpty());
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    QVERIFY(usb.isEmpty());
    // Chosen again after the refill: that one is connected.
    w->fill_usb_table({added, scan[0], scan[2]});
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 3, 1));
    w->fill_usb_table({scan[2], added});
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    QCOMPARE(usb.size(), 1);
    QCOMPARE(usb[0][0].toString(), scan[2]);
    QTRY_VERIFY(!w);
}

void tst_dialog_connect::ok_without_a_resource_row_does_nothing()
{
    connectWindow* w = open(scan);
    QSignalSpy usb(w, &connectWindow::sig_connect_resource);
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    // The title row is no resource either.
    QTableWidget* t = w->form()->tableWidget_USB;
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 0, 1));
    QCOMPARE(t->currentRow(), 0);
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    QVERIFY(usb.isEmpty());
    QVERIFY(w->isVisible());
    delete w;
}

void tst_dialog_connect::typed_address_connects()
{
    QPointer<connectWindow> w = open(scan);
    QSignalSpy usb(w.data(), &connectWindow::sig_connect_resource);
    QSignalSpy lan(w.data(), &connectWindow::sig_connect_tcpip_address);
    choose_lan_page(w);
    QLineEdit* edit = w->form()->lineEdit_ip;
    QCOMPARE(edit->maxLength(), 15);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClicks(edit, "192.168.001.020");
    QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
    QCOMPARE(lan.size(), 1);
    QCOMPARE(lan[0][0].toString(), QString("192.168.1.20"));
    QVERIFY(usb.isEmpty());
    QTRY_VERIFY(!w);
}

void tst_dialog_connect::typed_address_refused()
{
    connectWindow* w = open(scan);
    QSignalSpy lan(w, &connectWindow::sig_connect_tcpip_address);
    choose_lan_page(w);
    QLineEdit* edit = w->form()->lineEdit_ip;
    for (const char* text : {"192.168.1", "1.2.3.4.5", "a.b.c.d", "300.1.1.1", ""}) {
        edit->clear();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, text);
        modal_answerer answerer;
        answerer.press(QMessageBox::Ok);
        QTest::mouseClick(w->form()->pushButton, Qt::LeftButton);
        QVERIFY(answerer.wait_answered());
        QCOMPARE(answerer.boxes().size(), 1);
        QCOMPARE(answerer.boxes()[0].text, QString("Please enter a valid IP address."));
        QVERIFY(w->isVisible());
    }
    QVERIFY(lan.isEmpty());
    delete w;
}

void tst_dialog_connect::cancel_closes()
{
    QPointer<connectWindow> w = open(scan);
    QSignalSpy usb(w.data(), &connectWindow::sig_connect_resource);
    QSignalSpy lan(w.data(), &connectWindow::sig_connect_tcpip_address);
    QTableWidget* t = w->form()->tableWidget_USB;
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cell_centre(t, 1, 1));
    QTest::mouseClick(w->form()->pushButton_2, Qt::LeftButton);
    QTRY_VERIFY(!w);
    QVERIFY(usb.isEmpty() && lan.isEmpty());
}

QTEST_MAIN(tst_dialog_connect)
#include "tst_dialog_connect.moc"
