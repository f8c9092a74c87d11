// The letter lists as a user of a real directory meets them: long enough to show many names, and dragged away as a
// plain bordered panel without the toolkit's caption buttons.
#include "MainWindowFixture.h"

#include "common/DirectoryDatabase.h"
#include "common/TEmployeeRec.h"
#include "directory/FixedTabBar.h"
#include "directory/LetterListDock.h"
#include "directory/NameGridFeed.h"

#include <QAbstractButton>
#include <QTableWidget>

namespace {

using LetterListPanelTest = MainWindowFixture;

TEST_F(LetterListPanelTest, LongListShowsItsCountAtOnceAndLeavesTheTableWritableOnceRead)
{
    QList<TEmployeeRec> mailRoom;
    for (int index = 0; index < 3000; ++index) {
        const QString name = QStringLiteral("MILLER, NO %1").arg(index, 4, 10, QLatin1Char('0'));
        mailRoom.append({ "MAIL ROOM", name, QString::number(index), {}, {}, {}, {}, {} });
    }
    m_environment.addRows(DirectoryDatabase::EmployeeTable, mailRoom);
    TfrmMain& main = start();
    main.TabControlMain->setCurrentIndex('M' - 'A');
    QTableWidget& list = *main.StringGridEmployee;
    EXPECT_GE(list.rowCount(), 3000) << "the whole count at once, before the rows are read";
    ASSERT_TRUE(QTest::qWaitFor([&] { return main.nameGridFeed().rowsRead() == list.rowCount(); }, 20000));
    for (int index = 1; index < list.rowCount(); ++index) {
        ASSERT_TRUE(list.item(index, 0)) << index;
        ASSERT_LE(list.item(index - 1, 0)->text(), list.item(index, 0)->text()) << "in the query's order: " << index;
    }

    // The query's rows are all read, so another writer is not kept waiting by the open list.
    const TEmployeeRec late { "MAIL ROOM", "MILLER, LATE", {}, {}, {}, {}, {}, {} };
    EXPECT_NO_THROW(m_environment.addRows(DirectoryDatabase::EmployeeTable, QList<TEmployeeRec> { late }));
    EXPECT_EQ(messages(), QStringList());
}

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
