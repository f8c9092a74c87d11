#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

// The private folder a preview reads from: a copy of the chosen file under its work name, beside a copy of the
// schema file of its layout, in the temporary folder; it goes, with all it holds, when the object ends. The user's
// own files are only read.
//
// The folder's name carries the process id ("ringfolio-import-<pid>-XXXXXX"), so that the folder of a program that
// was killed during a preview can be told from one in use, and removed.
class ImportWorkFolder
{
public:
    // Copies both files in. EngineError: the chosen file is not a plain file or cannot be read, or the temporary
    // folder cannot take the copies.
    ImportWorkFolder(const QString& chosenFile, const QString& workFileName, const QString& schemaFile);
    ImportWorkFolder(const ImportWorkFolder&) = delete;
    ImportWorkFolder& operator=(const ImportWorkFolder&) = delete;

    // The copy of the chosen file, which the text driver reads.
    const QString& workPath() const { return m_workPath; }
    // A text about the copies (an error, a problem line) that names the user's files instead.
    QString toUserPaths(QString text) const;

    // Removes the work folders that this user's programs, no longer running, left in the temporary folder.
    static void removeAbandoned();

private:
    void copyIn(const QString& from, const QString& to, qint64 needed) const;

    const QString m_chosenFile;
    const QString m_schemaFile;
    std::unique_ptr<QTemporaryDir> m_folder;
    QString m_workPath;
    QString m_schemaCopy;
};
