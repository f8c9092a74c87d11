#pragma once

#include "platform/ui/FieldDataLink.h"

#include <QPlainTextEdit>

namespace ui {

// A multi-line text bound to a field (a Memo) of a data source. It shows the current record's value; when it is
// not read-only, changes go into the field under the same rules as DBEdit's.
class DBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit DBMemo(QWidget* parent = nullptr);

    db::DataSource* DataSource() const { return m_link.DataSource(); }
    void setDataSource(db::DataSource* source) { m_link.setDataSource(source); }
    const QString& DataField() const { return m_link.FieldName(); }
    void setDataField(const QString& fieldName) { m_link.setFieldName(fieldName); }
    db::Field* field() const { return m_link.field(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showField();
    void onTextChanged();

    FieldDataLink m_link;
    bool m_showing = false;
};

} // namespace ui
