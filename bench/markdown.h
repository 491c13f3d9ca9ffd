// Writes BENCHMARKS.md from one run: the machine, the command, the medians against the
// targets and the baseline, and the peak memory measured by tools/bench.
#pragma once

#include <benchmark/benchmark.h>

#include <QString>

#include <map>
#include <string>

// Shows the usual console output and keeps each case's median in milliseconds.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override;

    // "read_map/kavora/32767" -> milliseconds.
    const std::map<std::string, double> &medians() const { return m_medians; }
    // How many runs each median was taken over.
    const std::map<std::string, long> &repetitions() const { return m_repetitions; }
    // The counters a case reported, by case and counter name.
    const std::map<std::string, std::map<std::string, double>> &counters() const
    {
        return m_counters;
    }

private:
    std::map<std::string, double> m_medians;
    std::map<std::string, long> m_repetitions;
    std::map<std::string, std::map<std::string, double>> m_counters;
};

struct RunFacts {
    QString loadBefore, loadAfter; // /proc/loadavg's first three figures
    qint64 peakKilobytes = -1;     // -1: not measured
    QString peakCommand;           // what was measured, as run
};

void writeMarkdown(const QString &path, const MedianCollector &results, const RunFacts &facts);

// The machine's load averages, "0.52 0.61 0.70".
QString loadAverage();
