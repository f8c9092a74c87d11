#pragma once

#include <QDialog>

class QPushButton;
class TfrmDataMod;

namespace ui {
class DBGrid;
class DBNavigator;
} // namespace ui

// The "Special Number" dialog: a grid and a navigator that edit the dial prefixes of Special.db in place. Rows
// reach the table as they are posted (the Post button, or moving to another row). Closing the dialog, by "OK" or
// the close box, posts a row still being edited, so that nothing typed is silently left behind; when that post
// fails the error is shown and the dialog stays open on the row. Esc does not close it.
class TFrmSpecial : public QDialog
{
    Q_OBJECT

public:
    TFrmSpecial(TfrmDataMod& dataModule, QWidget* owner);

    QPushButton* const OKBtn;
    ui::DBGrid* const DBGrid1;
    ui::DBNavigator* const DBNavigator1;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfrmDataMod& m_dataModule;
};
