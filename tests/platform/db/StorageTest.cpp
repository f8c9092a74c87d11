#include "SqliteShell.h"
#include "TestAlias.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/FileReplacement.h"
#include "platform/db/Table.h"
#include "platform/db/TableFile.h"
#include "platform/db/TableLoad.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using db::EngineError;

QStringList schemaLines(const QString& path)
{
    return SqliteShell(path, true).column("SELECT sql FROM sqlite_master WHERE sql IS NOT NULL ORDER BY name");
}

TEST(TableFileTest, StoresItsStructureAndReadsItBack)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "SMITH, ANN", "201" } });
    const db::TableFile table(alias.path("employee.DB"), alias.session());

    EXPECT_EQ(table.definition(), DirectoryDatabase::employeeDefinition());
    EXPECT_TRUE(table.isProtected());
    EXPECT_EQ(table.rowCount(), 1);

    // The file explains itself to the sqlite3 shell: typed columns, the key and the indexes by their names.
    const QString schema = schemaLines(alias.path("employee.DB")).join(u'\n');
    EXPECT_TRUE(schema.contains(R"("Name" VARCHAR(35) NOT NULL DEFAULT '' CHECK(length("Name") <= 35))"));
    EXPECT_TRUE(schema.contains(R"(CREATE UNIQUE INDEX "PRIMARY" ON records("Department", "Name"))"));
    EXPECT_TRUE(schema.contains(R"(CREATE INDEX "ByName" ON records("Name" COLLATE NOCASE))"));
    EXPECT_TRUE(schema.contains(R"(CREATE INDEX "ByNameExact" ON records("Name"))"));
    // The password is kept as a salted hash only.
    EXPECT_FALSE(alias.readFile("employee.DB").contains(TestAlias::Password));
}

TEST(TableFileTest, BlankTextIsEmptyAndBlankShortIsNull)
{
    TestAlias alias;
    db::TableDef definition;
    definition.fields = { { "Name", db::FieldType::Alpha, 5 }, { "Number", db::FieldType::Short, 0 },
        { "Notes", db::FieldType::Memo, 0 } };
    alias.createTable("report.DB", definition, { { QVariant(), QVariant(), QVariant() }, { "ab", 7, "x" } });

    auto table = alias.open("report");
    EXPECT_EQ(table->FieldByName("Name").Value(), QVariant(QString("")));
    EXPECT_TRUE(table->FieldByName("Number").Value().isNull());
    EXPECT_EQ(table->FieldByName("Notes").AsString(), "");
    table->Next();
    EXPECT_EQ(table->FieldByName("Number").AsInteger(), 7);
}

// Each row keeps exactly the text it was given, however long or short, plain or not, the one before it was: rows
// loaded one after the other, converted by the load or given in stored values already.
TEST(TableFileTest, ALoadKeepsEachTextAsGiven)
{
    TestAlias alias;
    db::TableDef definition;
    definition.fields = { { "Name", db::FieldType::Alpha, 35 }, { "Notes", db::FieldType::Memo, 0 } };
    db::TableFile::create(alias.path("notes.DB"), definition);
    const QStringList texts { "A LONG NAME OF THIRTY-FIVE LETTERS!", "short", "", "MÜLLER, JÖRG", "山田, 太郎", "x",
        QString(), "\U0001F600 grin", "plain again" };
    {
        const db::TableFile file(alias.path("notes.DB"), alias.session());
        db::TableLoad load(file);
        for (qsizetype i = 0; i < texts.size(); ++i) {
            const QVariantList row { texts.at(i), texts.at(texts.size() - 1 - i) };
            if (i % 2 == 0)
                load.insert(row);
            else
                load.insertStored(row);
        }
        load.commit();
    }
    QStringList expected;
    for (qsizetype i = 0; i < texts.size(); ++i)
        expected << texts.at(i) + u'|' + texts.at(texts.size() - 1 - i);
    EXPECT_EQ(SqliteShell(alias.path("notes.DB")).column("SELECT Name || '|' || Notes FROM records ORDER BY rowid"),
        expected);
}

TEST(TableFileTest, RefusesValuesThatDoNotFit)
{
    TestAlias alias;
    db::TableDef definition;
    definition.fields = { { "Code", db::FieldType::Alpha, 3 }, { "Number", db::FieldType::Short, 0 } };
    db::TableFile::create(alias.path("codes.DB"), definition);
    db::TableFile table(alias.path("codes.DB"), alias.session());
    db::TableLoad load(table);
    const std::pair<QVariantList, std::string> refused[] = {
        { { "ABCD", 1 }, "Field 'Code'" },
        { { "A", 40000 }, "Field 'Number'" },
        { { "A", "ten" }, "not a whole number" },
    };
    for (const auto& [row, why] : refused)
        EXPECT_NE(failureOf<EngineError>([&] { load.insert(row); }).find(why), std::string::npos) << why;
    load.insert({ "ÄÖÜ", "-32768" }); // three characters, though six bytes
    load.commit();
    EXPECT_EQ(table.rowCount(), 1);
}

