#ifndef CUSTOM_LABEL_H
#define CUSTOM_LABEL_H

#include <QWidget>

class QLabel;

// A reading: optional name, the value cut to its decimals (or an elapsed
// time as hh:mm:ss) and its unit.
class custom_label : public QWidget
{
    Q_OBJECT

public:
    explicit custom_label(bool with_name, QWidget* parent = nullptr);
    ~custom_label() override;

    // unit: UTF-8, a null pointer gives none; as_time shows the value as
    // hours:minutes:seconds and hides the unit.
    void set_value(const char* unit, double value, int decimals, bool as_time, const QString& name);
    // The pages' name for set_value.
    void set_reading(const char* unit, double value, int decimals, bool as_time, const QString& name)
    {
        set_value(unit, value, decimals, as_time, name);
    }

    QLabel* name_label = nullptr;
    QLabel* value_label = nullptr;
    QLabel* unit_label = nullptr;

private:
    bool m_with_name;
};

#endif
