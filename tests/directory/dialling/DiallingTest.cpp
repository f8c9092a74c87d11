#include "CallManagerStandIn.h"
#include "MainWindowFixture.h"

#include "directory/SimpleComboBox.h"
#include "directory/TfrmCallParty.h"
#include "platform/db/Table.h"
#include "platform/ui/DBEdit.h"
#include "platform/ui/DBGrid.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

namespace {

const QString handsetPrompt = QStringLiteral("Please pickup the telephone handset and click the OK buttion");

class DiallingTest : public MainWindowFixture
{
protected:
    // Lets the next chooser be seen: its list, edit line and name, then closes it.
    QStringList* watchChooser()
    {
        m_seen.clear();
        nextDialog<TfrmCallParty>([this](TfrmCallParty& chooser) {
            for (int i = 0; i < chooser.ComboBox1->count(); ++i)
                m_seen.append(chooser.ComboBox1->itemText(i));
            m_seen << chooser.ComboBox1->text() << chooser.lblCalledParty->text();
            QTest::mouseClick(chooser.btnClose, Qt::LeftButton);
        });
        return &m_seen;
    }

    QStringList m_seen; // the entries, then the edit line and the called party
    CallManagerStandIn m_calls { m_environment };
};

// Every case of the dialling rules: the value as stored, the prefix in force, and what the user gets.
TEST_F(DiallingTest, StoredValueAndPrefixGiveTheDestinationOrTheChooserList)
{
    struct Case
    {
        const char* prefix;
        const char* stored;
        const char* destination; // dialled at once; nullptr when the chooser opens with `entries`
        QStringList entries;
    };
    const QList<Case> cases = {
        { "9", "417", "9417", {} },
        { "*70", "(555) 555-0142", "*70(555)555-0142", {} },
        { "9", "+1 555 0142*", "915550142", {} },
        { "", "555-0142", "555-0142", {} },
        { "9", "555.0142", "9555.0142", {} },
        { "9", "* + ", "9", {} },
        { "9", "555-0142 ext. 31 or *555-0199", nullptr, { "9555-0142", "931", "9555-0199" } },
        { "9", "555.0142 EXT 31", nullptr, { "9555", "90142", "931" } },
        { "", "555-0142 ext 31", nullptr, { "555-0142", "31" } },
        { "", "1-800-STORE", nullptr, { "1-800-ST", "E" } },
        { "", "555-Candy", nullptr, { "555-C", "Y" } },
        { "", "555-0142 Extension 12", nullptr, { "555-0142", "12" } },
        { "", "555-0142;555-0199;", nullptr, { "555-0142", "555-0199" } },
        { "1", "4100 OR 4100", nullptr, { "14100", "14100" } },
        { "9", "AND", nullptr, {} },
    };
    TfrmMain& main = start();
    const QString name = QStringLiteral("CARTER, ANN");
    for (const Case& row : cases) {
        SCOPED_TRACE(row.stored);
        main.SpecialPrefix = QLatin1String(row.prefix);
        m_modal.clear();
        if (row.destination) {
            const QString call = m_calls.expectCall();
            main.DialNumber(name, QLatin1String(row.stored));
            EXPECT_EQ(m_modal.messageTexts(), QStringList { handsetPrompt });
            EXPECT_EQ(m_calls.received(call), m_calls.request(QLatin1String(row.destination), name));
        } else {
            const QStringList* const seen = watchChooser();
            main.DialNumber(name, QLatin1String(row.stored));
            EXPECT_EQ(*seen, QStringList(row.entries) << row.entries.value(0) << name);
            EXPECT_TRUE(m_modal.messages().isEmpty()) << "no handset prompt before the chooser";
        }
    }
}

TEST_F(DiallingTest, DoubleClickedNumbersDialTheCurrentRecordsNumberAndName)
{
    TfrmMain& main = start();
    main.SpecialPrefix = QStringLiteral("9");
    const QString name = QStringLiteral("ABERNATHY, MARGARET");
    ASSERT_EQ(main.DBEditName->text(), name);
    const QList<std::pair<QWidget*, QString>> numbers = { { main.DBEditExtension, "94001" },
        { main.DBEditCellularPhone, "9(555)012-3301" }, { main.DBEditHomePhone, "9(555)014-7781" } };
    for (const auto& [edit, destination] : numbers) {
        const QString call = m_calls.expectCall();
        doubleClick(edit);
        EXPECT_EQ(m_calls.received(call), m_calls.request(destination, name));
    }
    // Her pager is empty; and a Cancel at the handset prompt sends nothing either.
    m_modal.clear();
    const QString none = m_calls.expectCall();
    doubleClick(main.DBEditBeeper);
    m_modal.answer(modal::MessageButton::Cancel);
    doubleClick(main.DBEditExtension);
    EXPECT_EQ(m_modal.messageTexts(), (QStringList { QStringLiteral("There is no number to dial."), handsetPrompt }));
    EXPECT_EQ(m_modal.messages().value(1).buttons, modal::MessageButton::OK | modal::MessageButton::Cancel);
    EXPECT_TRUE(m_calls.nothingArrivedIn(none));

    // The name grid dials the row double-clicked.
    ui::DBGrid* const names = main.DBGridEmployee2;
    const QString call = m_calls.expectCall();
    doubleClick(names->viewport(), names->cellRect(1, 0).center());
    EXPECT_EQ(m_calls.received(call), m_calls.request("94602", "ALVAREZ, JORGE"));
}

TEST_F(DiallingTest, DepartmentPageDialsTheDepartmentAndItsEmployees)
{
    TfrmMain& main = start();
    switchToPage(1);
    ASSERT_EQ(main.DBEditDepartment->text(), QStringLiteral("ACCOUNTING"));
    const QStringList* const seen = watchChooser();
    doubleClick(main.DBEditMainExtension); // "4100 OR 4101"
    EXPECT_EQ(*seen, (QStringList { "4100", "4101", "4100", "ACCOUNTING" }));

    ui::DBGrid* const grid = main.DBGridEmployee;
    int row = 0;
    while (row < grid->rowCount() && grid->cellText(row, 0) != QStringLiteral("DUBOIS, CLAIRE"))
        ++row;
    QString call = m_calls.expectCall();
    doubleClick(grid->viewport(), grid->cellRect(row, 1).center());
    EXPECT_EQ(m_calls.received(call), m_calls.request("4102", "DUBOIS, CLAIRE"));

    ASSERT_TRUE(data().TblDepartment->Locate(QStringLiteral("Department"), QStringLiteral("ADMINISTRATION")));
    call = m_calls.expectCall();
    doubleClick(main.DBEditMainExtension);
    EXPECT_EQ(m_calls.received(call), m_calls.request("4000", "ADMINISTRATION"));
}

// Takes the addresses that the desktop is asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

TEST_F(DiallingTest, WithoutACallManagerTheNumberGoesToTheDesktopAsOneEscapedTelAddress)
{
    m_environment.setVariable("APP_CALL_MANAGER", QString());
    UrlCatcher desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("tel"), &desktop, "open");
    TfrmMain& main = start();
    main.SpecialPrefix = QStringLiteral("9#");
    main.DialNumber(QStringLiteral("X"), QStringLiteral("555?x=1&y=2#frag/..\\@host%20 \"'\n\t`$(reboot)|"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("tel"));

    ASSERT_EQ(desktop.opened.size(), 1);
    const QUrl& url = desktop.opened.first();
    EXPECT_EQ(url.scheme(), QStringLiteral("tel"));
    EXPECT_TRUE(!url.hasQuery() && !url.hasFragment() && url.host().isEmpty());
    EXPECT_EQ(url.path(QUrl::FullyDecoded), QStringLiteral("9#555?X=1&Y=2#FRAG/..\\@HOST%20\"'\n\t`$(REBOOT)|"));
}

} // namespace

#include "DiallingTest.moc"
