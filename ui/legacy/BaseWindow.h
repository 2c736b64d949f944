#ifndef BASEWINDOW_H
#define BASEWINDOW_H

#include <QWidget>

class MyTitleBar;

// A frameless window with a dark rounded background and its own title bar,
// which performs minimise, maximise, restore and close.
class BaseWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BaseWindow(QWidget* parent = nullptr);
    ~BaseWindow() override;

    MyTitleBar* title_bar() const { return m_title_bar; }
    // Appends ":/Resources/<name>.css" to the style sheet when it exists.
    void load_style_sheet(QString name);

public slots:
    void onBaseButtonMinClicked();
    void onBaseButtonRestoreClicked();
    void onBaseButtonMaxClicked();
    void onBaseButtonCloseClicked();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void init_title_bar();

    MyTitleBar* m_title_bar = nullptr;
};

#endif
