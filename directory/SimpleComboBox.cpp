#include "directory/SimpleComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include <algorithm>

SimpleComboBox::SimpleComboBox(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this)) // owned by the box
    , m_list(new QListWidget(this)) // owned by the box
{
    m_edit->setObjectName(QStringLiteral("Edit"));
    m_list->setObjectName(QStringLiteral("List"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    m_edit->installEventFilter(this);

    connect(m_list, &QListWidget::currentRowChanged, this, &SimpleComboBox::showEntry);
    // A click on the entry already selected still puts it back into the edit line after typing.
    connect(
        m_list, &QListWidget::itemPressed, this, [this](const QListWidgetItem* item) { showEntry(m_list->row(item)); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &SimpleComboBox::doubleClicked);
}

void SimpleComboBox::clear()
{
    m_list->clear();
    m_edit->clear();
}

void SimpleComboBox::addItem(const QString& text)
{
    m_list->addItem(text);
}

int SimpleComboBox::count() const
{
    return m_list->count();
}

QString SimpleComboBox::itemText(int index) const
{
    const QListWidgetItem* const item = m_list->item(index);
    return item ? item->text() : QString();
}

int SimpleComboBox::itemIndex() const
{
    return m_list->currentRow();
}

void SimpleComboBox::setItemIndex(int index)
{
    if (index < 0 || index >= m_list->count()) {
        m_list->setCurrentRow(-1);
        return;
    }
    m_list->setCurrentRow(index);
    showEntry(index); // also when it was selected already
}

QString SimpleComboBox::text() const
{
    return m_edit->text();
}

void SimpleComboBox::showEntry(int index)
{
    if (const QListWidgetItem* const item = m_list->item(index))
        m_edit->setText(item->text());
}

bool SimpleComboBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) && m_list->count() > 0) {
            const int step = key == Qt::Key_Up ? -1 : 1;
            const int current = m_list->currentRow();
            const int next = current < 0 ? 0 : std::clamp(current + step, 0, m_list->count() - 1);
            setItemIndex(next);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SimpleComboBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int editHeight = m_edit->sizeHint().height();
    m_edit->setGeometry(0, 0, width(), editHeight);
    m_list->setGeometry(0, editHeight + 1, width(), std::max(0, height() - editHeight - 1));
}
