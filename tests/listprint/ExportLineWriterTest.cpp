#include "TestPrinters.h"

#include "listprint/ExportLineWriter.h"
#include "listprint/ExportName.h"
#include "platform/os/OsError.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <optional>

namespace {

QByteArray written(ExportLineWriter::Format format, const QList<QStringList>& lines)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ExportLineWriter writer(buffer, format, QStringLiteral("buffer"));
    for (const QStringList& line : lines)
        writer.writeLine(line);
    writer.flush();
    return buffer.data();
}

TEST(ExportLineWriterTest, WritesTheCommaAndTheTabFormatWithoutEscapingAnything)
{
    const QList<QStringList> lines { { "a", "", "b" }, { "say \"hi\"", "x, y", "t\tab" } };
    EXPECT_EQ(written(ExportLineWriter::Format::Comma, lines),
        QByteArray("\"a\", \"\", \"b\"\r\n\"say \"hi\"\", \"x, y\", \"t\tab\"\r\n"));
    EXPECT_EQ(written(ExportLineWriter::Format::Tab, lines), QByteArray("a\t\tb\r\nsay \"hi\"\tx, y\tt\tab\r\n"));
}

TEST(ExportLineWriterTest, WritesLettersOutsideAsciiInUtf8WithoutAByteOrderMark)
{
    const QByteArray bytes = written(ExportLineWriter::Format::Tab,
        { { QStringLiteral("M\u00dcLLER"), QStringLiteral("J\u00d6RG") }, { QStringLiteral("\u5c71\u7530") } });
    EXPECT_EQ(bytes, QByteArray("M\xc3\x9cLLER\tJ\xc3\x96RG\r\n\xe5\xb1\xb1\xe7\x94\xb0\r\n"));
}

// A device that takes a given number of bytes and then refuses, as a full disk does.
class FullDevice : public QIODevice
{
public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
        open(QIODevice::WriteOnly);
    }
    QByteArray data;

protected:
    qint64 readData(char* /*data*/, qint64 /*size*/) override { return -1; }
    qint64 writeData(const char* bytes, qint64 size) override
    {
        const qint64 taken = std::min(size, m_room - static_cast<qint64>(data.size()));
        if (taken <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        data.append(bytes, taken);
        return taken;
    }

private:
    qint64 m_room;
};

TEST(ExportLineWriterTest, ARefusingDeviceKeepsWhatItTookAndRaisesAnErrorNamingTheTarget)
{
    // Enough lines to be handed over in several blocks before the device fills.
    FullDevice device(100'000);
    ExportLineWriter writer(device, ExportLineWriter::Format::Comma, QStringLiteral("/exports/list.txt"));
    const std::string error = failureOf<os::OsError>([&writer] {
        for (int line = 0; line < 20'000; ++line)
            writer.writeLine({ QStringLiteral("row %1").arg(line) });
        writer.flush();
    });
    EXPECT_NE(error.find("/exports/list.txt"), std::string::npos) << error;
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_TRUE(device.data.startsWith("\"row 0\"\r\n\"row 1\"\r\n"));
    EXPECT_GT(device.data.size(), 64 * 1024) << "the blocks before the failure stay written";
}

struct SplitCase
{
    const char* stored;
    std::optional<std::pair<const char*, const char*>> split;
};

TEST(ExportNameTest, SplitsAtTheFirstCommaAndDropsTheCharacterAfterIt)
{
    const SplitCase cases[] = {
        { "SMITH, JOHN", { { "SMITH", "JOHN" } } },
        { "SMITH,JOHN", { { "SMITH", "OHN" } } }, // no blank: the first letter goes
        { ",JOHN", { { "", "OHN" } } },
        { ", JOHN", { { "", "JOHN" } } },
        { "SMITH,", { { "SMITH", "" } } },
        { "SMITH,X", { { "SMITH", "" } } },
        { "SMITH, JOHN, JR", { { "SMITH", "JOHN, JR" } } },
        { "SMITH, 1234567890123456789012345678901234567890", { { "SMITH", "12345678901234567890123456789012345" } } },
        { "SMITH JOHN", std::nullopt },
        { "", std::nullopt },
    };
    for (const SplitCase& split : cases) {
        const QString stored = QString::fromUtf8(split.stored); // the split's values are views into it
        const std::optional<ExportName> name = ExportName::split(stored);
        ASSERT_EQ(name.has_value(), split.split.has_value()) << split.stored;
        if (name) {
            EXPECT_EQ(name->lastName, QString::fromUtf8(split.split->first)) << split.stored;
            EXPECT_EQ(name->firstName, QString::fromUtf8(split.split->second)) << split.stored;
        }
    }
}

} // namespace
