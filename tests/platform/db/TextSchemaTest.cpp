#include "platform/db/TextSchema.h"

#include "TestFiles.h"
#include "TestPrinters.h"

#include "platform/db/EngineError.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class TextSchemaTest : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& text)
    {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeFile(path, text));
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(TextSchemaTest, ReadsADelimitedLayout)
{
    const QString path = write("people.SCH",
        "\xEF\xBB\xBF; exported by the old system\r\n"
        "[people]\r\n"
        "FileType = Delimited\r\n"
        "separator=tab\r\n"
        "delimiter=\r\n"
        "charset=LATIN1\r\n"
        "\r\n"
        "field2=Age,short,0\r\n"
        "field1=Name,Alpha,35\r\n"
        "# notes go last\r\n"
        "field3=Notes,memo,0\r\n");

    const db::TextSchema schema = db::TextSchema::load(path);

    EXPECT_EQ(schema.layout, db::TextSchema::Layout::Delimited);
    EXPECT_EQ(schema.separator, u'\t');
    EXPECT_TRUE(schema.quote.isNull());
    EXPECT_EQ(schema.charset, db::TextSchema::Charset::Latin1);
    const QList<db::FieldDef> expected { { "Name", db::FieldType::Alpha, 35 }, { "Age", db::FieldType::Short, 0 },
        { "Notes", db::FieldType::Memo, 0 } };
    EXPECT_EQ(schema.definition.fields, expected);
    EXPECT_TRUE(schema.definition.primaryKey.isEmpty());
    EXPECT_TRUE(schema.definition.indexes.isEmpty());
}

TEST_F(TextSchemaTest, ReadsAFixedLayoutWithOffsetsAndWidths)
{
    const QString path = write("fixed.SCH",
        "filetype=fixed\n"
        "field1=Code,short,4,0\n"
        "field2=Name,alpha,20,6\n"
        "field3=Remark,memo,30,26");

    const db::TextSchema schema = db::TextSchema::load(path);

    EXPECT_EQ(schema.layout, db::TextSchema::Layout::Fixed);
    EXPECT_EQ(schema.charset, db::TextSchema::Charset::Utf8);
    EXPECT_EQ(schema.offsets, (QList<int> { 0, 6, 26 }));
    EXPECT_EQ(schema.widths, (QList<int> { 4, 20, 30 }));
    ASSERT_EQ(schema.definition.fields.size(), 3);
    EXPECT_EQ(schema.definition.fields.at(0).size, 0); // a Short has no stored size
    EXPECT_EQ(schema.definition.fields.at(1).size, 20);
}

TEST_F(TextSchemaTest, MalformedSchemaNamesFileAndLine)
{
    struct Case
    {
        const char* text;
        int line;
    };
    const Case cases[] = {
        { "[a]\nfield1=Name,alpha,35\nfield1=Other,alpha,3\n", 3 }, // the same key twice
        { "field1=Name,alpha,35\nfield3=Age,short,0\n", 2 }, // field2 missing
        { "field1=Name,text,35\n", 1 }, // unknown type
        { "field1=Name,alpha\n", 1 }, // size missing
        { "field1=Name,alpha,256\n", 1 },
        { "field1=Name,alpha,35\nfield2=name,alpha,5\n", 2 }, // names compare without regard to case
        { "filetype=csv\nfield1=Name,alpha,35\n", 1 },
        { "separator=\"\nfield1=Name,alpha,35\n", 1 }, // the separator is the default quote
        { "field1=Name,alpha,35\nwidth=3\n", 2 }, // unknown key
        { "[one]\nfield1=Name,alpha,35\n[two]\n", 3 },
        { "filetype=fixed\nfield1=Name,alpha,35\n", 2 }, // offset missing
        { "filetype=fixed\nfield1=Name,alpha,10,0\nfield2=Dept,alpha,10,9\n", 3 }, // overlapping columns
        { "filetype=fixed\nfield1=Age,short,0,0\n", 2 }, // a fixed column needs a width
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const QString path = write("bad.SCH", c.text);
        const std::string failure = failureOf<db::EngineError>([&] { db::TextSchema::load(path); });
        EXPECT_TRUE(failure.starts_with((path + QStringLiteral(", line %1: ").arg(c.line)).toStdString())) << failure;
    }
}

TEST_F(TextSchemaTest, MissingOrEmptySchemaIsAnError)
{
    const QString missing = m_dir.filePath("absent.SCH");
    const std::string failure = failureOf<db::EngineError>([&] { db::TextSchema::load(missing); });
    EXPECT_NE(failure.find(missing.toStdString()), std::string::npos) << failure;
    EXPECT_THROW(db::TextSchema::load(write("empty.SCH", "[ascii]\nfiletype=delimited\n")), db::EngineError);
}

TEST_F(TextSchemaTest, SchemaPathIsBesideTheTextFile)
{
    EXPECT_EQ(db::TextSchema::schemaPathFor("/data/in/departcom.dll"), "/data/in/departcom.SCH");
    EXPECT_EQ(db::TextSchema::schemaPathFor("/data/in/list.2024.txt"), "/data/in/list.2024.SCH");

    // A schema stored in other letter case is still found.
    const QString lower = write("import.sch", "field1=Name,alpha,35\n");
    EXPECT_EQ(db::TextSchema::schemaPathFor(m_dir.filePath("IMPORT.TXT")), lower);
}

TEST_F(TextSchemaTest, CharsetNamesWindows1252)
{
    for (const char* name : { "windows-1252", "CP1252" }) {
        const QString path = write("w.SCH", QByteArray("charset=") + name + "\nfield1=A,alpha,5\n");
        EXPECT_EQ(db::TextSchema::load(path).charset, db::TextSchema::Charset::Windows1252) << name;
    }
}

} // namespace
