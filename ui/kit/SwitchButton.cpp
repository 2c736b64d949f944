#include "SwitchButton.h"

#include "SwitchControl.h"

#include <QVBoxLayout>

SwitchButton::SwitchButton(QWidget* parent)
    : BaseButton(parent)
{
    setStyleClassName(QStringLiteral("SwitchButton"));
    m_control = new SwitchControl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_control, 7, Qt::AlignLeft | Qt::AlignVCenter);
}

void SwitchButton::setTitle(const QString& title)
{
    // The switch draws its own ON/OFF text; a title has no place on it.
    Q_UNUSED(title);
}

void SwitchButton::setSelectedItem(bool on)
{
    m_control->setChecked(on);
}

bool SwitchButton::getSelectedItem()
{
    return m_control->isChecked();
}
