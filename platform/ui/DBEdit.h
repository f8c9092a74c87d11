#pragma once

#include "platform/ui/FieldDataLink.h"

#include <QLineEdit>

namespace ui {

// A one-line edit bound to a field of a data source. It shows the current record's value and follows every
// move and change of the data set. Typed text goes into the field as it is typed; the first change puts the data
// set into Edit when the data source allows editing on typing, and is refused (the text stays) when it does not
// and the data set is not editing, when the field or data set is read-only, or when the edit itself is read-only.
// An Alpha field limits the length to its size.
class DBEdit : public QLineEdit
{
    Q_OBJECT

public:
    enum class CharCase
    {
        Normal,
        UpperCase, // every letter typed or pasted is entered in upper case
    };

    explicit DBEdit(QWidget* parent = nullptr);

    db::DataSource* DataSource() const { return m_link.DataSource(); }
    void setDataSource(db::DataSource* source) { m_link.setDataSource(source); }
    const QString& DataField() const { return m_link.FieldName(); }
    void setDataField(const QString& fieldName) { m_link.setFieldName(fieldName); }
    CharCase charCase() const { return m_charCase; }
    void setCharCase(CharCase charCase) { m_charCase = charCase; }
    db::Field* field() const { return m_link.field(); }

signals:
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void showField();
    void onTextEdited(const QString& text);
    void writeField(bool finished);

    FieldDataLink m_link;
    CharCase m_charCase = CharCase::Normal;
    bool m_showing = false;
};

} // namespace ui
