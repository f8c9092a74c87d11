// The text driver and the schema reader read files that users bring. This test feeds them the import's own schema
// files and sample files, mutated at random from a fixed seed: bytes flipped, lines cut or dropped, separators and
// quotes doubled, line ends changed, huge lines, stray control bytes. Every input must end in a clear error that
// names the file, or in rows that fit the layout and counted bad records; never a crash or a hang.
//
// RF_FUZZ_RUNS sets the number of inputs (a short run by default; bench/fuzz-import runs 100,000 under the
// sanitizers), RF_FUZZ_SEED the seed.

#include "TestFiles.h"

#include "common/DirectoryDatabase.h"
#include "platform/db/EngineError.h"
#include "platform/db/TextSchema.h"
#include "platform/db/TextTableReader.h"
#include "setup/ImportSchemas.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

struct Seed
{
    QByteArray schema;
    QByteArray text;
};

QByteArray readSeed(const QString& path)
{
    const QByteArray bytes = readFile(path);
    EXPECT_FALSE(bytes.isEmpty()) << path.toStdString();
    return bytes;
}

// The four layouts of the import with their sample files, as the set-up tool writes them.
std::vector<Seed> seeds(const QString& folder)
{
    ImportSchemas::writeSchemas(folder);
    ImportSchemas::writeSamples(folder);
    const QDir dir(folder);
    return {
        { readSeed(dir.filePath("departcom.SCH")), readSeed(dir.filePath("samples/departments-comma.txt")) },
        { readSeed(dir.filePath("departfix.SCH")), readSeed(dir.filePath("samples/departments-fixed.txt")) },
        { readSeed(dir.filePath("employeecom.SCH")), readSeed(dir.filePath("samples/employees-comma.txt")) },
        { readSeed(dir.filePath("employeefix.SCH")), readSeed(dir.filePath("samples/employees-fixed.txt")) },
    };
}

class Mutator
{
public:
    explicit Mutator(quint64 seed)
        : m_random(seed)
    {
    }

    int below(int n) { return static_cast<int>(m_random() % static_cast<quint64>(n)); }

    void mutate(QByteArray& bytes)
    {
        const int rounds = 1 + below(4);
        for (int i = 0; i < rounds; ++i)
            mutateOnce(bytes);
    }

private:
    qsizetype position(const QByteArray& bytes) { return bytes.isEmpty() ? 0 : below(int(bytes.size()) + 1); }

    void mutateOnce(QByteArray& bytes)
    {
        switch (below(12)) {
        case 0: // flip a byte
            if (!bytes.isEmpty())
                bytes[below(int(bytes.size()))] = static_cast<char>(m_random());
            break;
        case 1: // cut the file short
            bytes.truncate(position(bytes));
            break;
        case 2: { // drop a line
            const qsizetype start = bytes.lastIndexOf('\n', position(bytes));
            const qsizetype end = bytes.indexOf('\n', start + 1);
            bytes.remove(start + 1, (end < 0 ? bytes.size() : end) - start);
            break;
        }
        case 3:
            bytes.replace(",", below(2) ? ",," : "");
            break;
        case 4:
            bytes.replace("\"", below(2) ? "\"\"" : "\"\"\"");
            break;
        case 5:
            bytes.replace("\r\n", below(2) ? "\n" : "\r");
            break;
        case 6: { // a long line, now and then one longer than any line the reader takes
            const qsizetype length = below(200) == 0 ? (1 << 20) + 10 : 40 + below(400);
            bytes.insert(position(bytes), QByteArray(length, static_cast<char>('A' + below(26))) + '\n');
            break;
        }
        case 7: // a control byte, or a rare NUL
            bytes.insert(position(bytes), static_cast<char>(below(50) == 0 ? 0 : 1 + below(31)));
            break;
        case 8: { // bytes that are not UTF-8
            static const char* const odd[] = { "\xC3", "\xE9", "\xFF\xFE", "\xED\xA0\x80", "\xF4\x90\x80\x80" };
            bytes.insert(position(bytes), odd[below(5)]);
            break;
        }
        case 9: { // a line repeated
            const qsizetype at = position(bytes);
            const qsizetype end = bytes.indexOf('\n', at);
            bytes.insert(at, bytes.mid(at, (end < 0 ? bytes.size() : end + 1) - at));
            break;
        }
        case 10: // digits changed, which moves widths, offsets and field numbers in a schema
            for (char& byte : bytes) {
                if (byte >= '0' && byte <= '9' && below(8) == 0)
                    byte = static_cast<char>('0' + below(10));
            }
            break;
        default: // blanks inserted
            bytes.insert(position(bytes), QByteArray(1 + below(40), ' '));
            break;
        }
    }

