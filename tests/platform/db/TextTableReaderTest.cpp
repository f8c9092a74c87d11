#include "platform/db/TextTableReader.h"

#include "TestFiles.h"
#include "TestPrinters.h"

#include "platform/db/EngineError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

using db::FieldType;
using db::TextSchema;

TextSchema delimited(QList<db::FieldDef> fields, QChar separator = u',', QChar quote = u'"')
{
    TextSchema schema;
    schema.separator = separator;
    schema.quote = quote;
    schema.definition.fields = std::move(fields);
    return schema;
}

TextSchema fixed(QList<db::FieldDef> fields, QList<int> offsets, QList<int> widths)
{
    TextSchema schema;
    schema.layout = TextSchema::Layout::Fixed;
    schema.definition.fields = std::move(fields);
    schema.offsets = std::move(offsets);
    schema.widths = std::move(widths);
    return schema;
}

class TextTableReaderTest : public ::testing::Test
{
protected:
    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath("table.txt");
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }

    static QList<QVariantList> readAll(db::TextTableReader& reader)
    {
        QList<QVariantList> rows;
        QVariantList row;
        while (reader.next(row))
            rows.append(row);
        return rows;
    }

    QTemporaryDir m_dir;
};

TEST_F(TextTableReaderTest, ReadsQuotedAndBareValues)
{
    const TextSchema schema = delimited(
        { { "Name", FieldType::Alpha, 20 }, { "Count", FieldType::Short, 0 }, { "Note", FieldType::Memo, 0 } });
    const QString path = write("\"SMITH, JOHN\",12,\"said \"\"hi\"\"\"\r\n"
                               "\n"
                               "BROWN  , -32768 ,plain text \r\n"
                               "   \r\n"
                               " \"LEE\" ,, \"\"\n"
                               "O\"NEIL,+7,last line without its end");
    db::TextTableReader reader(path, schema);

    const QList<QVariantList> rows = readAll(reader);

    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QVariantList { "SMITH, JOHN", 12, "said \"hi\"" }));
    EXPECT_EQ(rows[1], (QVariantList { "BROWN", -32768, "plain text " })); // only alpha values lose trailing blanks
    EXPECT_EQ(rows[2].at(0), "LEE");
    EXPECT_TRUE(rows[2].at(1).isNull()); // an empty Short
    EXPECT_EQ(rows[2].at(2), "");
    EXPECT_EQ(rows[3], (QVariantList { "O\"NEIL", 7, "last line without its end" }));
    EXPECT_EQ(reader.problemCount(), 0);
    EXPECT_EQ(reader.lineNumber(), 6);
}

TEST_F(TextTableReaderTest, CountsProblemRowsAndGoesOn)
{
    const TextSchema schema = delimited({ { "Name", FieldType::Alpha, 5 }, { "Count", FieldType::Short, 0 } });
    struct Case
    {
        QByteArray line;
        const char* why;
    };
    const QList<Case> cases {
        { "A,1,2", "3 fields where the layout has 2" }, { "A", "1 fields where the layout has 2" },
        { "\"A,1", "unterminated quote in field 1" }, { "\"A\"x,1", "text after the closing quote of field 1" },
        { "TOOLONG,1", "'TOOLONG' is longer than the 5 characters of field Name" },
        { "A,40000", "'40000' in field Count is not a number from -32768 to 32767" },
        { "A,12a", "'12a' in field Count is not a number" },
        { "A\x01"
          ",1",
            "control character (code 1) at column 2" },
        { "A\rB,1", "control character (code 13) at column 2" },
        { "ABCDEFG\x7F,1", "control character (code 127) at column 8" },
        { "ABCDEFGHI,12345\x1F", "control character (code 31) at column 16" },
        { "\xC3(,1", "bytes that are not valid UTF-8" },
        { "\xED\xA0\x80,1", "bytes that are not valid UTF-8" }, // an encoded surrogate
        { "\xC3", "bytes that are not valid UTF-8" }, // cut short at the end of the line
    };
    QByteArray text = "GOOD,1\n";
    for (const Case& c : cases)
        text += c.line + "\nGOOD,2\n";
    db::TextTableReader reader(write(text), schema);

    QVariantList row;
    ASSERT_TRUE(reader.next(row));
    EXPECT_EQ(row, (QVariantList { "GOOD", 1 }));
    for (qsizetype i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].why);
        ASSERT_TRUE(reader.next(row));
        EXPECT_EQ(row, (QVariantList { "GOOD", 2 }));
        EXPECT_EQ(reader.problemCount(), i + 1);
        const QString prefix = m_dir.filePath("table.txt") + QStringLiteral(", line %1: ").arg(2 * i + 2);
        EXPECT_TRUE(reader.lastProblem().startsWith(prefix + QString::fromUtf8(cases[i].why)))
            << reader.lastProblem().toStdString();
    }
    EXPECT_FALSE(reader.next(row));
}

