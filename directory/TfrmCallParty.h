#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class SimpleComboBox;

namespace ui {
class Bevel;
} // namespace ui

// The number chooser: a small modal dialog that lists the numbers of a value holding several and dials any of
// them, as often as the user asks, until it is closed. Each dial asks the handset prompt first. Esc does not close
// it: only "&Close" and the close box do.
class TfrmCallParty : public QDialog
{
    Q_OBJECT

public:
    // specialPrefix is the main window's dial prefix, read when the list is filled; it outlives the dialog.
    TfrmCallParty(const QString& specialPrefix, QWidget* owner);

    QPushButton* const btnDial;
    SimpleComboBox* const ComboBox1;
    ui::Bevel* const Bevel1;
    QPushButton* const btnClose;
    QLabel* const lblCalledParty;

    // The number text as handed over, in upper case; SplitNumbers normalises it in place.
    QString NumberText;
    QString CalledParty;
    QString Comment;

    // Fills the list with the numbers of NumberText, each behind the dial prefix.
    void SplitNumbers();
    // The handset prompt, then the call for the text of the edit line exactly as it stands.
    void DialSelected();
    void FormShow();
    void btnDialClick();
    void ComboBox1DblClick();
    void btnCloseClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const QString& m_specialPrefix;
};
