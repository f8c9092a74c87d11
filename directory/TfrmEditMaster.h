#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmDataMod;

namespace db {
class DataSource;
} // namespace db

namespace ui {
class Bevel;
class DBGrid;
class DBNavigator;
} // namespace ui

// The department editor: a grid and a navigator over department.DB in which a user with edit permission browses,
// searches, adds, changes and deletes departments. A renamed department's employees follow it (the data module's
// rename cascade). The editor's table stays open on its row between showings, and the dialog will not close while
// a row is being edited or inserted. Esc empties the search box; it does not close the dialog.
class TfrmEditMaster : public QDialog
{
    Q_OBJECT

public:
    // Modal results of EditDepartments.
    static constexpr int mrOK = 1;
    static constexpr int mrCancel = 2;

    TfrmEditMaster(TfrmDataMod& dataModule, QWidget* owner);

    // Shows the dialog modally on TblEditDepartment: mrOK when closed with "Close", mrCancel by the close box.
    int EditDepartments();

    void FormCreate();
    // Whether the dialog may close now; refuses while a row is being edited or inserted.
    bool FormClose();
    void EditDepartmentSearchKeyUp(int key);

    // The text searched for.
    QString SearchText;

    QPushButton* const BitBtn1;
    QFrame* const Panel1;
    ui::DBNavigator* const DBNavigator1;
    ui::DBGrid* const DBGrid1;
    db::DataSource* const ActiveDataSource;
    ui::Bevel* const Bevel1;
    QLineEdit* const EditDepartmentSearch;
    QLabel* const Label1;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeComponents();

    TfrmDataMod& m_dataModule;
};
