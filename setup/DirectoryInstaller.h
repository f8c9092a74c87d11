#pragma once

#include <QString>

#include <functional>

namespace db {
class TableFile;
}

// Creates the directory database in a folder: the five tables, each protected by the table password, with the
// rows every installation brings (the list catalogue, the editing password, the dial prefixes), and then the
// departments and employees that a filler adds. It never replaces a directory: a folder that already holds one
// of the five tables, in any letter case, is refused. When a step fails, the tables it created are removed.
class DirectoryInstaller
{
public:
    // Adds departments and employees; both tables are inside one transaction that commits when it returns.
    using Filler = std::function<void(db::TableFile& departments, db::TableFile& employees)>;

    explicit DirectoryInstaller(QString folder);

    const QString& folder() const { return m_folder; }

    void install(const Filler& filler = {}) const;
    void installDemo() const; // the demo directory of DemoDirectory

private:
    void createTables(const Filler& filler) const;
    QString existingTable() const; // the name of a table file already in the folder, or empty

    QString m_folder;
};
