#include "platform/ui/MenuShortcutFilter.h"

#include "FocusedTyping.h"
#include "GridWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// The grid window with a menu bar whose items take keys that its controls use too: Ctrl+X cuts in a text box,
// Ctrl+End goes to the grid's last row. The menus' shortcuts win as in the programs. The window also has a
// shortcut of its own outside the menus (a tool button's, say) on Ctrl+X, disabled until a case wants it.
class MenuShortcutFilterTest : public uitest::GridWindowFixture
{
protected:
    void SetUp() override
    {
        GridWindowFixture::SetUp();
        qApp->installEventFilter(&m_filter);
        auto* const bar = new QMenuBar(&window); // owned by the window
        window.layout()->setMenuBar(bar);
        QMenu* const menu = bar->addMenu(QStringLiteral("&Record"));
        exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
        last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
        alsoLast->setShortcut(last->shortcut());
        menu->addActions({ exit, last });
        menu->addMenu(QStringLiteral("&More"))->addAction(alsoLast);
        alsoLast->setEnabled(false);
        bar->show(); // the window is shown already
        outsideMenus->setShortcut(exit->shortcut());
        outsideMenus->setEnabled(false);
        window.addAction(outsideMenus);
    }

    ui::MenuShortcutFilter m_filter;
    QAction* const exit = new QAction(QStringLiteral("E&xit"), &window);
    QAction* const last = new QAction(QStringLiteral("&Last"), &window);
    QAction* const alsoLast = new QAction(QStringLiteral("L&ast"), &window); // in a submenu, disabled at first
    QAction* const outsideMenus = new QAction(&window);
};

// An enabled item takes its key from the focused control; a disabled one leaves the key to the control, also where
// a disabled item of a submenu or an enabled shortcut outside the menus shares it.
TEST_F(MenuShortcutFilterTest, ADisabledItemLeavesItsKeyToTheFocusedControl)
{
    struct Case
    {
        const char* what;
        QAction* item;
        bool enabled;
        bool onGrid; // else in the text box, its text selected
        Qt::Key key;
        bool usedOutsideMenus = false;
    };
    const Case cases[] = {
        { "Exit over the text box", exit, true, false, Qt::Key_X },
        { "Exit disabled: the text is cut", exit, false, false, Qt::Key_X },
        { "Exit disabled, the key used outside the menus: the text is cut", exit, false, false, Qt::Key_X, true },
        { "Last over the grid", last, true, true, Qt::Key_End },
        { "Last disabled: the grid goes to its last row", last, false, true, Qt::Key_End },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        test.item->setEnabled(test.enabled);
        outsideMenus->setEnabled(test.usedOutsideMenus);
        people.First();
        before->setText(QStringLiteral("ABC"));
        QWidget* const control = test.onGrid ? static_cast<QWidget*>(grid) : before;
        control->setFocus();
        before->selectAll();
        ASSERT_EQ(uitest::focused(), control);
        QSignalSpy chosen(test.item, &QAction::triggered);
        QSignalSpy outside(outsideMenus, &QAction::triggered);
        uitest::press(test.key, Qt::ControlModifier);
        EXPECT_EQ(chosen.count(), test.enabled ? 1 : 0);
        EXPECT_EQ(outside.count(), 0);
        if (test.onGrid) {
            EXPECT_EQ(currentName(), test.enabled ? QStringLiteral("ADAMS") : QStringLiteral("GREEN"));
        } else {
            EXPECT_EQ(before->text(), test.enabled ? QStringLiteral("ABC") : QString()) << "the box's text";
        }
        test.item->setEnabled(true);
    }

    // Of two items with the key, the enabled one takes it, whichever comes first in the menus.
    last->setEnabled(false);
    alsoLast->setEnabled(true);
    people.First();
    grid->setFocus();
    QSignalSpy chosen(alsoLast, &QAction::triggered);
    uitest::press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(currentName(), QStringLiteral("ADAMS"));
}

} // namespace
