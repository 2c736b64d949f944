#ifndef MYTITLEBAR_H
#define MYTITLEBAR_H

#include <QPoint>
#include <QSize>
#include <QTimer>
#include <QWidget>

class QLabel;
class QPushButton;

// A 30-pixel title bar for a frameless window: icon, title, minimise,
// restore, maximise and close, and dragging the window by the bar.
class MyTitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit MyTitleBar(QWidget* parent = nullptr);
    ~MyTitleBar() override;

    void set_background_color(int red, int green, int blue, bool transparent = false);
    void set_title_icon(QString path, QSize size = QSize(25, 25));
    void set_title_content(QString text, int point_size = 9);
    void set_title_width(int width);
    // 0: minimise and close; 1: minimise, maximise and close; 2: close only.
    // It only hides buttons; other values are stored and change nothing.
    void set_button_type(int type);
    // Rolls the title one character every 200 ms.
    void start_title_roll();
    // Taken off the parent's width when the bar sizes itself.
    void set_border_width(int width);
    void store_restore_geometry(QPoint position, QSize size);
    void stored_restore_geometry(QPoint& position, QSize& size) const;
    // Appends ":/Resources/<name>.css" to the style sheet when it exists.
    void load_style_sheet(QString name);

    QLabel* icon_label() const { return m_icon_label; }
    QLabel* title_label() const { return m_title_label; }
    QPushButton* min_button() const { return m_min_button; }
    QPushButton* restore_button() const { return m_restore_button; }
    QPushButton* max_button() const { return m_max_button; }
    QPushButton* close_button() const { return m_close_button; }
    int button_type() const { return m_button_type; }

signals:
    void signalButtonMinClicked();
    void signalButtonRestoreClicked();
    void signalButtonMaxClicked();
    void signalButtonCloseClicked();

public slots:
    void onButtonMinClicked();
    void onButtonRestoreClicked();
    void onButtonMaxClicked();
    void onButtonCloseClicked();
    void onRollTitle();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void init_controls();
    void connect_buttons();
    // True when the window system moves the window itself (Wayland, where
    // a window cannot place itself).
    bool start_system_move();

    QLabel* m_icon_label = nullptr;
    QLabel* m_title_label = nullptr;
    QPushButton* m_min_button = nullptr;
    QPushButton* m_restore_button = nullptr;
    QPushButton* m_max_button = nullptr;
    QPushButton* m_close_button = nullptr;
    int m_red = 20;
    int m_green = 20;
    int m_blue = 20;
    QPoint m_restore_position{0, 0};
    QSize m_restore_size{-1, -1};
    bool m_pressed = false;
    QPoint m_press_point{0, 0};
    QTimer m_roll_timer;
    QString m_title_text;
    int m_button_type = 0;
    int m_border_width = 0;
    bool m_transparent = false;
};

#endif
