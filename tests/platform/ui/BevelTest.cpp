#include "platform/ui/Bevel.h"

#include "PointerInput.h"
#include "UiTestSupport.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Counts the tooltip requests that reach a widget.
class TooltipCount : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip)
            ++count;
        return QObject::eventFilter(watched, event);
    }
};

// A button framed by a bevel, whichever of the two came first and however they were stacked afterwards: the
// button gets the click, the hover and its tooltip at a point of the window, and the bevel never the focus.
TEST(BevelTest, ControlsUnderABevelGetTheMouseWhateverTheStacking)
{
    enum class Order
    {
        BevelFirst,
        BevelLast,
        BevelRaised, // put on top by code after both were made
        BevelMovedIn, // made elsewhere and given to the window last
    };
    for (const Order order : { Order::BevelFirst, Order::BevelLast, Order::BevelRaised, Order::BevelMovedIn }) {
        SCOPED_TRACE(static_cast<int>(order));
        QWidget elsewhere;
        QWidget window;
        window.resize(200, 120);
        ui::Bevel* bevel = nullptr;
        if (order == Order::BevelFirst)
            bevel = new ui::Bevel(&window); // owned by the window
        auto* const button = new QPushButton(QStringLiteral("Inside"), &window); // owned by the window
        button->setGeometry(40, 40, 120, 30);
        button->setToolTip(QStringLiteral("the button's hint"));
        if (order == Order::BevelMovedIn) {
            bevel = new ui::Bevel(&elsewhere);
            bevel->setParent(&window); // owned by the window from here
        } else if (order != Order::BevelFirst) {
            bevel = new ui::Bevel(&window); // owned by the window
        }
        bevel->setGeometry(10, 10, 180, 100);
        if (order == Order::BevelRaised)
            bevel->raise();
        bevel->show();
        ASSERT_TRUE(uitest::showActive(window));

        EXPECT_EQ(pointer::reached(*button), button);
        QSignalSpy clicks(button, &QPushButton::clicked);
        pointer::click(*button);
        EXPECT_EQ(clicks.count(), 1);

        TooltipCount tooltips;
        button->installEventFilter(&tooltips);
        EXPECT_TRUE(pointer::showsTooltip(*button, QStringLiteral("the button's hint")));
        EXPECT_GT(tooltips.count, 0);
        // Where nothing else lies, the mouse goes through the bevel to the window.
        EXPECT_EQ(pointer::reached(*bevel, QPoint(4, 4)), &window);

        EXPECT_EQ(bevel->focusPolicy(), Qt::NoFocus);
        if (order != Order::BevelRaised) {
            EXPECT_LT(window.children().indexOf(bevel), window.children().indexOf(button)) << "painted over the button";
        }
    }
}

} // namespace
