#include "bench/ProcessMemory.h"

#include <QByteArray>
#include <QFile>

ProcessMemory::Figures ProcessMemory::read()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray status = file.readAll();
    return Figures { fieldKb(status, "VmRSS").value_or(0), fieldKb(status, "VmHWM").value_or(0) };
}

bool ProcessMemory::resetPeak()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    return file.open(QIODevice::WriteOnly) && file.write("5") == 1;
}

std::optional<qint64> ProcessMemory::fieldKb(QByteArrayView status, QByteArrayView name)
{
    for (const QByteArrayView line : QByteArray::fromRawData(status.data(), status.size()).split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.first(colon) != name)
            continue;
        QByteArrayView rest = line.sliced(colon + 1).trimmed();
        if (!rest.endsWith("kB"))
            return std::nullopt;
        rest.chop(2);
        bool ok = false;
        const qint64 value = rest.trimmed().toLongLong(&ok);
        return ok ? std::optional<qint64>(value) : std::nullopt;
    }
    return std::nullopt;
}
