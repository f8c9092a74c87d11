#include "platform/ui/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ui {

RadioGroup::RadioGroup(QWidget* parent)
    : QGroupBox(parent)
    , m_buttons(new QButtonGroup(this))
{
    new QVBoxLayout(this); // owned by the group
}

void RadioGroup::setItems(const QStringList& items)
{
    for (QAbstractButton* const old : m_buttons->buttons()) {
        m_buttons->removeButton(old);
        delete old;
    }
    for (const QString& item : items) {
        auto* const radio = new QRadioButton(item, this); // owned by the group
        m_buttons->addButton(radio, static_cast<int>(m_buttons->buttons().size()));
        layout()->addWidget(radio);
    }
}

QStringList RadioGroup::Items() const
{
    QStringList items;
    for (int index = 0; index < count(); ++index)
        items.append(button(index)->text());
    return items;
}

int RadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* const chosen = m_buttons->button(index)) {
        chosen->setChecked(true);
        return;
    }
    // No item: the group is exclusive, so it has to let go of the chosen one for a moment.
    if (QAbstractButton* const checked = m_buttons->checkedButton()) {
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

QRadioButton* RadioGroup::button(int index) const
{
    return qobject_cast<QRadioButton*>(m_buttons->button(index));
}

int RadioGroup::count() const
{
    return static_cast<int>(m_buttons->buttons().size());
}

} // namespace ui
