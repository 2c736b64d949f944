#ifndef CUSTOM_RADIOBUTTON_H
#define CUSTOM_RADIOBUTTON_H

#include <QWidget>

class QButtonGroup;
class QLabel;
class QRadioButton;

// A labelled pair of exclusive choices A and B (ranges, on/off switches).
class custom_radiobutton : public QWidget
{
    Q_OBJECT

public:
    explicit custom_radiobutton(QWidget* parent = nullptr);

    void set_label_text(const QString& text);
    void set_text_a(const QString& text);
    void set_text_b(const QString& text);
    // 0 checks A, 1 checks B, any other index does nothing; emits nothing.
    void set_checked(int index);
    // 0 for A, 1 for B, 2 while neither is checked.
    int checked_index() const;
    void set_enable(bool enable);

    QLabel* name_label = nullptr;
    QRadioButton* button_a = nullptr;
    QRadioButton* button_b = nullptr;
    QButtonGroup* group = nullptr;

signals:
    // User clicks only.
    void buttonA_clicked();
    void buttonB_clicked();

public slots:
    void deal_buttongroup(int id);
};

#endif
