#pragma once

#include <QString>

#include <functional>

class QDir;

namespace db {
class TableLoad;
}

// Creates the directory database in a folder: the five tables, each protected by the table password, with the
// rows every installation brings (the list catalogue, the editing password, the dial prefixes), and then the
// departments and employees that a filler adds. It never replaces a directory: a folder that already holds one
// of the five tables, in any letter case, is refused. The tables are built in a staging folder inside the folder
// and moved in when all are whole; when a step fails, the staging folder goes. A set-up that was killed leaves the
// staging folder behind, and the next one takes it and the tables it had moved in away before it starts.
class DirectoryInstaller
{
public:
    // Adds departments and employees; both tables are inside one transaction that commits when it returns.
    using Filler = std::function<void(db::TableLoad& departments, db::TableLoad& employees)>;

    // The staging folder's name inside the folder.
    static constexpr const char* StagingFolderName = ".rfsetup-unfinished";

    explicit DirectoryInstaller(QString folder);

    const QString& folder() const { return m_folder; }

    void install(const Filler& filler = {}) const;
    void installDemo() const; // the demo directory of DemoDirectory

private:
    QString stagingFolder() const;
    void replaceInterruptedInstall() const;
    void createTables(const QDir& folder, const Filler& filler) const;
    void moveTablesIn(QDir& staging) const;
    QString existingTable() const; // the name of a table file already in the folder, or empty
    static bool isTableFile(const QString& fileName);

    QString m_folder;
};
