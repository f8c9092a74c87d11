// The letter lists as a user of a real directory meets them: long enough to show many names, and dragged away as a
// plain bordered panel without the toolkit's caption buttons.
#include "MainWindowFixture.h"

#include "directory/LetterListDock.h"

#include <QAbstractButton>
#include <QTableWidget>

namespace {

class LetterListPanelTest : public MainWindowFixture
{
};

TEST_F(LetterListPanelTest, ListReachesTheBottomOfTheContentAndFloatsAsAPlainPanel)
{
    TfrmMain& main = start();
    main.showNormal();
    main.resize(1000, 900);
    LetterListDock& dock = *main.PanelEmployeeDock;
    main.TabControlMainMouseDown(); // the first press fills and shows the list
    ASSERT_TRUE(QTest::qWaitFor([&] { return dock.isVisible() && main.StringGridEmployee->height() > 400; }, 5000))
        << "the list grows with the window: " << main.StringGridEmployee->height();
    EXPECT_GE(dock.geometry().bottom(), main.height() - 20);

    // Dragged away by its margin, it floats: no caption of the window manager, no button of the toolkit's.
    QWidget* const margin = dock.margin();
    ASSERT_TRUE(margin && margin->isVisible());
    const QPoint start = margin->rect().center();
    QTest::mousePress(margin, Qt::LeftButton, {}, start);
    QTest::mouseMove(margin, start + QPoint(30, 30));
    QTest::mouseMove(margin, start + QPoint(80, 60));
    QTest::mouseRelease(margin, Qt::LeftButton, {}, start + QPoint(80, 60));
    ASSERT_TRUE(dock.isFloating());
    EXPECT_TRUE(dock.windowFlags().testFlag(Qt::FramelessWindowHint));
    for (const QAbstractButton* const button : dock.findChildren<QAbstractButton*>())
        EXPECT_FALSE(button->isVisible()) << button->objectName().toStdString();
    EXPECT_TRUE(main.StringGridEmployee->isVisible());
    EXPECT_EQ(main.StringGridEmployee->font(), main.font()) << "the floated list keeps the window's font";
}

} // namespace
