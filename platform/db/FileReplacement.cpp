#include "platform/db/FileReplacement.h"

#include "platform/db/OwnerProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cstdio>

namespace db {
namespace {

// ".new-<pid>-<16 hex digits>", the part a building path adds to its target's.
const QString buildingSuffix = QStringLiteral(R"(\.new-(\d+)-[0-9a-f]{16})");

QString freePathBeside(const QString& path)
{
    const QString prefix = path + QStringLiteral(".new-") + OwnerProcess::currentId() + u'-';
    for (;;) {
        const QString candidate
            = prefix + QString::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, u'0');
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace

FileReplacement::FileReplacement(QString target)
    : m_target(std::move(target))
    , m_building(freePathBeside(m_target))
{
    removeAbandoned(m_target);
}

FileReplacement::~FileReplacement()
{
    if (m_replaced)
        return;
    QFile::remove(m_building);
    QFile::remove(m_building + QStringLiteral("-journal"));
}

bool FileReplacement::replaceTarget()
{
    // A journal left by a crashed writer of the old file must not be played back into the new one.
    QFile::remove(m_target + QStringLiteral("-journal"));
    // std::rename replaces an existing target in one step, where QFile::rename would refuse it.
    m_replaced = std::rename(QFile::encodeName(m_building).constData(), QFile::encodeName(m_target).constData()) == 0;
    return m_replaced;
}

QString FileReplacement::targetOf(const QString& path)
{
    // A table created while another is built beside its target is built beside the building file in turn.
    static const QRegularExpression building(QStringLiteral("(%1)+$").arg(buildingSuffix));
    QString target = path;
    target.remove(building);
    return target;
}

void FileReplacement::removeAbandoned(const QString& target)
{
    const QFileInfo info(target);
    // The building file, a journal of it, or a file built beside it in turn: all belong to the first builder.
    const QRegularExpression leftover(
        QStringLiteral("^%1%2").arg(QRegularExpression::escape(info.fileName()), buildingSuffix),
        QRegularExpression::CaseInsensitiveOption);
    const QDir folder = info.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const QRegularExpressionMatch match = leftover.match(name);
        if (match.hasMatch() && OwnerProcess::hasEnded(match.captured(1)))
            QFile::remove(folder.filePath(name));
    }
}

} // namespace db
