// The About window: its design in both uses, the hidden word and the credits display, and its keys.
#include "common/MakerNames.h"
#include "common/TAboutBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

const QString firstCredit = QStringLiteral("Ringfolio for the Qt desktop");
const QString secondCredit = QStringLiteral("by the Brenwick Software team");

// Takes the addresses that the desktop is asked to open, in place of the web browser.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    UrlCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open"); }
    ~UrlCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class AboutBoxTest : public ::testing::Test
{
protected:
    // An About window as Help > About shows it (OK visible), or the splash; shown and active.
    TAboutBox& show(bool withOk = true)
    {
        m_box = std::make_unique<TAboutBox>(nullptr, nullptr);
        if (withOk) {
            m_box->OKButton->setVisible(true);
            m_box->setWindowTitle(QStringLiteral("About Ringfolio"));
        }
        m_box->show();
        m_box->activateWindow();
        QApplication::setActiveWindow(m_box.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_box.get()));
        return *m_box;
    }

    // Keys reach the focused control of the window, as typed keys do.
    static QWidget* focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
    }
    static void type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        for (const QChar c : text)
            QTest::keyClick(focused(), Qt::Key(c.toUpper().unicode()), modifiers);
    }
    static void press(Qt::Key key) { QTest::keyClick(focused(), key); }

    bool displayRuns() const { return m_box->ListBoxName->isVisible() && m_box->Timer1->isActive(); }
    QStringList lines() const
    {
        QStringList shown;
        for (int row = 0; row < m_box->ListBoxName->count(); ++row)
            shown.append(m_box->ListBoxName->item(row)->text());
        return shown;
    }
    // One tick of the display's timer, at once.
    void tick() { QMetaObject::invokeMethod(m_box->Timer1, "timeout", Qt::DirectConnection); }

    std::unique_ptr<TAboutBox> m_box;
};

