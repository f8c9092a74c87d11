#include "platform/ui/DBLookupComboBox.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DataSourceBinding.h"
#include "platform/db/Field.h"
#include "platform/ui/DataSetRows.h"
#include "platform/ui/Guard.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>

namespace ui {

namespace {

constexpr int keyRole = Qt::UserRole + 1;

bool sameKey(const QVariant& left, const QVariant& right)
{
    return !left.isNull() && !right.isNull() && left.toString() == right.toString();
}

} // namespace

DBLookupComboBox::DBLookupComboBox(QWidget* parent)
    : QComboBox(parent)
    , m_link(this)
    , m_model(new QStandardItemModel(this))
    , m_view(new QTableView)
{
    setEditable(false);
    setModel(m_model);
    m_view->setObjectName(QStringLiteral("LookupList"));
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->setShowGrid(false);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setView(m_view); // the combo box owns the view from here on
    m_view->window()->installEventFilter(this);
    connect(&m_link, &FieldDataLink::recordChanged, this, &DBLookupComboBox::onRecordChanged);
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::takeRow);
}

void DBLookupComboBox::setListSource(db::DataSource* source)
{
    // The list shows every row of the source, whichever is current.
    if (bindDataSource(m_listSource, source, this, &DBLookupComboBox::reloadList, FollowScrolling::No)) {
        reloadList();
    }
}

void DBLookupComboBox::setKeyField(const QString& fieldName)
{
    m_keyField = fieldName;
    reloadList();
}

void DBLookupComboBox::setListField(const QString& fieldNames)
{
    m_listField = fieldNames;
    reloadList();
}

void DBLookupComboBox::setKeyValue(const QVariant& value)
{
    m_keyValue = value;
    showKeyValue();
}

void DBLookupComboBox::showPopup()
{
    reloadList(); // the list shows the rows as they are now
    QComboBox::showPopup();
}

void DBLookupComboBox::reloadList()
{
    const db::DataSet* const dataSet
        = m_listSource && m_listSource->State() != db::DataSetState::Inactive ? m_listSource->DataSet() : nullptr;
    m_updating = true;
    m_model->clear();
    QStringList listFields = m_listField.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (listFields.isEmpty()) {
        listFields.append(m_keyField);
    }
    m_model->setColumnCount(static_cast<int>(listFields.size()));
    guarded([&] {
        if (!dataSet || m_keyField.isEmpty()) {
            return;
        }
        const auto position = [&](const QString& name) {
            const db::Field* const field = dataSet->FindField(name.trimmed());
            for (int index = 0; field && index < dataSet->FieldCount(); ++index) {
                if (&dataSet->fieldAt(index) == field) {
                    return index;
                }
            }
            return -1;
        };
        const int keyIndex = position(m_keyField);
        std::vector<int> shownIndexes;
        for (const QString& name : listFields) {
            shownIndexes.push_back(position(name));
        }
        for (const db::RecordRow& row : readAllRows(*dataSet)) {
            QList<QStandardItem*> items;
            for (const int index : shownIndexes) {
                auto* const item = new QStandardItem(index >= 0 ? row.values.value(index).toString() : QString());
                item->setEditable(false);
                items.append(item);
            }
            items.front()->setData(keyIndex >= 0 ? row.values.value(keyIndex) : QVariant(), keyRole);
            m_model->appendRow(items);
        }
    });
    m_view->resizeColumnsToContents();
    int listWidth = 2 * m_view->frameWidth() + m_view->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < m_model->columnCount(); ++column) {
        listWidth += m_view->columnWidth(column);
    }
    m_view->setMinimumWidth(listWidth);
    m_updating = false;
    showKeyValue();
}

void DBLookupComboBox::showKeyValue()
{
    int found = -1;
    for (int row = 0; row < m_model->rowCount() && found < 0; ++row) {
        if (sameKey(m_model->item(row, 0)->data(keyRole), m_keyValue)) {
            found = row;
        }
    }
    m_updating = true;
    setPlaceholderText(found < 0 && m_showsUnmatched && !m_keyValue.isNull() ? m_keyValue.toString() : QString());
    setCurrentIndex(found);
    m_updating = false;
}

void DBLookupComboBox::onRecordChanged()
{
    if (m_updating || !m_link.DataSource()) {
        return;
    }
    const db::Field* const field = m_link.field();
    m_keyValue = field && !field->IsNull() ? field->Value() : QVariant();
    showKeyValue();
}

void DBLookupComboBox::takeRow(int row)
{
    if (m_updating || row < 0 || row >= m_model->rowCount()) {
        return;
    }
    const QVariant key = m_model->item(row, 0)->data(keyRole);
    if (sameKey(key, m_keyValue)) {
        return;
    }
    if (m_link.DataSource()) {
        bool written = false;
        guarded([&] {
            db::Field* const field = m_link.field();
            if (field && m_link.edit()) {
                m_updating = true;
                field->setValue(key);
                written = true;
            }
        });
        m_updating = false;
        if (!written) {
            showKeyValue(); // refused: the box goes back to the field's value
            return;
        }
    }
    m_keyValue = key;
    showKeyValue();
}

void DBLookupComboBox::onPopupHidden()
{
    // A pick has made its row current by now; a dismissal has left the current row as it was.
    takeRow(currentIndex());
    emit closeUp();
}

bool DBLookupComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_view->window() && event->type() == QEvent::Hide) {
        // Qt hides the list before it takes a row picked by Enter, after it takes one picked by the mouse;
        // the close-up waits until either has happened.
        QMetaObject::invokeMethod(this, &DBLookupComboBox::onPopupHidden, Qt::QueuedConnection);
    }
    return QComboBox::eventFilter(watched, event);
}

} // namespace ui
