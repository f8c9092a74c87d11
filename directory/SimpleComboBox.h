#pragma once

#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;

// A combo box whose list is always open under its edit line. A click on an entry puts it into the edit line, as
// do Up and Down typed in the edit line; the user may also type any text there. The edit line takes the focus
// for the whole box.
class SimpleComboBox : public QWidget
{
    Q_OBJECT

public:
    explicit SimpleComboBox(QWidget* parent = nullptr);

    void clear();
    void addItem(const QString& text);
    int count() const;
    QString itemText(int index) const;
    // The entry selected in the list, -1 for none. Selecting an entry puts its text into the edit line.
    int itemIndex() const;
    void setItemIndex(int index);
    // The text of the edit line.
    QString text() const;

    QLineEdit* lineEdit() const { return m_edit; }
    QListWidget* listWidget() const { return m_list; }

signals:
    // An entry of the list was double-clicked; the click before it has put the entry into the edit line.
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showEntry(int index);

    QLineEdit* const m_edit;
    QListWidget* const m_list;
};
