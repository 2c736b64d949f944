#ifndef BASEBUTTON_H
#define BASEBUTTON_H

#include <QString>
#include <QTimer>
#include <QWidget>

// A plain widget that turns mouse presses and releases into signals and
// restyles itself through small class-selector style sheets.
class BaseButton : public QWidget
{
    Q_OBJECT

public:
    explicit BaseButton(QWidget* parent = nullptr);

    void setStyleClassName(const QString& name) { m_class_name = name; }
    QString styleClassName() const { return m_class_name; }
    void setClickDisabled(bool disabled) { m_click_disabled = disabled; }
    void setLongPressEnabled(bool enabled) { m_long_press = enabled; }
    bool borderState() const { return m_border_state; }

signals:
    void clickReleased(bool toggled);
    void releasedSignal();
    void pressSignal();
    void forceReleasedSignal();
    void longPressSignal();

public slots:
    void setBordState(bool on);
    void setEableBord();
    void setDisBord();
    void setLongPressEvent();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyLook(const QString& look);

    QString m_class_name {QStringLiteral("swicthButton")};
    QString m_pressed_look {QStringLiteral(" background-color: #505050; ")};
    QString m_released_look {QStringLiteral(" background-color: #505050; ")};
    bool m_border_state = false;
    QString m_enabled_border {QStringLiteral(" border: 1px solid #848484; ")};
    QString m_disabled_border {QStringLiteral(" border: 1px solid #848484; ")};
    bool m_toggled = false;
    int m_press_state = 0; // 0 pressed, 1 cancelled by a drag, 2 released
    int m_press_x = 0;
    int m_press_y = 0;
    bool m_click_disabled = false;
    bool m_long_press = false;
    QTimer m_long_press_timer;
};

#endif