TEST_F(TextTableReaderTest, CharsetDecidesWhichBytesAreGood)
{
    const QList<db::FieldDef> fields { { "Name", FieldType::Alpha, 4 } };
    const QString path = write("\xEF\xBB\xBF"
                               "J\xC3\xA9r\xC3\xB4\n" // UTF-8 with a byte order mark
                               "Jos\xE9\n" // Latin-1
                               "Plain\x7F\n");
    TextSchema schema = delimited(fields);

    db::TextTableReader utf8(path, schema);
    EXPECT_EQ(readAll(utf8), (QList<QVariantList> { { QString::fromUtf8("J\xC3\xA9r\xC3\xB4") } }));
    EXPECT_EQ(utf8.problemCount(), 2);

    schema.charset = TextSchema::Charset::Latin1;
    db::TextTableReader latin1(path, schema);
    const QList<QVariantList> rows = readAll(latin1);
    ASSERT_EQ(rows.size(), 1); // the UTF-8 line reads as seven Latin-1 letters, too many for the field
    EXPECT_EQ(rows[0].at(0), QString::fromLatin1("Jos\xE9"));

    schema.charset = TextSchema::Charset::Ascii;
    db::TextTableReader ascii(path, schema);
    EXPECT_TRUE(readAll(ascii).isEmpty());
    EXPECT_EQ(ascii.problemCount(), 3);
}

// Windows-1252 differs from Latin-1 in 0x80-0x9F: curly quotes, the euro sign, dashes are letters there, and the five
// codes it leaves unused make the line a problem.
TEST_F(TextTableReaderTest, Windows1252ReadsItsOwnCharactersAndRefusesUnusedCodes)
{
    const QString path = write("\x93"
                               "Caf\xE9\x94\n"
                               "\x80 5\x96\x97\n"
                               "bad\x81\n");
    TextSchema schema = delimited({ { "Text", FieldType::Alpha, 10 } });
    schema.charset = TextSchema::Charset::Windows1252;
    db::TextTableReader reader(path, schema);
    EXPECT_EQ(readAll(reader),
        (QList<QVariantList> {
            { QStringLiteral("\u201CCaf\u00E9\u201D") }, { QStringLiteral("\u20AC 5\u2013\u2014") } }));
    EXPECT_EQ(reader.problemCount(), 1);
    EXPECT_TRUE(reader.lastProblem().contains(QStringLiteral("Windows-1252")));
}

TEST_F(TextTableReaderTest, FileWithNulBytesIsNoTextFile)
{
    const QString path = write(QByteArray("A,1\n") + QByteArray(3, '\0') + "B,2\n");
    db::TextTableReader reader(path, delimited({ { "A", FieldType::Alpha, 4 }, { "B", FieldType::Short, 0 } }));
    QVariantList row;
    EXPECT_EQ(failureOf<db::EngineError>([&] { reader.next(row); }),
        (path + QStringLiteral(" is not a text file: it holds NUL bytes")).toStdString());
}

TEST_F(TextTableReaderTest, TabSeparatedWithoutQuotes)
{
    const TextSchema schema
        = delimited({ { "Name", FieldType::Alpha, 10 }, { "Phone", FieldType::Alpha, 10 } }, u'\t', QChar());
    db::TextTableReader reader(write("\"X\"\t555 1234\n"), schema);

    EXPECT_EQ(readAll(reader), (QList<QVariantList> { { "\"X\"", "555 1234" } }));
}

