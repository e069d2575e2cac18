#pragma once
// Builds result files the way the experiment program writes them, for the analyzer
// tests: two header lines and one ten-field line per trial.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kelvane::analyzer::test {

struct TrialLine
{
    TrialLine(QByteArray trial, int boxes = 4, int target = 1, int opened = 0,
              QByteArray clicks = {})
        : trial(std::move(trial)), boxes(boxes), target(target), opened(opened),
          clicks(std::move(clicks))
    {
    }
    QByteArray trial;   // the "Trial" field as written, e.g. " 0 "
    int boxes;
    int target;
    int opened;
    QByteArray clicks;  // the "Click order" field, e.g. " 3 5"
};

inline QByteArray headerLines()
{
    return "\"07-12-2026\",\"10:15:00\",\"subject\"\r\n"
           "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
           "Click order\tTimed click order\tWithin Error\r\n";
}

inline QByteArray lineOf(const TrialLine &t)
{
    return t.trial + "\tcluster1.box\t " + QByteArray::number(t.boxes) + " \t 1 \t "
           + QByteArray::number(t.target) + " \t 4.1\t " + QByteArray::number(t.opened) + " \t"
           + t.clicks + "\t\t\r\n";
}

// " n " for a trial number, as the number form writes it.
inline QByteArray number(int n)
{
    return ' ' + QByteArray::number(n) + ' ';
}

inline QByteArray resultFile(std::initializer_list<TrialLine> lines)
{
    QByteArray text = headerLines();
    for (const TrialLine &line : lines)
        text += lineOf(line);
    return text;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace kelvane::analyzer::test
