#ifndef CUSTOM_INPUT_SPINBOX_H
#define CUSTOM_INPUT_SPINBOX_H

#include <QWidget>

class QDoubleSpinBox;
class QLabel;

// A compact value box with a coloured unit letter (the trend's limits).
class custom_input_spinbox : public QWidget
{
    Q_OBJECT

public:
    // kind: 0 current "A", 1 voltage "V", 2 resistance "Ω", 3 power "W";
    // any other kind has no unit. The range is 0 to maximum.
    custom_input_spinbox(int kind, int maximum, QWidget* parent = nullptr);
    ~custom_input_spinbox() override;

    double value() const;
    void set_value(double value);
    // Range 0 to maximum, then valuechanged() always, so the owner re-limits.
    void set_maximum(int maximum);
    void set_focusable(bool focusable);

    QDoubleSpinBox* spin_box = nullptr;
    QLabel* unit_label = nullptr;

signals:
    void valuechanged();

public slots:
    void deal_spinbox();
};

#endif
