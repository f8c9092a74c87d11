#include "bench/DirectoryBenchmarks.h"

#include "bench/DirectoryBench.h"
#include "bench/ProcessMemory.h"
#include "platform/db/Table.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int FirstRows = 30;
constexpr int Priors = 30;

QStringList locatePrefixes()
{
    // Lower case, so that the case-insensitive match has work to do.
    return { QStringLiteral("smi"), QStringLiteral("o'b"), QStringLiteral("van d"), QStringLiteral("garcia, m"),
        QStringLiteral("kowalski, j"), QStringLiteral("lee, a") };
}

std::string name(const char* scenario, qint64 rows)
{
    return QStringLiteral("%1/%2rows").arg(QLatin1StringView(scenario)).arg(rows).toStdString();
}

} // namespace

void registerDirectoryBenchmarks(DirectoryBench& bench, const QString& textPath, const QString& pattern)
{
    const qint64 rows = bench.openEmployees()->RecordCount();

    benchmark::RegisterBenchmark(name("open_first30", rows).c_str(), [&bench](benchmark::State& state) {
        for (auto _ : state)
            benchmark::DoNotOptimize(bench.readFirstRows(FirstRows));
    })->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark(name("locate_partial_nocase", rows).c_str(), [&bench](benchmark::State& state) {
        const std::unique_ptr<db::Table> table = bench.openEmployees();
        const QStringList prefixes = locatePrefixes();
        qsizetype next = 0;
        for (auto _ : state)
            benchmark::DoNotOptimize(DirectoryBench::locateName(*table, prefixes.at(next++ % prefixes.size())));
    })->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark(name("last_prior30", rows).c_str(), [&bench](benchmark::State& state) {
        const std::unique_ptr<db::Table> table = bench.openEmployees();
        for (auto _ : state)
            benchmark::DoNotOptimize(DirectoryBench::lastThenPrior(*table, Priors));
    })->Unit(benchmark::kMicrosecond);

    const std::string letterList = name("letter_list", rows) + '/' + pattern.toStdString();
    benchmark::RegisterBenchmark(letterList.c_str(), [&bench, pattern](benchmark::State& state) {
        qint64 found = 0;
        for (auto _ : state)
            found = bench.letterList(pattern);
        state.counters["result_rows"] = static_cast<double>(found);
    })->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark(name("walk", rows).c_str(),
        [&bench](benchmark::State& state) {
            for (auto _ : state) {
                const ProcessMemory::Figures before = ProcessMemory::read();
                ProcessMemory::resetPeak();
                const std::unique_ptr<db::Table> table = bench.openEmployees();
                benchmark::DoNotOptimize(DirectoryBench::walk(*table));
                state.counters["added_MB"]
                    = static_cast<double>(ProcessMemory::read().peakKb - before.residentKb) / 1024;
            }
        })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);

    if (textPath.isEmpty())
        return;
    benchmark::RegisterBenchmark("batch_append",
        [&bench, textPath](benchmark::State& state) {
            const QTemporaryDir work(QFileInfo(textPath).absolutePath() + QStringLiteral("/append-XXXXXX"));
            const QString destination = work.filePath(QStringLiteral("employee.DB"));
            qint64 moved = 0;
            for (auto _ : state) {
                state.PauseTiming();
                DirectoryBench::createEmptyEmployees(destination);
                state.ResumeTiming();
                moved = bench.appendFromText(textPath, destination);
            }
            state.counters["moved_rows"] = static_cast<double>(moved);
        })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(1);
}
