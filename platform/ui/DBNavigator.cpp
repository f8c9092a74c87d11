#include "platform/ui/DBNavigator.h"

#include "platform/db/DataSet.h"
#include "platform/db/DataSource.h"
#include "platform/ui/DataSourceBinding.h"
#include "platform/db/Table.h"
#include "platform/ui/Guard.h"
#include "platform/ui/RecordDeletion.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolButton>

namespace ui {

namespace {

constexpr int glyphSize = 16;

// Simple drawn pictures, so the buttons need no image files; QIcon greys them when disabled.
QIcon glyph(DBNavigator::Button which)
{
    QPixmap pixmap(glyphSize, glyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(Qt::black);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const auto triangle = [&](qreal tipX, qreal baseX) {
        painter.drawPolygon(QPolygonF({ QPointF(tipX, 8), QPointF(baseX, 3), QPointF(baseX, 13) }));
    };
    switch (which) {
    case DBNavigator::Button::First:
        painter.drawRect(QRectF(3, 3, 2, 10));
        triangle(6, 12);
        break;
    case DBNavigator::Button::Prior:
        triangle(5, 11);
        break;
    case DBNavigator::Button::Next:
        triangle(11, 5);
        break;
    case DBNavigator::Button::Last:
        triangle(10, 4);
        painter.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DBNavigator::Button::Insert:
        painter.drawRect(QRectF(3, 7, 10, 2));
        painter.drawRect(QRectF(7, 3, 2, 10));
        break;
    case DBNavigator::Button::Delete:
        painter.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DBNavigator::Button::Edit:
        painter.drawPolygon(QPolygonF({ QPointF(8, 3), QPointF(3, 12), QPointF(13, 12) }));
        break;
    case DBNavigator::Button::Post: {
        painter.setPen(QPen(ink, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(QPolygonF({ QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4) }));
        break;
    }
    case DBNavigator::Button::Cancel:
        painter.setPen(QPen(ink, 2));
        painter.drawLine(QPointF(4, 4), QPointF(12, 12));
        painter.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DBNavigator::Button::Refresh: {
        painter.setPen(QPen(ink, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPolygon(QPolygonF({ QPointF(8, 1), QPointF(12, 4), QPointF(8, 6) }));
        break;
    }
    }
    painter.end();
    return QIcon(pixmap);
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent)
{
    for (int index = 0; index < buttonCount; ++index) {
        const auto which = static_cast<Button>(index);
        auto* const button = new QToolButton(this);
        button->setObjectName(buttonName(which));
        button->setToolTip(hint(which));
        button->setIcon(glyph(which));
        button->setFocusPolicy(Qt::NoFocus); // a press leaves the focus, and what is typed there, where it was
        connect(button, &QToolButton::clicked, this, [this, which] { press(which); });
        m_buttons.at(static_cast<size_t>(index)) = button;
    }
    resize(240, 25);
    layoutButtons();
    updateButtons();
}

QString DBNavigator::buttonName(Button which)
{
    static const std::array<const char*, buttonCount> names = { "nbFirst", "nbPrior", "nbNext", "nbLast", "nbInsert",
        "nbDelete", "nbEdit", "nbPost", "nbCancel", "nbRefresh" };
    return QString::fromLatin1(names.at(static_cast<size_t>(which)));
}

QString DBNavigator::hint(Button which)
{
    static const std::array<const char*, buttonCount> hints = { "First record", "Prior record", "Next record",
        "Last record", "Insert record", "Delete record", "Edit record", "Post edit", "Cancel edit", "Refresh data" };
    return QString::fromLatin1(hints.at(static_cast<size_t>(which)));
}

void DBNavigator::setDataSource(db::DataSource* source)
{
    if (bindDataSource(m_source, source, this, &DBNavigator::updateButtons, FollowScrolling::Yes)) {
        updateButtons();
    }
}

void DBNavigator::setVisibleButtons(int buttons)
{
    m_visibleButtons = buttons & allButtons;
    layoutButtons();
}

void DBNavigator::setWidth(int width)
{
    setFixedWidth(width);
    layoutButtons();
}

void DBNavigator::setFlat(bool flat)
{
    m_flat = flat;
    for (QToolButton* const button : m_buttons) {
        button->setAutoRaise(flat);
    }
}

void DBNavigator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutButtons();
}

void DBNavigator::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        updateButtons();
    }
}

void DBNavigator::layoutButtons()
{
    int shown = 0;
    for (int index = 0; index < buttonCount; ++index) {
        shown += (m_visibleButtons >> index) & 1;
    }
    const int each = shown > 0 ? width() / shown : 0;
    int spare = shown > 0 ? width() - each * shown : 0;
    int x = 0;
    for (int index = 0; index < buttonCount; ++index) {
        QToolButton* const button = m_buttons.at(static_cast<size_t>(index));
        if (((m_visibleButtons >> index) & 1) == 0) {
            button->hide();
            continue;
        }
        // Pixels that do not divide evenly go to the first buttons, one each.
        const int buttonWidth = each + (spare > 0 ? 1 : 0);
        spare = spare > 0 ? spare - 1 : 0;
        button->setGeometry(x, 0, buttonWidth, height());
        button->show();
        x += buttonWidth;
    }
}

void DBNavigator::updateButtons()
{
    const db::DataSet* const dataSet
        = m_source && m_source->State() != db::DataSetState::Inactive ? m_source->DataSet() : nullptr;
    const bool active = isEnabled() && dataSet;
    const bool canMoveBack = active && !dataSet->Bof();
    const bool canMoveOn = active && !dataSet->Eof();
    const bool canModify = active && dataSet->CanModify();
    const bool editing
        = active && (dataSet->State() == db::DataSetState::Edit || dataSet->State() == db::DataSetState::Insert);
    button(Button::First)->setEnabled(canMoveBack);
    button(Button::Prior)->setEnabled(canMoveBack);
    button(Button::Next)->setEnabled(canMoveOn);
    button(Button::Last)->setEnabled(canMoveOn);
    button(Button::Insert)->setEnabled(canModify);
    button(Button::Delete)->setEnabled(canModify && !(dataSet->Bof() && dataSet->Eof()));
    button(Button::Edit)->setEnabled(canModify && !editing);
    button(Button::Post)->setEnabled(canModify && editing);
    button(Button::Cancel)->setEnabled(canModify && editing);
    button(Button::Refresh)->setEnabled(canModify);
}

void DBNavigator::press(Button which)
{
    guarded([&] { BtnClick(which); });
}

void DBNavigator::BtnClick(Button which)
{
    db::DataSet* const dataSet
        = m_source && m_source->State() != db::DataSetState::Inactive ? m_source->DataSet() : nullptr;
    if (dataSet) {
        switch (which) {
        case Button::First:
            dataSet->First();
            break;
        case Button::Prior:
            dataSet->Prior();
            break;
        case Button::Next:
            dataSet->Next();
            break;
        case Button::Last:
            dataSet->Last();
            break;
        case Button::Insert:
            dataSet->Insert();
            break;
        case Button::Delete:
            deleteRecord(*dataSet, true, this);
            break;
        case Button::Edit:
            dataSet->Edit();
            break;
        case Button::Post:
            dataSet->Post();
            break;
        case Button::Cancel:
            dataSet->Cancel();
            break;
        case Button::Refresh:
            if (auto* const table = qobject_cast<db::Table*>(dataSet)) {
                table->Refresh();
            }
            break;
        }
    }
    // A step that finds the end moves nothing and says nothing; the buttons still have to see it.
    updateButtons();
    emit clicked(which);
}

} // namespace ui
