#include "bench/DirectoryBench.h"
#include "bench/DirectoryBenchmarks.h"
#include "bench/MeasureCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <cstring>
#include <exception>

// bench_db [benchmark flags] [--folder=DIR] [--text=FILE] [--pattern=P]
//   runs the scenarios as Google Benchmark cases over the directory in DIR (else $RF_BENCH_FOLDER); the batch
//   move needs a generated text file (else $RF_BENCH_TEXT); the letter list uses P (else S%).
// bench_db --measure SCENARIO --folder DIR ...
//   times one scenario for scripts (see MeasureCommand).
int main(int argc, char* argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc > 1 && std::strcmp(argv[1], "--measure") == 0) {
        const QCoreApplication application(argc, argv);
        return MeasureCommand(out, err).run(QCoreApplication::arguments().mid(1));
    }

    benchmark::Initialize(&argc, argv);
    const QCoreApplication application(argc, argv);
    QString folder = qEnvironmentVariable("RF_BENCH_FOLDER");
    QString text = qEnvironmentVariable("RF_BENCH_TEXT");
    QString pattern = QStringLiteral("S%");
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        if (argument.startsWith(u"--folder="))
            folder = argument.mid(9);
        else if (argument.startsWith(u"--text="))
            text = argument.mid(7);
        else if (argument.startsWith(u"--pattern="))
            pattern = argument.mid(10);
        else {
            err << "bench_db: unknown argument " << argument << '\n';
            return 2;
        }
    }
    if (folder.isEmpty()) {
        err << "bench_db: name the directory folder with --folder=DIR or RF_BENCH_FOLDER\n";
        return 2;
    }
    try {
        DirectoryBench bench(folder);
        registerDirectoryBenchmarks(bench, text, pattern);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    } catch (const std::exception& error) {
        err << "bench_db: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
