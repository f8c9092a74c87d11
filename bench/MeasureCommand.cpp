#include "bench/MeasureCommand.h"
#include "bench/Statistics.h"

#include "bench/DirectoryBench.h"
#include "bench/ProcessMemory.h"
#include "platform/db/Table.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

constexpr int FirstRows = 30;
constexpr int Priors = 30;

struct Timing
{
    double medianMs = 0;
    qint64 rows = 0;
};

struct Job
{
    std::function<void()> prepare; // before each job, not timed
    std::function<qint64()> run; // timed; returns the rows it found
};

// The median over the samples of the mean time of one job in a sample of `reps` jobs, after `warmups` untimed jobs
// that bring the files into the page cache, as the anchor's runs find them.
Timing time(const Job& job, int warmups, int samples, int reps)
{
    using Clock = std::chrono::steady_clock;
    Timing timing;
    for (int warmup = 0; warmup < warmups; ++warmup) {
        if (job.prepare)
            job.prepare();
        timing.rows = job.run();
    }
    std::vector<double> means;
    for (int sample = 0; sample < samples; ++sample) {
        Clock::duration spent {};
        for (int rep = 0; rep < reps; ++rep) {
            if (job.prepare)
                job.prepare();
            const Clock::time_point start = Clock::now();
            timing.rows = job.run();
            spent += Clock::now() - start;
        }
        means.push_back(std::chrono::duration<double, std::milli>(spent).count() / reps);
    }
    timing.medianMs = Statistics::median(means);
    return timing;
}

// What the first job added to the process at its peak, from the figures before and after it; " peak_since_start=1"
// follows where the kernel would not start the peak afresh.
QString addedMemory(const ProcessMemory::Figures& before, const ProcessMemory::Figures& after, bool peakReset)
{
    return QStringLiteral(" added_mb=%1%2")
        .arg(Statistics::fixed((after.peakKb - before.residentKb) / 1024.0),
            peakReset ? QString() : QStringLiteral(" peak_since_start=1"));
}

} // namespace

QStringList MeasureCommand::scenarios()
{
    return { QStringLiteral("open30"), QStringLiteral("locate"), QStringLiteral("lastprior"),
        QStringLiteral("letterlist"), QStringLiteral("append"), QStringLiteral("walk"), QStringLiteral("preview"),
        QStringLiteral("import"), QStringLiteral("previewcopy"), QStringLiteral("importfull") };
}

MeasureCommand::MeasureCommand(QTextStream& out, QTextStream& err)
    : m_out(out)
    , m_err(err)
{
}

QString MeasureCommand::usage()
{
    return QStringLiteral(
        "Usage: bench_db --measure SCENARIO --folder DIR [options]\n"
        "Scenarios (employee.DB of DIR, in ByName order unless said):\n"
        "  open30      open the table and read its first 30 rows\n"
        "  locate      case-insensitive partial-key Locate on Name, one per prefix in turn\n"
        "  lastprior   Last, then 30 x Prior\n"
        "  letterlist  open the letter list's query for --pattern and read every row\n"
        "  append      append-mode batch move of --text into an empty employee.DB\n"
        "  preview     the import's preview: copy-mode batch move of --text into DestTable.db\n"
        "  import      the import proper: DestTable.db (made from --text first) appended to an empty employee.DB\n"
        "  previewcopy the preview as the import dialog runs it: --text copied into a private folder first\n"
        "  importfull  the import proper into a copy of DIR's employee.DB (made before each job, with no\n"
        "              DupTable.db beside it); adds refused=<rows refused>\n"
        "  walk        open the table and step through every row, with the process's memory figures\n"
        "Options:\n"
        "  --samples N     samples whose median is reported (default 7; walk: 1)\n"
        "  --reps N        jobs per sample (default 1)\n"
        "  --warmups N     untimed jobs before the samples (default 1; the memory figures of walk come from its\n"
        "                  first job, timed or not)\n"
        "  --pattern P     LIKE pattern of the letter list (default S%)\n"
        "  --prefixes L    Locate prefixes separated by ';' (default smi)\n"
        "  --text FILE     delimited text file with its schema file, for append\n"
        "  --work DIR      where append builds its destination (default: a new folder beside FILE)\n");
}