TEST_F(AboutBoxTest, ShowsTheDesignedComponentsWithTheirTexts)
{
    TAboutBox& box = show();
    EXPECT_EQ(box.objectName(), QStringLiteral("AboutBox"));
    EXPECT_EQ(box.size(), QSize(312, 255));
    const struct
    {
        const char* name;
        QString text;
    } labels[] = {
        { "LabelProductName", QStringLiteral("Ringfolio") },
        { "Label2", QStringLiteral("\u00AE") },
        { "LabelVersion", QStringLiteral("Version 2.5") },
        { "Label1", QStringLiteral("for Windows 95/98 and NT") },
        { "Label3", QStringLiteral("TM") },
        { "Label5", QStringLiteral("  Web Site:") },
        { "LabelCompanyName", QString(MakerNames::CompanyName) },
        { "Label4", QStringLiteral("Loading...") },
    };
    for (const auto& label : labels) {
        const auto* const found = box.findChild<QLabel*>(QLatin1String(label.name));
        ASSERT_TRUE(found) << label.name;
        EXPECT_EQ(found->text(), label.text) << label.name;
        EXPECT_EQ(found->parentWidget() == box.Panel1, label.name != std::string_view("Label4")) << label.name;
    }
    EXPECT_EQ(box.LabelProductName->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_LE(box.LabelProductName->geometry().right(), box.Label2->geometry().left()) << "® right of the name";
    EXPECT_EQ(box.ImagePhone->pixmap().size(), QSize(30, 39));
    EXPECT_TRUE(box.ImagePhone->pixmap().hasAlphaChannel()) << "a transparent picture";
    EXPECT_EQ(box.ImageLighting->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(box.ListBoxName->size(), QSize(177, 84));
    EXPECT_FALSE(box.ListBoxName->isVisible());
    EXPECT_EQ(box.ListBoxName->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(box.SpeedButton1->text(), QString(MakerNames::HomePageAddress));
    EXPECT_EQ(box.SpeedButton1->toolTip(), QStringLiteral("Please click this button to visit our web site"));
    EXPECT_EQ(box.SpeedButton1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(box.SpeedButton1->font().underline());
    EXPECT_EQ(box.Timer1->interval(), 1000);
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_TRUE(box.findChild<QObject*>(QStringLiteral("JustOne321")));
    // Help > About: OK shows over "Loading...".
    EXPECT_TRUE(box.OKButton->isVisible());
    EXPECT_TRUE(box.OKButton->isDefault());
    EXPECT_TRUE(box.OKButton->geometry().intersects(box.Label4->geometry()));
}

TEST_F(AboutBoxTest, EnterClosesTheAboutWindowButNotTheSplashAndEscClosesNeither)
{
    TAboutBox& splash = show(false);
    EXPECT_TRUE(splash.windowTitle().isEmpty());
    EXPECT_FALSE(splash.OKButton->isVisible());
    EXPECT_TRUE(splash.Label4->isVisible());
    press(Qt::Key_Return);
    press(Qt::Key_Escape);
    EXPECT_TRUE(splash.isVisible());

    TAboutBox& about = show();
    press(Qt::Key_Escape);
    EXPECT_TRUE(about.isVisible());
    press(Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutBoxTest, TheLinkOpensTheHomePageInTheBrowser)
{
    const UrlCatcher browser;
    TAboutBox& box = show();
    QTest::mouseClick(box.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(browser.opened, QList<QUrl>({ QUrl(QString(MakerNames::HomePageAddress)) }));
}

TEST_F(AboutBoxTest, TheHiddenWordCountsKeysNotCharacters)
{
    const struct
    {
        const char* name;
        std::function<void()> typing;
        bool starts;
    } cases[] = {
        { "upper case", [] { type(QStringLiteral("COPPERWING")); }, true },
        { "lower case", [] { type(QStringLiteral("copperwing")); }, true },
        { "Shift held", [] { type(QStringLiteral("copperwing"), Qt::ShiftModifier); }, true },
        { "Caps Lock on",
            [] {
                press(Qt::Key_CapsLock);
                type(QStringLiteral("copperwing"));
            },
            true },
        { "a wrong key first", [] { type(QStringLiteral("XCOPPERWING")); }, false },
        { "a wrong key, Esc, the word",
            [] {
                type(QStringLiteral("X"));
                press(Qt::Key_Escape);
                type(QStringLiteral("COPPERWING"));
            },
            true },
        { "keys that are not collected do not count",
            [] {
                type(QStringLiteral("COPPER"));
                press(Qt::Key_Left);
                press(Qt::Key_Space);
                type(QStringLiteral("WING"));
            },
            true },
        { "the word cut short", [] { type(QStringLiteral("COPPERWIN")); }, false },
        { "45 keys fill the typed keys until Esc",
            [] {
                type(QString(45, QLatin1Char('Q')));
                type(QStringLiteral("COPPERWING"));
            },
            false },
        { "45 keys, Esc, the word",
            [] {
                type(QString(50, QLatin1Char('Q')));
                press(Qt::Key_Escape);
                type(QStringLiteral("COPPERWING"));
            },
            true },
    };
    for (const auto& c : cases) {
        show();
        c.typing();
        EXPECT_EQ(displayRuns(), c.starts) << c.name;
    }
}

TEST_F(AboutBoxTest, CreditsShowOneLineATickForTwoTicksAndHideAtTheFifth)
{
    TAboutBox& box = show();
    type(QStringLiteral("COPPERWING"));
    ASSERT_TRUE(displayRuns());
    // The test gives the ticks itself, one second each.
    box.Timer1->stop();
    EXPECT_TRUE(lines().isEmpty());

    tick();
    EXPECT_EQ(lines(), QStringList({ firstCredit }));
    tick();
    EXPECT_EQ(lines(), QStringList({ firstCredit, secondCredit }));
    for (int held = 3; held <= 4; ++held) {
        tick();
        EXPECT_EQ(lines(), QStringList({ firstCredit, secondCredit })) << "held at tick " << held;
        EXPECT_TRUE(box.ListBoxName->isVisible());
    }
    tick();
    EXPECT_FALSE(box.ListBoxName->isVisible());
    EXPECT_TRUE(lines().isEmpty());

    // The display's end cleared the typed keys: the word alone starts it again.
    type(QStringLiteral("COPPERWING"));
    EXPECT_TRUE(displayRuns());
}

TEST_F(AboutBoxTest, FurtherKeysDoNotRestartTheDisplayButTheWordAfterEscDoes)
{
    TAboutBox& box = show();
    type(QStringLiteral("COPPERWING"));
    box.Timer1->stop();
    tick();
    type(QStringLiteral("COPPERWING"));
    tick();
    EXPECT_EQ(lines(), QStringList({ firstCredit, secondCredit })) << "keys after the word change nothing";

    press(Qt::Key_Escape);
    type(QStringLiteral("COPPERWING"));
    box.Timer1->stop();
    tick();
    EXPECT_EQ(lines(), QStringList({ firstCredit })) << "started over: the list was cleared before entry 1";
}

TEST_F(AboutBoxTest, TheTimerRunsTheDisplayToItsEnd)
{
    TAboutBox& box = show();
    type(QStringLiteral("COPPERWING"));
    ASSERT_TRUE(displayRuns());
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines() == QStringList({ firstCredit }); }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return lines().size() == 2; }, 3000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !box.ListBoxName->isVisible(); }, 6000));
    EXPECT_FALSE(box.Timer1->isActive());
    EXPECT_TRUE(lines().isEmpty());
}

TEST_F(AboutBoxTest, ANewWindowForgetsTheKeysTypedInTheLastOne)
{
    show();
    type(QStringLiteral("COPPER"));
    show();
    type(QStringLiteral("WING"));
    EXPECT_FALSE(displayRuns());
}

} // namespace

#include "AboutBoxTest.moc"
