#pragma once

#include <QStringList>
#include <QTextStream>

// The measuring mode of bench_db, for scripts: times one scenario and prints one line of key=value pairs, e.g.
//   scenario=locate ours_ms=0.084 rows=1 samples=7 reps=40
// ours_ms is the median over `samples` samples of the mean time of one job within a sample of `reps` jobs; rows is
// what the last job found (rows read or moved; 1 or 0 for a Locate), so that a script can check the job against the
// anchor's. The walk scenario adds the memory figures of its first job (the first opening in the process):
// rss_before_kb, rss_after_kb, peak_kb and added_mb (the peak minus the resident set before the table opened).
class MeasureCommand
{
public:
    // Scenario names, as the compare script passes them.
    static QStringList scenarios();

    MeasureCommand(QTextStream& out, QTextStream& err);

    // The arguments without the program name. Returns 0 done, 1 failed, 2 bad arguments.
    int run(const QStringList& arguments);

    static QString usage();

private:
    QTextStream& m_out;
    QTextStream& m_err;
};