int MeasureCommand::run(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption measure(QStringLiteral("measure"), QString(), QStringLiteral("scenario"));
    const QCommandLineOption folderOption(QStringLiteral("folder"), QString(), QStringLiteral("dir"));
    const QCommandLineOption samplesOption(QStringLiteral("samples"), QString(), QStringLiteral("n"));
    const QCommandLineOption repsOption(QStringLiteral("reps"), QString(), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption warmupsOption(
        QStringLiteral("warmups"), QString(), QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption patternOption(
        QStringLiteral("pattern"), QString(), QStringLiteral("p"), QStringLiteral("S%"));
    const QCommandLineOption prefixesOption(
        QStringLiteral("prefixes"), QString(), QStringLiteral("list"), QStringLiteral("smi"));
    const QCommandLineOption textOption(QStringLiteral("text"), QString(), QStringLiteral("file"));
    const QCommandLineOption workOption(QStringLiteral("work"), QString(), QStringLiteral("dir"));
    parser.addOptions({ measure, folderOption, samplesOption, repsOption, warmupsOption, patternOption, prefixesOption,
        textOption, workOption });
    if (!parser.parse(QStringList { QStringLiteral("bench_db") } + arguments)) {
        m_err << "bench_db: " << parser.errorText() << '\n' << usage();
        return 2;
    }
    const QString scenario = parser.value(measure);
    bool samplesOk = true;
    bool repsOk = true;
    const int samples
        = parser.isSet(samplesOption) ? parser.value(samplesOption).toInt(&samplesOk) : (scenario == u"walk" ? 1 : 7);
    const int reps = parser.value(repsOption).toInt(&repsOk);
    bool warmupsOk = true;
    const int warmups = parser.value(warmupsOption).toInt(&warmupsOk);
    const QStringList prefixes = parser.value(prefixesOption).split(u';', Qt::SkipEmptyParts);
    if (!scenarios().contains(scenario) || !parser.isSet(folderOption) || !samplesOk || !repsOk || !warmupsOk
        || samples < 1 || reps < 1 || warmups < 0 || prefixes.isEmpty()
        || ((scenario == u"append" || scenario.startsWith(u"preview") || scenario.startsWith(u"import"))
            && !parser.isSet(textOption))) {
        m_err << usage();
        return 2;
    }

    try {
        DirectoryBench bench(parser.value(folderOption));
        QString extra;
        Job job;
        std::unique_ptr<db::Table> table;
        std::unique_ptr<QTemporaryDir> work;
        QString destination;
        const QString text = QFileInfo(parser.value(textOption)).absoluteFilePath();
        // Where a batch move builds its tables: the --work folder, else a new one beside the text file.
        const auto workFolder = [&](const QString& prefix) {
            if (parser.isSet(workOption))
                return QDir(parser.value(workOption));
            work = std::make_unique<QTemporaryDir>(
                QFileInfo(text).absolutePath() + u'/' + prefix + QStringLiteral("-XXXXXX"));
            if (!work->isValid())
                throw std::runtime_error(work->errorString().toStdString());
            return QDir(work->path());
        };
        if (scenario == u"open30") {
            job.run = [&bench]() { return static_cast<qint64>(bench.readFirstRows(FirstRows).size()); };
        } else if (scenario == u"locate") {
            table = bench.openEmployees();
            qsizetype next = 0;
            job.run = [&table, &prefixes, next]() mutable {
                const QString prefix = prefixes.at(next++ % prefixes.size());
                return DirectoryBench::locateName(*table, prefix).isEmpty() ? qint64(0) : qint64(1);
            };
        } else if (scenario == u"lastprior") {
            table = bench.openEmployees();
            job.run = [&table]() { return DirectoryBench::lastThenPrior(*table, Priors).isEmpty() ? 0 : 1; };
        } else if (scenario == u"letterlist") {
            const QString pattern = parser.value(patternOption);
            job.run = [&bench, pattern]() { return bench.letterList(pattern); };
        } else if (scenario == u"append") {
            destination = workFolder(QStringLiteral("append")).absoluteFilePath(QStringLiteral("employee.DB"));
            job.prepare = [destination]() { DirectoryBench::createEmptyEmployees(destination); };
            job.run = [&bench, text, destination]() { return bench.appendFromText(text, destination); };
        } else if (scenario.startsWith(u"preview") || scenario.startsWith(u"import")) {
            const QDir folder = workFolder(QStringLiteral("import"));
            const QString preview = folder.absoluteFilePath(QStringLiteral("DestTable.db"));
            destination = folder.absoluteFilePath(QStringLiteral("employee.DB"));
            if (scenario == u"import") {
                bench.previewFromText(text, preview);
                job.prepare = [destination]() { DirectoryBench::createEmptyEmployees(destination); };
            } else if (scenario == u"importfull") {
                bench.previewFromText(text, preview);
                const QString full = QDir(parser.value(folderOption)).absoluteFilePath(QStringLiteral("employee.DB"));
                const QString refused = folder.absoluteFilePath(QStringLiteral("DupTable.db"));
                job.prepare = [full, destination, refused]() {
                    for (const QString& path : { destination, refused })
                        QFile::remove(path);
                    if (!QFile::copy(full, destination))
                        throw std::runtime_error("cannot copy " + full.toStdString());
                };
            }
            // The memory figures come from the first job: what the move added to the process at its peak.
            const ProcessMemory::Figures before = ProcessMemory::read();
            const bool peakReset = ProcessMemory::resetPeak();
            job.run = [&bench, &extra, scenario, text, preview, destination, before, peakReset]() {
                qint64 rows = 0;
                if (scenario == u"preview")
                    rows = bench.previewFromText(text, preview);
                else if (scenario == u"previewcopy")
                    rows = bench.previewFromCopy(text, preview);
                else
                    rows = bench.importPreview(preview, destination);
                if (extra.isEmpty()) {
                    extra = addedMemory(before, ProcessMemory::read(), peakReset);
                    if (scenario == u"importfull")
                        extra = QStringLiteral(" refused=%1").arg(bench.lastRefusedCount()) + extra;
                }
                return rows;
            };
        } else {
            // The memory figures come from the first job, which is the first opening of the table in the process.
            const ProcessMemory::Figures before = ProcessMemory::read();
            const bool peakReset = ProcessMemory::resetPeak();
            job.run = [&bench, &extra, before, peakReset]() {
                const std::unique_ptr<db::Table> walked = bench.openEmployees();
                const qint64 rows = DirectoryBench::walk(*walked);
                if (extra.isEmpty()) {
                    const ProcessMemory::Figures after = ProcessMemory::read();
                    extra = QStringLiteral(" rss_before_kb=%1 rss_after_kb=%2 peak_kb=%3")
                                .arg(before.residentKb)
                                .arg(after.residentKb)
                                .arg(after.peakKb)
                        + addedMemory(before, after, peakReset);
                }
                return rows;
            };
        }
        const Timing timing = time(job, warmups, samples, reps);
        m_out << "scenario=" << scenario << " ours_ms=" << Statistics::fixed(timing.medianMs) << " rows=" << timing.rows
              << " samples=" << samples << " reps=" << reps << extra << '\n';
    } catch (const std::exception& error) {
        m_err << "bench_db: " << QString::fromUtf8(error.what()) << '\n';
        return 1;
    }
    return 0;
}
