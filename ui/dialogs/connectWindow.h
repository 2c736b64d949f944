#ifndef CONNECTWINDOW_H
#define CONNECTWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QString>

class Ui_connectWindow;

// The "Connect" window: pick a USB load from a table or type a LAN load's
// IPv4 address. OK hands the choice to the opener through the two signals
// and closes the window.
class connectWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit connectWindow(QWidget* parent = nullptr);
    ~connectWindow() override;

    // Shows the USB page and lists the entries of `scanned` that contain
    // "USB", in scan order; returns that list (the window's USB resources).
    QList<QString> fill_usb_table(const QList<QString>& scanned);

    Ui_connectWindow* form() const { return ui; }

signals:
    // A USB resource chosen on the USB page.
    void sig_connect_resource(const QString& resource);
    // A LAN address typed on the VXI11 page ("192.168.1.20").
    void sig_connect_tcpip_address(const QString& address);

private slots:
    void on_tabWidget_tabBarClicked(int index);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();

private:
    Ui_connectWindow* ui = nullptr;
};

#endif
