#pragma once

#include <QDialog>

class QPushButton;
class TFrmMain;

namespace ui {
class Bevel;
class RadioGroup;
} // namespace ui

// Asks for the format of an export file, comma or tab. Created anew for every export command, so it always starts
// on the comma format; OK stores the choice in the main window's export delimiter.
class TfrmSelectDelimiter : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSelectDelimiter(TFrmMain& owner);
    ~TfrmSelectDelimiter() override;

    QPushButton* const OKBtn;
    QPushButton* const CancelBtn;
    ui::Bevel* const Bevel1;
    ui::RadioGroup* const RadioGroup1;

    void OKBtnClick();
    void CancelBtnClick();

private:
    TFrmMain& m_owner;
};
