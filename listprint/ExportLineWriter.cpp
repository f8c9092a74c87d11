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

void ExportLineWriter::appendUtf8(QStringView value)
{
    // Most values are plain ASCII, copied as they are; the others go through the UTF-8 encoder.
    const qsizetype start = m_pending.size();
    m_pending.resize(start + value.size());
    char* out = m_pending.data() + start;
    for (const QChar character : value) {
        if (character.unicode() >= 0x80) {
            m_pending.resize(start);
            m_pending.append(value.toUtf8());
            return;
        }
        *out++ = static_cast<char>(character.unicode());
    }
}

void ExportLineWriter::addValue(QStringView value)
{
    if (m_lineStarted)
        m_pending.append(m_format == Format::Comma ? QByteArrayView(", ") : QByteArrayView("\t"));
    m_lineStarted = true;
    if (m_format == Format::Comma)
        m_pending.append('"');
    appendUtf8(value);
    if (m_format == Format::Comma)
        m_pending.append('"');
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