TEST(TableFileTest, RepeatedKeyIsAKeyViolation)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "SMITH, ANN", "201" } });
    db::TableFile table(alias.path("employee.DB"), alias.session());
    db::TableLoad load(table);
    load.insert({ "Sales", "SMITH, BOB", "202" });
    EXPECT_THROW(load.insert({ "Sales", "SMITH, ANN", "999" }), db::KeyViolation);
    load.commit();
    EXPECT_EQ(table.rowCount(), 2);
}

// A table built beside its target, to be renamed over it, is named as the target in every message: also in those
// that the engine's connection gives (a repeated key here, a full disk alike).
TEST(TableFileTest, ATableBeingBuiltIsNamedAsItsTarget)
{
    TestAlias alias;
    db::FileReplacement replacement(alias.path("employee.DB"));
    db::TableFile::create(replacement.buildingPath(), DirectoryDatabase::employeeDefinition());
    const db::TableFile table(replacement.buildingPath(), alias.session());
    EXPECT_EQ(table.name(), "employee.DB");
    db::TableLoad load(table);
    load.insert({ "Sales", "SMITH, ANN", "201" });
    EXPECT_EQ(failureOf<EngineError>([&] {
        load.insert({ "Sales", "SMITH, ANN", "202" });
    }),
        "Key violation in table employee.DB");
}

// A load that is not committed, whether it checks keys as rows arrive or at commit, leaves the file as it was:
// no rows, and the indexes it dropped to build them at the end still there.
TEST(TableFileTest, ALoadNotCommittedLeavesTheTableAsItWas)
{
    for (const auto keyCheck : { db::TableLoad::KeyCheck::EachRow, db::TableLoad::KeyCheck::AtCommit }) {
        TestAlias alias;
        alias.createEmployees({});
        const db::TableFile table(alias.path("employee.DB"), alias.session());
        const QStringList schema = schemaLines(alias.path("employee.DB"));
        {
            db::TableLoad load(table, keyCheck);
            load.insert({ "Sales", "SMITH, ANN", "201" });
            EXPECT_EQ(failureOf<EngineError>([&] { db::TableLoad second(table); }),
                "Table employee.DB is already loading rows");
        }
        EXPECT_EQ(table.rowCount(), 0);
        EXPECT_EQ(schemaLines(alias.path("employee.DB")), schema) << static_cast<int>(keyCheck);
    }
}

TEST(TableFileTest, KeysCheckedAtCommitGiveBackTheRepeatsAndNeedAnEmptyTable)
{
    TestAlias alias;
    alias.createEmployees({});
    const db::TableFile table(alias.path("employee.DB"), alias.session());
    {
        db::TableLoad load(table, db::TableLoad::KeyCheck::AtCommit);
        for (const char* extension : { "201", "202", "203" })
            load.insert({ "Sales", "SMITH, ANN", extension });
        load.insert({ "Sales", "SMITH, BOB", "204" });
        const std::vector<QVariantList> repeats = load.takeRepeatedKeys();
        ASSERT_EQ(repeats.size(), 2U);
        EXPECT_EQ(repeats.at(0).at(2).toString(), "202");
        EXPECT_EQ(repeats.at(1).at(2).toString(), "203");
        load.commit();
    }
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_EQ(failureOf<EngineError>([&] { db::TableLoad load(table, db::TableLoad::KeyCheck::AtCommit); }),
        "Table employee.DB is not empty");
    db::TableLoad load(table); // the refused load left no transaction behind
    load.commit();
}

TEST(TableFileTest, RejectsBadDefinitionsWithoutTouchingTheFolder)
{
    TestAlias alias;
    db::TableDef twice;
    twice.fields = { { "Name", db::FieldType::Alpha, 10 }, { "name", db::FieldType::Alpha, 10 } };
    EXPECT_NE(failureOf<EngineError>([&] { db::TableFile::create(alias.path("a.DB"), twice); }).find("appears twice"),
        std::string::npos);
    db::TableDef rowid;
    rowid.fields = { { "rowid", db::FieldType::Short, 0 } };
    EXPECT_THROW(db::TableFile::create(alias.path("a.DB"), rowid), EngineError);
    db::TableDef badKey;
    badKey.fields = { { "Name", db::FieldType::Alpha, 10 } };
    badKey.primaryKey = { "Missing" };
    EXPECT_THROW(db::TableFile::create(alias.path("a.DB"), badKey), EngineError);
    db::TableDef wide;
    wide.fields = { { "Name", db::FieldType::Alpha, 256 } };
    EXPECT_THROW(db::TableFile::create(alias.path("a.DB"), wide), EngineError);
    EXPECT_EQ(QDir(alias.folder()).entryList(QDir::Files), QStringList());
}

