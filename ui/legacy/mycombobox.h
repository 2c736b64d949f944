#ifndef MYCOMBOBOX_H
#define MYCOMBOBOX_H

#include <QComboBox>

// A combo box the mouse wheel cannot change: the older window's pages sit
// in scrolling tabs, and a wheel turn over a box must not send a setting.
class mycombobox : public QComboBox
{
    Q_OBJECT

public:
    explicit mycombobox(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;
};

#endif
