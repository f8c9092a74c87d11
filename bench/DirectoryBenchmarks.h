#pragma once

#include <QString>

class DirectoryBench;

// Registers the scenarios with Google Benchmark, over the directory of `bench`. The batch move runs only with a
// text file; the letter list runs for `pattern`.
void registerDirectoryBenchmarks(DirectoryBench& bench, const QString& textPath, const QString& pattern);
