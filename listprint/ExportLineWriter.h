#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

class QIODevice;

// Writes the lines of an export file: values in the comma format ("a", "b") or the tab format (a<TAB>b), each line
// ended by CR LF, the text in UTF-8 without a byte-order mark. Values are written as they are: nothing is escaped
// or doubled. Lines are gathered and handed to the device in blocks; a device that refuses them raises an
// os::OsError naming the target.
class ExportLineWriter
{
public:
    enum class Format
    {
        Comma,
        Tab,
    };

    // target: how error messages name what is written, usually the file name.
    ExportLineWriter(QIODevice& device, Format format, QString target);
    // Hands what is still gathered to the device, so that the lines added before an error stay written; a
    // refusal is not reported here.
    ~ExportLineWriter();
    ExportLineWriter(const ExportLineWriter&) = delete;
    ExportLineWriter& operator=(const ExportLineWriter&) = delete;

    void addValue(QStringView value);
    void endLine();
    void writeLine(const QStringList& values);
    // Hands what is gathered to the device; call it once the last line is added, to learn of a refusal.
    void flush();

private:
    static constexpr qsizetype blockSize = 64 * 1024;

    QIODevice& m_device;
    const Format m_format;
    const QString m_target;
    QByteArray m_pending;
    bool m_lineStarted = false;
};
