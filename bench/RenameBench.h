#pragma once

#include "bench/DirectoryBench.h"
#include "directory/TfrmDataMod.h"

#include <QString>

// Renaming a department through the department editor's table, as the editor posts it: the department row and
// the rename cascade into its employees, in one transaction. Each job renames the department from one name to the
// other, in turn, so the directory ends as it began after an even number of jobs.
class RenameBench
{
public:
    // A directory of 1,000,000 employees in 10 departments of 100,000, for the rename: the set-up tool's directory
    // has 200 departments of 5,000.
    static constexpr qint64 Employees = 1'000'000;
    static constexpr int Departments = 10;
    static void makeDirectory(const QString& folder);

    RenameBench(const QString& folder, QString firstName, QString secondName);

    // One rename; the employees it moved.
    qint64 renameOnce();

private:
    DirectoryBench m_bench;
    TfrmDataMod m_dataModule;
    QString m_names[2];
    int m_turn = 0;
};
