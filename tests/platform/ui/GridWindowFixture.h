#pragma once

#include "platform/ui/DBGrid.h"

#include "PeopleFixture.h"

#include <QLineEdit>
#include <QVBoxLayout>

namespace uitest {

// A shown, active window with an edit before the grid and one after it, the grid over the people table.
class GridWindowFixture : public PeopleFixture
{
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        auto* const layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        window.resize(700, 400);
        grid->setDataSource(&source);
        ASSERT_TRUE(showActive(window));
    }

    QWidget window;
    QLineEdit* const before = new QLineEdit(&window);
    ui::DBGrid* const grid = new ui::DBGrid(&window);
    QLineEdit* const after = new QLineEdit(&window);
};

} // namespace uitest
