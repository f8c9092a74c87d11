#pragma once

#include "platform/ui/FieldDataLink.h"

#include <QComboBox>
#include <QPointer>
#include <QVariant>

class QStandardItemModel;
class QTableView;

namespace ui {

// A drop-down list of the rows of a list source. Each row shows the list fields ("Number;Description" gives
// two columns); the value is the key field of the row chosen, or null. The closed box shows the first list field
// of the row whose key equals the value, and nothing when no row does. closeUp is emitted each time the list
// closes, whether a row was picked (the value is then that row's key) or the list was dismissed (the value
// stays); it comes from the event loop just after the list has gone. Bound to a field of a data source, the value
// follows the field and a pick writes into it, starting an edit as a DBEdit does; a pick that may not edit is refused.
class DBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    db::DataSource* ListSource() const { return m_listSource; }
    void setListSource(db::DataSource* source);
    const QString& KeyField() const { return m_keyField; }
    void setKeyField(const QString& fieldName);
    const QString& ListField() const { return m_listField; }
    void setListField(const QString& fieldNames); // ';'-separated; empty: the key field
    const QVariant& KeyValue() const { return m_keyValue; }
    void setKeyValue(const QVariant& value);

    db::DataSource* DataSource() const { return m_link.DataSource(); }
    void setDataSource(db::DataSource* source) { m_link.setDataSource(source); }
    const QString& DataField() const { return m_link.FieldName(); }
    void setDataField(const QString& fieldName) { m_link.setFieldName(fieldName); }

    QTableView* listView() const { return m_view; }
    void showPopup() override;

signals:
    void closeUp();

protected:
    // A value that no row holds is shown as it is instead of as nothing.
    void setShowsUnmatchedValue(bool shows) { m_showsUnmatched = shows; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reloadList();
    void showKeyValue();
    void onRecordChanged();
    void takeRow(int row);
    void onPopupHidden();

    QPointer<db::DataSource> m_listSource;
    QString m_keyField;
    QString m_listField;
    QVariant m_keyValue;
    FieldDataLink m_link;
    QStandardItemModel* m_model;
    QTableView* m_view;
    bool m_showsUnmatched = false;
    bool m_updating = false;
};

} // namespace ui
