#include "listprint/ExportLineWriter.h"

#include "platform/os/OsError.h"

#include <QIODevice>

ExportLineWriter::ExportLineWriter(QIODevice& device, Format format, QString target)
    : m_device(device)
    , m_format(format)
    , m_target(std::move(target))
{
    m_pending.reserve(blockSize + 1024);
}

ExportLineWriter::~ExportLineWriter()
{
    if (!m_pending.isEmpty())
        m_device.write(m_pending);
}

void ExportLineWriter::addValue(QStringView value)
{
    // Room for the separator, the quotes and the value as ASCII is made once, and the value copied into it.
    const bool comma = m_format == Format::Comma;
    const qsizetype start = m_pending.size();
    m_pending.resize(start + 4 + value.size());
    char* const begin = m_pending.data();
    char* out = begin + start;
    if (m_lineStarted) {
        if (comma) {
            *out++ = ',';
            *out++ = ' ';
        } else {
            *out++ = '\t';
        }
    }
    m_lineStarted = true;
    if (comma)
        *out++ = '"';
    const qsizetype valueStart = out - begin;
    for (const QChar character : value) {
        if (character.unicode() >= 0x80) {
            // A letter outside ASCII: the value goes through the UTF-8 encoder instead.
            m_pending.resize(valueStart);
            m_pending.append(value.toUtf8());
            if (comma)
                m_pending.append('"');
            return;
        }
        *out++ = static_cast<char>(character.unicode());
    }
    if (comma)
        *out++ = '"';
    m_pending.resize(out - begin);
}

void ExportLineWriter::endLine()
{
    m_pending.append("\r\n", 2);
    m_lineStarted = false;
    if (m_pending.size() >= blockSize)
        flush();
}

void ExportLineWriter::writeLine(const QStringList& values)
{
    for (const QString& value : values)
        addValue(value);
    endLine();
}

void ExportLineWriter::flush()
{
    // A device may take part of a block and refuse the rest, as a disk that fills up does.
    qsizetype done = 0;
    while (done < m_pending.size()) {
        const qint64 written = m_device.write(m_pending.constData() + done, m_pending.size() - done);
        if (written <= 0) {
            const QString reason = m_device.errorString();
            m_pending.resize(0);
            throw os::OsError(QStringLiteral("Cannot write \"%1\": %2").arg(m_target, reason));
        }
        done += written;
    }
    m_pending.resize(0); // keeps the block's memory for the next one
}
