#include "connectWindow.h"

#include "ui_connectwindow.h"

#include "custom_messagebox.h"
#include "normalize_ip_address.h"

#include <QDebug>
#include <QHeaderView>
#include <QTableWidgetItem>

connectWindow::connectWindow(QWidget* parent)
    : QMainWindow(parent),
      ui(new Ui_connectWindow)
{
    ui->setupUi(this);
    setWindowTitle(tr("Connect"));
    // A dialog of the main window (its parent): a window manager keeps it in
    // front, so a click on the blocked main window cannot bury it.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::WindowModal);
    setFixedSize(width(), height());
}

connectWindow::~connectWindow()
{
    delete ui;
}

QList<QString> connectWindow::fill_usb_table(const QList<QString>& scanned)
{
    ui->tabWidget->setCurrentWidget(ui->USB);

    QList<QString> usb;
    for (const QString& resource : scanned)
        if (resource.contains(QLatin1String("USB")))
            usb.append(resource);

    QTableWidget* table = ui->tableWidget_USB;
    // A refill after a scan keeps the user's choice on the same load, not
    // on the same row; a load that is gone leaves nothing chosen.
    const int chosen_row = table->currentRow();
    const QTableWidgetItem* chosen_item = chosen_row > 0 ? table->item(chosen_row, 1) : nullptr;
    const QString chosen = chosen_item ? chosen_item->text() : QString();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setWindowTitle(QStringLiteral("Connect_device"));
    table->setColumnCount(2);
    table->setRowCount(usb.size() + 1);
    table->setItem(0, 0, new QTableWidgetItem(tr("number")));
    table->setItem(0, 1, new QTableWidgetItem(tr("device name")));
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setVisible(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < usb.size(); ++i) {
        table->setItem(i + 1, 0, new QTableWidgetItem(QString::number(i + 1)));
        table->setItem(i + 1, 1, new QTableWidgetItem(usb[i]));
    }
    const int row = chosen.isEmpty() ? -1 : usb.indexOf(chosen);
    if (row >= 0) {
        table->setCurrentCell(row + 1, 1);
    } else {
        table->clearSelection();
        table->setCurrentCell(-1, -1);
    }
    return usb;
}

void connectWindow::on_tabWidget_tabBarClicked(int)
{
}

void connectWindow::on_pushButton_clicked()
{
    if (ui->tabWidget->currentWidget() == ui->USB) {
        qDebug() << "connectWindow::on_pushButton_clicked: USB";
        // Row 0 holds the column titles, not a resource.
        const int row = ui->tableWidget_USB->currentRow();
        const QTableWidgetItem* item = row > 0 ? ui->tableWidget_USB->item(row, 1) : nullptr;
        if (!item)
            return;
        emit sig_connect_resource(item->text());
        close();
        return;
    }
    qDebug() << "connectWindow::on_pushButton_clicked: VXI11";
    QString address;
    if (!normalize_ip_address(ui->lineEdit_ip->text().trimmed(), &address)) {
        // The window stays open for the user to correct the address.
        custom_messagebox box(QMessageBox::Warning, tr("Warning"), tr("Please enter a valid IP address."),
                              QMessageBox::Ok, this);
        box.setAttribute(Qt::WA_DeleteOnClose, false);
        box.exec();
        return;
    }
    emit sig_connect_tcpip_address(address);
    close();
}

void connectWindow::on_pushButton_2_clicked()
{
    close();
}