TEST_F(TextTableReaderTest, ReadsFixedColumns)
{
    const TextSchema schema
        = fixed({ { "Code", FieldType::Short, 0 }, { "Name", FieldType::Alpha, 6 }, { "City", FieldType::Alpha, 6 } },
            { 0, 4, 12 }, { 3, 6, 6 });
    const QString path = write("  7 SMITH   PARIS \r\n"
                               " 12  J\xC3\xA9r\xC3\xB4m\n" // characters, not bytes, count
                               "  9 BROWN   ROME   extra\n"
                               "    GREEN\n");
    db::TextTableReader reader(path, schema);

    const QList<QVariantList> rows = readAll(reader);

    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], (QVariantList { 7, "SMITH", "PARIS" }));
    EXPECT_EQ(rows[1], (QVariantList { 12, QString::fromUtf8("J\xC3\xA9r\xC3\xB4m"), "" }));
    EXPECT_TRUE(rows[2].at(0).isNull());
    EXPECT_EQ(rows[2].at(1), "GREEN");
    EXPECT_EQ(reader.problemCount(), 1);
    EXPECT_TRUE(reader.lastProblem().endsWith("line 3: text beyond column 18, where the layout ends"));
}

TEST_F(TextTableReaderTest, LinesAcrossReadBlocksAndOverlongLines)
{
    const TextSchema schema = delimited({ { "Id", FieldType::Memo, 0 }, { "Name", FieldType::Alpha, 30 } });
    QByteArray text;
    constexpr int Lines = 150'000; // about 3 MB: many read blocks, lines cut at their edges
    for (int i = 0; i < Lines; ++i)
        text += QByteArray::number(i) + ",\"NAME NUMBER " + QByteArray::number(i) + "\"\r\n";
    text += QByteArray(3 << 20, 'x') + "\nlast,one";
    db::TextTableReader reader(write(text), schema);

    QVariantList row;
    int count = 0;
    while (reader.next(row)) {
        if (count < Lines) {
            ASSERT_EQ(row.at(0).toString(), QString::number(count));
        }
        ++count;
    }
    EXPECT_EQ(count, Lines + 1);
    EXPECT_EQ(row, (QVariantList { "last", "one" }));
    EXPECT_EQ(reader.problemCount(), 1);
    EXPECT_TRUE(reader.lastProblem().contains(QStringLiteral("line %1: line longer than").arg(Lines + 1)));
}

TEST_F(TextTableReaderTest, SurvivesRandomBytes)
{
    const TextSchema layouts[] = {
        delimited({ { "A", FieldType::Alpha, 8 }, { "B", FieldType::Short, 0 }, { "C", FieldType::Memo, 0 } }),
        fixed({ { "A", FieldType::Alpha, 3 }, { "B", FieldType::Short, 0 } }, { 0, 4 }, { 3, 5 }),
    };
    std::mt19937 random(20240611);
    for (int round = 0; round < 40; ++round) {
        // Bias towards the bytes that steer the parser so that some lines survive.
        const char steering[] = { ',', '"', '\n', '\r', ' ', '1', 'A', '\xC3', '\xA9' };
        QByteArray bytes(static_cast<qsizetype>(random() % 4000), '\0');
        for (char& byte : bytes)
            byte = random() % 2 ? steering[random() % sizeof steering] : static_cast<char>(random());
        const QString path = write(bytes);
        for (const TextSchema& schema : layouts) {
            db::TextTableReader reader(path, schema);
            QVariantList row;
            qint64 rows = 0;
            try {
                while (reader.next(row)) {
                    ASSERT_EQ(row.size(), schema.definition.fields.size());
                    ++rows;
                }
            } catch (const db::EngineError& error) {
                // A NUL byte marks a file that is no text at all.
                EXPECT_TRUE(bytes.contains('\0'));
                EXPECT_TRUE(error.message().contains("not a text file")) << error.what();
                continue;
            }
            EXPECT_FALSE(bytes.contains('\0'));
            EXPECT_LE(rows + reader.problemCount(), reader.lineNumber());
        }
    }
}

TEST_F(TextTableReaderTest, UnreadableFileIsAnError)
{
    const TextSchema schema = delimited({ { "A", FieldType::Alpha, 8 } });
    const QString missing = m_dir.filePath("nothing.txt");
    const std::string failure = failureOf<db::EngineError>([&] { db::TextTableReader reader(missing, schema); });
    EXPECT_NE(failure.find(missing.toStdString()), std::string::npos) << failure;
}

} // namespace