    std::mt19937_64 m_random;
};

// Reads one input and checks what came out. Returns false after a clear error.
bool readInput(const QString& schemaPath, const QString& textPath, qint64 lineEnds)
{
    db::TextSchema schema;
    try {
        schema = db::TextSchema::load(schemaPath);
    } catch (const db::EngineError& error) {
        EXPECT_TRUE(error.message().contains(schemaPath)) << error.what();
        return false;
    }
    try {
        db::TextTableReader reader(textPath, schema);
        QVariantList row;
        qint64 rows = 0;
        while (reader.next(row)) {
            ++rows;
            EXPECT_EQ(row.size(), schema.definition.fields.size());
            for (qsizetype i = 0; i < row.size(); ++i) {
                const db::FieldDef& field = schema.definition.fields.at(i);
                if (field.type == db::FieldType::Alpha) {
                    EXPECT_LE(row.at(i).toString().size(), field.size) << "a value longer than its field";
                }
            }
            if (rows > lineEnds + 1) {
                ADD_FAILURE() << "more rows than lines: the reader does not move on";
                return false;
            }
        }
        EXPECT_LE(rows + reader.problemCount(), lineEnds + 1);
        if (reader.problemCount() > 0) {
            EXPECT_TRUE(reader.lastProblem().startsWith(textPath)) << reader.lastProblem().toStdString();
        }
        return true;
    } catch (const db::EngineError& error) {
        EXPECT_TRUE(error.message().contains(textPath)) << error.what();
        return false;
    }
}

TEST(TextImportFuzzTest, MutatedImportFilesGiveAClearErrorOrCountedRecords)
{
    const int runs = qEnvironmentVariableIsSet("RF_FUZZ_RUNS") ? qEnvironmentVariableIntValue("RF_FUZZ_RUNS") : 3000;
    const quint64 seed = qEnvironmentVariableIsSet("RF_FUZZ_SEED") ? qgetenv("RF_FUZZ_SEED").toULongLong() : 20261209;
    // Memory-backed where the system has it: the run writes two small files per input.
    QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
            ? QStringLiteral("/dev/shm/import-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/import-fuzz-XXXXXX"));
    const std::vector<Seed> originals = seeds(dir.path());
    const QString schemaPath = dir.filePath("work.SCH");
    const QString textPath = dir.filePath("work.dll");
    Mutator mutator(seed);
    int errors = 0;
    for (int run = 0; run < runs && !::testing::Test::HasFailure(); ++run) {
        const Seed& original = originals.at(static_cast<size_t>(mutator.below(int(originals.size()))));
        QByteArray schema = original.schema;
        QByteArray text = original.text;
        const int what = mutator.below(10);
        if (what < 3)
            mutator.mutate(schema);
        if (what > 0)
            mutator.mutate(text);
        ASSERT_TRUE(writeFile(schemaPath, schema));
        ASSERT_TRUE(writeFile(textPath, text));
        SCOPED_TRACE(QStringLiteral("run %1 of seed %2").arg(run).arg(seed).toStdString());
        if (!readInput(schemaPath, textPath, text.count('\n') + text.count('\r')))
            ++errors;
    }
    RecordProperty("clear_errors", errors);
}

} // namespace
