#include "common/TAboutBox.h"

#include "common/AboutLog.h"
#include "common/MakerNames.h"
#include "common/TJustOne32.h"
#include "platform/os/Desktop.h"
#include "platform/ui/Component.h"
#include "platform/ui/Guard.h"
#include "platform/ui/VirtualKey.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <array>

namespace {

using ui::component;

constexpr QSize clientSize { 312, 255 };
constexpr QRect panelGeometry { 8, 8, 296, 205 };
constexpr int panelWidth = 296;
constexpr QRect phoneGeometry { 10, 10, 30, 39 };
constexpr QRect trademarkGeometry { 40, 38, 16, 11 };
constexpr QRect lightingGeometry { 254, 10, 32, 32 };
constexpr int productNameTop = 12;
constexpr int productNameHeight = 38;
constexpr QRect versionGeometry { 0, 54, panelWidth, 18 };
constexpr QRect platformsGeometry { 0, 74, panelWidth, 16 };
constexpr QRect creditsGeometry { 59, 60, 177, 84 };
constexpr int creditLineHeight = 16;
constexpr QRect webSiteLabelGeometry { 14, 150, 70, 22 };
constexpr QRect linkGeometry { 84, 150, 198, 22 };
constexpr QRect companyGeometry { 0, 180, panelWidth, 18 };
constexpr QRect loadingGeometry { 0, 222, 312, 22 };
constexpr QRect okGeometry { 118, 222, 75, 25 };

constexpr int typedKeysMax = 45;
constexpr int escapeKey = 27;
constexpr int creditsHoldMs = 3000;

const QColor blue(0, 0, 255);

// The credit lines of the hidden display, 45 characters at most each.
constexpr std::array<QLatin1StringView, 2> creditLines { QLatin1StringView("Ringfolio for the Qt desktop"),
    QLatin1StringView("by the Brenwick Software team") };
static_assert(creditLines[0].size() <= typedKeysMax && creditLines[1].size() <= typedKeysMax);

// The About unit's state: one for the whole run, shared by every About window of the process.
struct AboutUnitState
{
    QByteArray TypedKeys;
    std::array<QString, 2> CreditsList;
    qint32 CreditsIndex = 1;
    quint16 CreditsElapsed = 0;
    quint16 CreditsShowUntil = 0;
    quint16 CreditsHideAt = 0;
};

AboutUnitState& aboutUnit()
{
    static AboutUnitState state;
    return state;
}

// The keys whose codes are collected as typed characters: Page Down, Delete, digits, letters, the keypad's
// digits and operators, and the punctuation keys.
bool isCollectedKey(int key)
{
    return key == 34 || key == 46 || (key >= 48 && key <= 57) || (key >= 65 && key <= 90) || (key >= 96 && key <= 111)
        || (key >= 187 && key <= 192) || (key >= 219 && key <= 222);
}

QFont arial(int pointSize, bool bold = false)
{
    QFont font(QStringLiteral("Arial"), pointSize);
    font.setBold(bold);
    return font;
}

QLabel* centredLabel(QLabel* label, const QRect& geometry, const QFont& font)
{
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* owner, os::WindowDirectory* windows)
    : QDialog(owner)
    , Panel1(component<QFrame>("Panel1", this))
    , OKButton(component<QPushButton>("OKButton", QStringLiteral("OK"), this))
    , LabelProductName(component<QLabel>("LabelProductName", QStringLiteral("Ringfolio"), Panel1))
    , LabelVersion(component<QLabel>("LabelVersion", QStringLiteral("Version 2.5"), Panel1))
    , ImagePhone(component<QLabel>("ImagePhone", Panel1))
    , ImageLighting(component<QLabel>("ImageLighting", Panel1))
    , Timer1(component<QTimer>("Timer1", this))
    , ListBoxName(component<QListWidget>("ListBoxName", Panel1))
    , LabelCompanyName(component<QLabel>("LabelCompanyName", QString(MakerNames::CompanyName), Panel1))
    , Label1(component<QLabel>("Label1", QStringLiteral("for Windows 95/98 and NT"), Panel1))
    , Label2(component<QLabel>("Label2", QStringLiteral("\u00AE"), Panel1))
    , Label3(component<QLabel>("Label3", QStringLiteral("TM"), Panel1))
    , Label4(component<QLabel>("Label4", QStringLiteral("Loading..."), this))
    , JustOne321(component<TJustOne32>("JustOne321", this, windows))
    , SpeedButton1(component<QToolButton>("SpeedButton1", Panel1))
    , Label5(component<QLabel>("Label5", QStringLiteral("  Web Site:"), Panel1))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QString());
    setFixedSize(clientSize);
    placeComponents();
    setPictures();
    connectHandlers();
    ui::guarded([this] { FormCreate(); });
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::placeComponents()
{
    // A lowered outer and a raised inner bevel: an etched groove.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Panel1->setGeometry(panelGeometry);

    LabelProductName->setFont(arial(22, true));
    QPalette productPalette = LabelProductName->palette();
    productPalette.setColor(QPalette::WindowText, blue);
    LabelProductName->setPalette(productPalette);
    const int nameWidth = LabelProductName->fontMetrics().horizontalAdvance(LabelProductName->text()) + 4;
    const int nameLeft = (panelWidth - nameWidth) / 2;
    LabelProductName->setGeometry(nameLeft, productNameTop, nameWidth, productNameHeight);
    Label2->setFont(arial(9));
    Label2->setGeometry(nameLeft + nameWidth, productNameTop + 4, 12, 14);

    centredLabel(LabelVersion, versionGeometry, arial(10, true));
    centredLabel(Label1, platformsGeometry, arial(9));
    centredLabel(LabelCompanyName, companyGeometry, arial(9, true));

    ImagePhone->setGeometry(phoneGeometry);
    Label3->setFont(arial(5));
    Label3->setGeometry(trademarkGeometry);
    Label3->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    ImageLighting->setGeometry(lightingGeometry);

    ListBoxName->setGeometry(creditsGeometry);
    ListBoxName->setFocusPolicy(Qt::NoFocus);
    ListBoxName->setFont(arial(8));
    ListBoxName->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxName->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBoxName->hide();
    ListBoxName->raise(); // over the labels it covers while it shows

    Label5->setFont(arial(9));
    Label5->setGeometry(webSiteLabelGeometry);
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setText(QString(MakerNames::HomePageAddress));
    QFont linkFont = arial(9);
    linkFont.setUnderline(true);
    SpeedButton1->setFont(linkFont);
    QPalette linkPalette = SpeedButton1->palette();
    linkPalette.setColor(QPalette::ButtonText, blue);
    SpeedButton1->setPalette(linkPalette);
    SpeedButton1->setCursor(Qt::PointingHandCursor);
    SpeedButton1->setToolTip(QStringLiteral("Please click this button to visit our web site"));
    SpeedButton1->setGeometry(linkGeometry);

    centredLabel(Label4, loadingGeometry, arial(10, true));
    OKButton->setFont(arial(9, true));
    OKButton->setGeometry(okGeometry);
    OKButton->setDefault(true);
    OKButton->hide();
    OKButton->raise(); // covers "Loading..." when shown

    Timer1->setInterval(1000);

    if (const QScreen* const screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TAboutBox::setPictures()
{
    ImagePhone->setAttribute(Qt::WA_TranslucentBackground);
    ImagePhone->setPixmap(QPixmap(QStringLiteral(":/common/Phone.png")));
    ImageLighting->setPixmap(QPixmap(QStringLiteral(":/common/Lightning.png")));
}

void TAboutBox::connectHandlers()
{
    ui::connectGuarded(Timer1, &QTimer::timeout, this, &TAboutBox::Timer1Timer);
    ui::connectGuarded(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
    ui::connectGuarded(SpeedButton1, &QToolButton::clicked, this, &TAboutBox::SpeedButton1Click);
}

void TAboutBox::FormCreate()
{
    aboutUnit().TypedKeys.clear();
    // Key preview: the window sees every key before the control that has the focus.
    m_keyPreview = true;
    installEventFilter(this);
    for (QWidget* const child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event)
{
    if (m_keyPreview && event->type() == QEvent::KeyRelease) {
        const auto* const key = static_cast<QKeyEvent*>(event);
        // A key is seen once, where it arrives; its way up to the parents is not another key.
        QWidget* const target = focusWidget() ? focusWidget() : this;
        if (watched == target && !key->isAutoRepeat()) {
            const int code = ui::virtualKey(*key);
            ui::guarded([this, code] { FormKeyUp(code); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    // Esc clears the typed keys and does not close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    qCInfo(lcAbout) << (OKButton->isVisibleTo(this) ? "About window shown" : "splash shown");
}

void TAboutBox::FormKeyUp(int key)
{
    AboutUnitState& unit = aboutUnit();
    if (key == escapeKey) {
        unit.TypedKeys.clear();
        return;
    }
    if (!isCollectedKey(key))
        return;
    if (unit.TypedKeys.size() < typedKeysMax)
        unit.TypedKeys.append(char(key));
    if (unit.TypedKeys == QByteArrayView(HiddenWord.data(), HiddenWord.size()))
        startCredits();
}

void TAboutBox::startCredits()
{
    AboutUnitState& unit = aboutUnit();
    unit.CreditsIndex = 1;
    unit.CreditsElapsed = 0;
    unit.CreditsShowUntil = quint16(2 * quint16(Timer1->interval()));
    unit.CreditsHideAt = quint16(unit.CreditsShowUntil + creditsHoldMs);
    for (std::size_t entry = 0; entry < creditLines.size(); ++entry)
        unit.CreditsList[entry] = QString(creditLines[entry]);
    ListBoxName->show();
    // An enabled timer goes on in its rhythm, as switching it on again changes nothing.
    if (!Timer1->isActive())
        Timer1->start();
}

void TAboutBox::Timer1Timer()
{
    AboutUnitState& unit = aboutUnit();
    unit.CreditsElapsed = quint16(unit.CreditsElapsed + quint16(Timer1->interval()));
    if (unit.CreditsElapsed <= unit.CreditsShowUntil) {
        if (unit.CreditsIndex % 5 == 1)
            ListBoxName->clear();
        // Only the list's entries are ever shown; a longer show period adds empty lines, never stray text.
        const bool inList = unit.CreditsIndex >= 1 && unit.CreditsIndex <= qint32(unit.CreditsList.size());
        addCreditLine(inList ? unit.CreditsList[std::size_t(unit.CreditsIndex - 1)] : QString());
        ++unit.CreditsIndex;
    } else if (unit.CreditsElapsed >= unit.CreditsHideAt) {
        ListBoxName->hide();
        ListBoxName->clear();
        unit.TypedKeys.clear();
        unit.CreditsElapsed = 0;
        Timer1->stop();
        unit.CreditsIndex = 1;
    }
}

void TAboutBox::addCreditLine(const QString& line)
{
    auto* const item = new QListWidgetItem(line, ListBoxName);
    item->setSizeHint(QSize(ListBoxName->viewport()->width(), creditLineHeight));
}

void TAboutBox::OKButtonClick()
{
    close();
}

void TAboutBox::SpeedButton1Click()
{
    // Whether the browser opened is not looked at.
    os::navigateTo(MakerNames::HomePageAddress);
}