TEST(TableFileTest, OpeningChecksTheFileAndThePassword)
{
    TestAlias alias;
    alias.createEmployees({});
    const QString path = alias.path("employee.DB");

    db::Session empty;
    EXPECT_EQ(failureOf<EngineError>([&] { db::TableFile table(path, empty); }),
        "Table employee.DB is protected: the session has no valid password");
    db::Session wrong;
    wrong.AddPassword("secret7");
    EXPECT_THROW(db::TableFile(path, wrong), EngineError);
    wrong.AddPassword(TestAlias::Password);
    EXPECT_NO_THROW(db::TableFile(path, wrong));
    wrong.RemovePassword(TestAlias::Password);
    EXPECT_THROW(db::TableFile(path, wrong), EngineError);

    EXPECT_NE(failureOf<EngineError>([&] {
        db::TableFile table(alias.path("missing.DB"), empty);
    }).find("missing.DB not found"),
        std::string::npos);

    alias.writeFile("random.DB", QByteArray(5000, 'x'));
    alias.writeFile("empty.DB", QByteArray());
    ASSERT_TRUE(
        SqliteShell(alias.path("other.DB")).execute("CREATE TABLE records(a); INSERT INTO records VALUES (1);"));
    const QByteArray before = alias.readFile("random.DB");
    for (const char* name : { "random.DB", "empty.DB", "other.DB" }) {
        EXPECT_EQ(failureOf<EngineError>([&] { db::TableFile table(alias.path(name), empty); }),
            QStringLiteral("Table %1 cannot be read: the file %2 is damaged or is not a table of this directory")
                .arg(name, QDir::toNativeSeparators(alias.path(name)))
                .toStdString());
    }
    EXPECT_EQ(alias.readFile("random.DB"), before);
}

TEST(TableFileTest, AFileCopyIsAValidTable)
{
    TestAlias alias;
    alias.createTable("DupTable.db", DirectoryDatabase::employeeDefinition(), { { "Sales", "DOE, JOHN", "7" } });
    ASSERT_TRUE(QFile::copy(alias.path("DupTable.db"), alias.path("TempTable.db")));
    auto table = alias.open("TempTable.db");
    EXPECT_EQ(table->FieldByName("Name").AsString(), "DOE, JOHN");
    EXPECT_EQ(table->RecordCount(), 1);
}

TEST(TableFileTest, CreateReplacesAnExistingFileWhole)
{
    TestAlias alias;
    alias.createEmployees({ { "Sales", "SMITH, ANN", "201" } });
    db::TableDef definition;
    definition.fields = { { "Only", db::FieldType::Memo, 0 } };
    db::TableFile::create(alias.path("employee.DB"), definition);
    const db::TableFile table(alias.path("employee.DB"), alias.session());
    EXPECT_EQ(table.definition(), definition);
    EXPECT_FALSE(table.isProtected());
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(QDir(alias.folder()).entryList(QDir::Files), QStringList { "employee.DB" });
}

TEST(SessionTest, AliasesComeFromTheConfigurationFile)
{
    TestAlias alias;
    db::Session session;
    EXPECT_EQ(QDir(session.aliasFolder("test alias")), QDir(alias.folder()));

    db::Session::writeAlias("Gone", alias.path("no-such-folder"));
    const std::string message = failureOf<EngineError>([&] { session.aliasFolder("Gone"); });
    EXPECT_NE(message.find("Alias 'Gone'"), std::string::npos);
    EXPECT_NE(message.find("no-such-folder"), std::string::npos);
    EXPECT_NE(message.find("does not exist"), std::string::npos);

    // A file where the folder should be is named as what it is.
    alias.writeFile("a-file", {});
    db::Session::writeAlias("Gone", alias.path("a-file"));
    const std::string fileMessage = failureOf<EngineError>([&] { session.aliasFolder("Gone"); });
    EXPECT_NE(fileMessage.find("a-file, which is not a folder"), std::string::npos) << fileMessage;

    // Rewriting keeps the other aliases and replaces the one named.
    db::Session::writeAlias("GONE", alias.folder());
    EXPECT_EQ(QDir(session.aliasFolder("Gone")), QDir(alias.folder()));
    EXPECT_EQ(QDir(session.aliasFolder(TestAlias::Name)), QDir(alias.folder()));
    EXPECT_EQ(alias.readFile("config/aliases.ini").count("=" + alias.folder().toUtf8()), 2);

    // No entry: the folder of the running program (here, without an application object, the current folder).
    EXPECT_EQ(QDir(session.aliasFolder("Unnamed")), QDir(QDir::currentPath()));
}

TEST(SessionTest, TableNamesCompareWithoutLetterCase)
{
    TestAlias alias;
    alias.createEmployees({});
    const db::Session& session = alias.session();
    const QString expected = QDir(alias.folder()).filePath("employee.DB");
    for (const char* name : { "employee.DB", "Employee.db", "EMPLOYEE.DB", "employee", "\\Employee.DB" })
        EXPECT_EQ(session.tableFile(TestAlias::Name, name), expected) << name;
    EXPECT_EQ(
        session.tableFile("elsewhere", expected.toUpper().replace(alias.folder().toUpper(), alias.folder())), expected);
    // A table not there yet: the path it will have, with the default extension.
    EXPECT_EQ(session.tableFile(TestAlias::Name, "DestTable"), QDir(alias.folder()).filePath("DestTable.DB"));
}

} // namespace
