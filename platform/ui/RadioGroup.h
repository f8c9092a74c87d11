#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace ui {

// A framed group of radio buttons, one per item, of which one at most is chosen. Arrow keys move between the
// items; Tab enters the group at its chosen item.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

public:
    explicit RadioGroup(QWidget* parent = nullptr);

    // Replaces the items; none is chosen afterwards.
    void setItems(const QStringList& items);
    QStringList Items() const;
    // The chosen item, or -1 when none is.
    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;
    int count() const;

private:
    QButtonGroup* const m_buttons;
};

} // namespace ui
