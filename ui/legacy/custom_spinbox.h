#ifndef CUSTOM_SPINBOX_H
#define CUSTOM_SPINBOX_H

#include <QWidget>

class QDoubleSpinBox;
class QLabel;

// Name, value box and unit in one row. A page connects to this widget,
// never to its parts.
class custom_spinbox : public QWidget
{
    Q_OBJECT

public:
    // Without the unit the unit label stays out of the layout (never shown).
    explicit custom_spinbox(QWidget* parent = nullptr, bool show_unit = true);
    ~custom_spinbox() override;

    void set_label_text(const QString& text);
    // A null pointer gives an empty unit; the text is UTF-8 ("Ω").
    void set_unit_text(const char* unit);
    void set_decimals_step(int decimals, double step);
    void set_value(double value);
    double value() const;
    void set_maximum(double maximum);
    void set_minimum(double minimum);
    // The special-value text, then the box set to that value.
    void set_special_value(int value, const QString& text);
    // White and enabled, or grey and disabled.
    void set_enable(bool enable);

    QLabel* name_label = nullptr;
    QLabel* unit_label = nullptr;
    QDoubleSpinBox* spin_box = nullptr;

signals:
    // Every value change, those made by code included.
    void change_spinbox(double value);
    // Editing finished (Enter or focus lost): the user's change.
    void change_spin_spinbox();

public slots:
    void deal_spinbox(double value);
    void deal_edit_spinbox();

private:
    bool m_unit_in_layout = true;
};

#endif
