#include "platform/ui/GridCellEditor.h"

#include "platform/db/Field.h"

#include "FocusedTyping.h"
#include "PeopleFixture.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// An editor over the first person's Dept ("Accounting"), in a shown scroll area that stands for its grid.
class GridCellEditorTest : public uitest::PeopleFixture
{
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        area.resize(300, 200);
        ASSERT_TRUE(uitest::showActive(area));
        QObject::connect(&editor, &ui::GridCellEditor::gridKeyPressed, &area,
            [this](const QKeyEvent* event) { gridKeys.push_back(event->key()); });
    }

    QString dept() const { return people.FieldByName("Dept").AsString(); }

    QAbstractScrollArea area;
    bool editAllowed = true;
    ui::GridCellEditor editor { area, [this] { return &people.FieldByName("Dept"); },
        [this] {
            if (editAllowed && people.State() == db::DataSetState::Browse) {
                people.Edit();
            }
            return people.State() != db::DataSetState::Browse;
        } };
    std::vector<int> gridKeys; // not a QList: comparing empty ones trips the undefined-behaviour checks
};

TEST_F(GridCellEditorTest, TypedTextReachesTheFieldAndTheClosingKeyDecidesWhatStays)
{
    struct Case
    {
        const char* what;
        std::optional<QString> opening; // the key that opened the cell; none: opened with its value selected
        QString typed; // then typed key by key, each capital with a lone Shift before it
        Qt::Key closing;
        Qt::KeyboardModifiers modifiers;
        bool allowed;
        QString whileOpen; // the cell's and the field's value before the closing key
        QString afterwards;
        bool stillOpen;
        bool toGrid; // the closing key went on to the grid
    };
    const QString before = QStringLiteral("Accounting");
    const Case cases[] = {
        { "Enter keeps capitals", "Z", "z Test ONE", Qt::Key_Return, {}, true, "Zz Test ONE", "Zz Test ONE", false,
            false },
        { "Esc gives back", std::nullopt, "New Dept", Qt::Key_Escape, {}, true, "New Dept", before, false, false },
        { "a row key goes on", "Q", "Rs", Qt::Key_Down, {}, true, "QRs", "QRs", false, true },
        { "Tab goes on", std::nullopt, "Ab", Qt::Key_Tab, {}, true, "Ab", "Ab", false, true },
        { "Ctrl+End goes on", "M", "n", Qt::Key_End, Qt::ControlModifier, true, "Mn", "Mn", false, true },
        { "End stays in the text", "M", "n", Qt::Key_End, {}, true, "Mn", "Mn", true, false },
        { "a refused edit", "X", "Yz", Qt::Key_Return, {}, false, before, before, false, false },
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        editAllowed = test.allowed;
        gridKeys.clear();
        area.setFocus();
        editor.open(QRect(10, 20, 80, 18), test.opening ? &*test.opening : nullptr);
        ASSERT_TRUE(editor.isOpen());
        EXPECT_EQ(editor.lineEdit()->geometry(), QRect(11, 21, 78, 16));
        uitest::typeIntoFocus(test.typed);
        EXPECT_EQ(dept(), test.whileOpen);
        EXPECT_EQ(editor.lineEdit()->text(), test.whileOpen);
        uitest::press(test.closing, test.modifiers);
        EXPECT_EQ(dept(), test.afterwards);
        EXPECT_EQ(editor.isOpen(), test.stillOpen);
        EXPECT_EQ(gridKeys, test.toGrid ? std::vector<int> { test.closing } : std::vector<int> {});
        if (!test.stillOpen) {
            EXPECT_EQ(QApplication::focusWidget(), &area) << "the grid keeps the focus";
        }
        editor.close(false);
        people.Cancel();
    }

    // A cell that goes out of sight closes.
    editor.open(QRect(10, 20, 80, 18), nullptr);
    editor.place(QRect());
    EXPECT_FALSE(editor.isOpen());
}

} // namespace
