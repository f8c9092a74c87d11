#include "platform/os/Telephony.h"

#include "PeerProcess.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(TelephonyTest, CallManagerReceivesExactlyTheFourStrings)
{
    QTemporaryDir folder;
    const QStringList strings
        = { "9;rm -rf ~ && echo $HOME `id` | x", "Directory 1.0", "O'BRIEN, \"PAT\"", "Calling O'BRIEN, \"PAT\"" };
    const auto callStarted = [&] {
        const os::CallRequestResult result = os::tapiRequestMakeCall(
            strings.at(0), strings.at(1), strings.at(2), strings.at(3), helperProgram("os_argv_dump"));
        return result == os::CallRequestResult::CallManagerStarted;
    };
    EXPECT_EQ(argumentsDumpedBy(folder.path(), callStarted), strings);

    EXPECT_EQ(os::tapiRequestMakeCall("417", QString(), QString(), QString(), folder.filePath("no-such-call-manager")),
        os::CallRequestResult::Failed);
}

TEST(TelephonyTest, TelAddressKeepsDialMarksAndEscapesEverythingElse)
{
    EXPECT_EQ(os::telUrl("*70(555)555-0142").toEncoded(), QByteArray("tel:*70(555)555-0142"));
    EXPECT_EQ(os::telUrl("+1.555.0142").toEncoded(), QByteArray("tel:+1.555.0142"));
    // '#' would start a fragment and cut the number short.
    EXPECT_EQ(os::telUrl("12#34").toEncoded(), QByteArray("tel:12%2334"));

    const QString hostile = "555,1;phone-context=evil?x=1/2@host:80 \"'\n\r\t%&$`|<>\\#";
    const QUrl url = os::telUrl(hostile);
    const QByteArray encoded = url.toEncoded();
    ASSERT_TRUE(encoded.startsWith("tel:"));
    for (const char c : QByteArray(",;=?/@: \"'\n\r\t&$`|<>\\#"))
        EXPECT_FALSE(encoded.mid(4).contains(c)) << "unescaped '" << c << "' in " << encoded.constData();
    EXPECT_EQ(url.scheme(), "tel");
    EXPECT_FALSE(url.hasQuery());
    EXPECT_FALSE(url.hasFragment());
    EXPECT_EQ(url.path(QUrl::FullyDecoded), hostile) << "the desktop gets the number as it was stored";
    EXPECT_EQ(os::telUrl("Ü").toEncoded(), QByteArray("tel:%C3%9C"));
}

} // namespace
