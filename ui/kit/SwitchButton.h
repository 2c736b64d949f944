#ifndef SWITCHBUTTON_H
#define SWITCHBUTTON_H

#include "BaseButton.h"

class SwitchControl;

// The load switch: a BaseButton holding one SwitchControl. A press only
// signals; the state shown is set from outside with setSelectedItem.
class SwitchButton : public BaseButton
{
    Q_OBJECT

public:
    explicit SwitchButton(QWidget* parent = nullptr);

    SwitchControl* control() const { return m_control; }

public slots:
    void setTitle(const QString& title);
    void setSelectedItem(bool on);
    bool getSelectedItem();

private:
    SwitchControl* m_control = nullptr;
};

#endif
