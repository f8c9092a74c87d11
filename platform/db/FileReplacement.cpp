#include "platform/db/FileReplacement.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cstdio>

namespace db {
namespace {

QString freePathBeside(const QString& path)
{
    for (;;) {
        const QString candidate = path + QStringLiteral(".new-")
            + QString::number(QRandomGenerator::global()->generate64(), 16).rightJustified(16, u'0');
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

} // namespace

FileReplacement::FileReplacement(QString target)
    : m_target(std::move(target))
    , m_building(freePathBeside(m_target))
{
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

} // namespace db
