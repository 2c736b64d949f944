#ifndef SWITCHCONTROL_H
#define SWITCHCONTROL_H

#include <QColor>
#include <QFrame>
#include <QString>
#include <QTimer>

// Sliding ON/OFF switch drawn by hand; the knob slides with a 40 ms timer.
class SwitchControl : public QFrame
{
    Q_OBJECT

public:
    explicit SwitchControl(QWidget* parent = nullptr);

    bool isChecked() const { return m_checked; }
    void setTexts(const QString& off_text, const QString& on_text);
    QString offText() const { return m_off_text; }
    QString onText() const { return m_on_text; }
    // Current x offset of the knob (lags behind the state while sliding).
    int knobPosition() const { return m_position; }
    bool isSliding() const { return m_timer.isActive(); }

public slots:
    void setChecked(bool checked);
    void updateValue();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_checked = false;
    QColor m_track_off {96, 96, 96, 255};
    QColor m_track_on {23, 118, 223, 255};
    QColor m_knob_off {120, 120, 120, 255};
    QColor m_knob_on {120, 120, 120, 255};
    QColor m_text_off {255, 255, 255, 255};
    QColor m_text_on {255, 255, 255, 255};
    QString m_off_text;
    QString m_on_text;
    int m_margin = 0;
    int m_radius = 0;
    int m_step = 0;
    int m_position = 0;
    int m_target = 0;
    QTimer m_timer;
};

#endif
