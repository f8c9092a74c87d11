#pragma once

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QToolButton;

namespace ui {

// A row of buttons that move through and edit the data set of a data source. The buttons stand in a fixed
// order; a bit set chooses which are shown (bit i for the i-th button) and the shown ones share the width.
// Each is enabled as the data set's state allows, and after a button's operation the navigator tells which
// button it was.
class DBNavigator : public QWidget
{
    Q_OBJECT

public:
    enum class Button
    {
        First,
        Prior,
        Next,
        Last,
        Insert,
        Delete,
        Edit,
        Post,
        Cancel,
        Refresh,
    };
    static constexpr int buttonCount = 10;
    static constexpr int allButtons = (1 << buttonCount) - 1;
    Q_ENUM(Button)

    explicit DBNavigator(QWidget* parent = nullptr);

    db::DataSource* DataSource() const { return m_source; }
    void setDataSource(db::DataSource* source);
    int VisibleButtons() const { return m_visibleButtons; }
    void setVisibleButtons(int buttons);
    void setWidth(int width);
    bool Flat() const { return m_flat; }
    void setFlat(bool flat);

    // The button's widget, found also by its objectName ("nbFirst", "nbPrior", ...).
    QToolButton* button(Button which) const { return m_buttons.at(static_cast<size_t>(which)); }
    static QString buttonName(Button which);
    static QString hint(Button which);

    // Carries out a button's operation on the data set, as a press does, and then emits clicked. Delete first
    // asks "Delete record?" and deletes only on OK; clicked follows either way. An error of the data set is
    // thrown and clicked does not follow.
    void BtnClick(Button which);

signals:
    void clicked(ui::DBNavigator::Button button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void press(Button which);
    void layoutButtons();
    void updateButtons();

    QPointer<db::DataSource> m_source;
    std::array<QToolButton*, buttonCount> m_buttons {};
    int m_visibleButtons = allButtons;
    bool m_flat = false;
};

} // namespace ui
