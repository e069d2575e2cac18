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

// A cluster file of `trials` trials that all have the same four boxes, at the corners of
// the layout area's inner square (left/top fractions .1 and .7), box `target` the target.
inline QByteArray fourCornerCluster(int trials, int target = 1)
{
    QByteArray text = QByteArray::number(trials) + "\r\n";
    for (int t = 0; t < trials; ++t) {
        text += "\"10\",\"Time is up.\",\"" + QByteArray::number(target)
                + "\",\"Start\",\"Next\",\"2\",\" 0\",\" 16777215\",\"85\",\" 4\",";
        for (const char *at : {"\" .1\",\" .1\",", "\" .7\",\" .1\",", "\" .1\",\" .7\",", "\" .7\",\" .7\","})
            text += QByteArray("\"Box1.ico\",\"EmptyBox1.ico\",\"Content1.ico\",#FALSE#,") + at;
    }
    return text + "\"Content1.ico\",\"Content2.ico\",\"Content3.ico\",\"Content4.ico\",\"Content5.ico\",\"Content6.ico\",";
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace kelvane::analyzer::test
