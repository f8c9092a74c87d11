#include "common/TPreviousInstance.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The mutex name is a text of at most this many characters.
constexpr qsizetype maxMutexName = 255;

} // namespace

void TPreviousInstance::Detect()
{
    Detect(QCoreApplication::applicationFilePath(), os::runtimeFolder());
}

void TPreviousInstance::Detect(const QString& programFile, const QString& lockFolder)
{
    const QString name = QFileInfo(programFile).fileName().left(maxMutexName);
    SetWindowTitle(name);
    auto mutex = std::make_unique<os::NamedMutex>(name, lockFolder);
    Exists = mutex->alreadyExists();
    // A later copy keeps nothing of the mutex, and a failed creation holds nothing either.
    if (mutex->result() == os::NamedMutex::Result::Created)
        Mutex = std::move(mutex);
}

void TPreviousInstance::SetWindowTitle(const QString& fileName)
{
    if (fileName.contains(QLatin1String(".EXE"), Qt::CaseSensitive))
        WindowTitle = fileName.left(fileName.size() - 4);
}

void TPreviousInstance::GetWindowTitle(QString& title) const
{
    title = WindowTitle;
}

void TPreviousInstance::releaseMutex()
{
    Mutex.reset();
}
