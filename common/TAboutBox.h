#pragma once

#include <QDialog>
#include <QLatin1StringView>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;
class QToolButton;
class TJustOne32;

namespace os {
class WindowDirectory;
} // namespace os

// The About window of both programs, which the directory program also shows as its splash: product name,
// version, pictures, the maker and a link to the maker's web site, with "Loading..." where the About window has
// its OK button. Typing the hidden word while it is active shows two credit lines for a few seconds.
//
// It carries the single-instance guard: creating it in a copy of a program that started while another copy ran
// ends that copy before the window shows.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    static constexpr QLatin1StringView HiddenWord { "COPPERWING" };

    // windows: the program's window links, through which the guard looks for the earlier copy's window.
    TAboutBox(QWidget* owner, os::WindowDirectory* windows);
    ~TAboutBox() override;
    TAboutBox(const TAboutBox&) = delete;
    TAboutBox& operator=(const TAboutBox&) = delete;

    QFrame* const Panel1;
    QPushButton* const OKButton;
    QLabel* const LabelProductName;
    QLabel* const LabelVersion;
    QLabel* const ImagePhone;
    QLabel* const ImageLighting;
    QTimer* const Timer1;
    QListWidget* const ListBoxName;
    QLabel* const LabelCompanyName;
    QLabel* const Label1;
    QLabel* const Label2;
    QLabel* const Label3;
    QLabel* const Label4;
    TJustOne32* const JustOne321;
    QToolButton* const SpeedButton1;
    QLabel* const Label5;

    // Event handlers. FormKeyUp takes the released key's virtual-key code.
    void FormCreate();
    void FormKeyUp(int key);
    void Timer1Timer();
    void OKButtonClick();
    void SpeedButton1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void placeComponents();
    void setPictures();
    void connectHandlers();
    void startCredits();
    void addCreditLine(const QString& line);

    bool m_keyPreview = false;
};
