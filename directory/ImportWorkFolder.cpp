#include "directory/ImportWorkFolder.h"

#include "platform/db/EngineError.h"
#include "platform/db/OwnerProcess.h"
#include "platform/os/PlainFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

#include <unistd.h>

namespace {

const QString folderPrefix = QStringLiteral("ringfolio-import-");
constexpr qint64 copyBlock = 1 << 20;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ImportWorkFolder::ImportWorkFolder(const QString& chosenFile, const QString& workFileName, const QString& schemaFile)
    : m_chosenFile(chosenFile)
    , m_schemaFile(schemaFile)
{
    // Reading a named pipe waits for a writer, and a device may never end.
    const QString refusal = os::notAPlainFile(chosenFile);
    if (!refusal.isEmpty())
        throw db::EngineError(QStringLiteral("Cannot import %1: %2").arg(native(chosenFile), refusal));
    const QDir temporary(QDir::tempPath());
    m_folder = std::make_unique<QTemporaryDir>(
        temporary.filePath(folderPrefix + db::OwnerProcess::currentId() + QStringLiteral("-XXXXXX")));
    if (!m_folder->isValid()) {
        throw db::EngineError(
            QStringLiteral("Cannot create a work folder for the import in the temporary folder %1: %2")
                .arg(native(temporary.path()), m_folder->errorString()));
    }
    m_workPath = m_folder->filePath(workFileName);
    m_schemaCopy = m_folder->filePath(QFileInfo(schemaFile).fileName());
    const qint64 needed = QFileInfo(chosenFile).size() + QFileInfo(schemaFile).size();
    copyIn(chosenFile, m_workPath, needed);
    copyIn(schemaFile, m_schemaCopy, needed);
}

// A file that cannot be read and a folder that cannot take the copy are told apart: the user mends them in
// different places.
void ImportWorkFolder::copyIn(const QString& from, const QString& to, qint64 needed) const
{
    const auto cannotRead = [&from](const QString& why) {
        return db::EngineError(QStringLiteral("Cannot read the file %1: %2").arg(native(from), why));
    };
    const auto cannotCopy = [&from, needed](const QString& why) {
        return db::EngineError(QStringLiteral("Cannot copy the file %1 to the temporary folder %2: %3\n"
                                              "The import needs %4 of free space there.")
                                   .arg(native(from), native(QDir::tempPath()), why,
                                       QLocale().formattedDataSize(needed, 1, QLocale::DataSizeTraditionalFormat)));
    };
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        throw cannotRead(source.errorString());
    QFile copy(to);
    if (!copy.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw cannotCopy(copy.errorString());
    QByteArray block(copyBlock, Qt::Uninitialized);
    for (;;) {
        const qint64 read = source.read(block.data(), block.size());
        if (read < 0)
            throw cannotRead(source.errorString());
        if (read == 0)
            break;
        // A write cut short is followed by one that fails and says why (a full disk).
        for (qint64 written = 0; written < read;) {
            const qint64 step = copy.write(block.constData() + written, read - written);
            if (step <= 0)
                throw cannotCopy(copy.errorString());
            written += step;
        }
    }
}

QString ImportWorkFolder::toUserPaths(QString text) const
{
    for (const auto& [copy, original] :
        { std::pair { m_workPath, m_chosenFile }, std::pair { m_schemaCopy, m_schemaFile } }) {
        text.replace(native(copy), native(original));
        text.replace(copy, native(original));
    }
    return text;
}

void ImportWorkFolder::removeAbandoned()
{
    // Only folders named with a process id can be told apart; one named before that may belong to a running program.
    static const QRegularExpression named(
        QStringLiteral("^%1(\\d+)-[A-Za-z0-9]+$").arg(QRegularExpression::escape(folderPrefix)));
    const QDir temporary(QDir::tempPath());
    const QFileInfoList entries = temporary.entryInfoList(
        { folderPrefix + u'*' }, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const QRegularExpressionMatch match = named.match(entry.fileName());
        // Another user's folders are theirs, whatever became of their program.
        if (match.hasMatch() && entry.ownerId() == ::getuid() && db::OwnerProcess::hasEnded(match.captured(1)))
            QDir(entry.filePath()).removeRecursively();
    }
}
