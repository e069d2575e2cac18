#include "Study.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRandomGenerator>

#include <cstdio>
#include <cstdlib>

namespace kelvane::bench {

namespace {

// One trial as a subject might search it: boxes opened in a wandering order, now and
// then a box opened again, until the target turns up.
QByteArray trialLine(QRandomGenerator &random, int trial, const QByteArray &cluster, int boxes)
{
    const int target = 1 + int(random.bounded(boxes));
    QList<int> clicks;
    QList<int> unopened;
    for (int b = 1; b <= boxes; ++b)
        unopened.append(b);
    while (true) {
        int box;
        if (!clicks.isEmpty() && random.bounded(5) == 0)
            box = clicks[random.bounded(int(clicks.size()))];
        else
            box = unopened.takeAt(random.bounded(int(unopened.size())));
        clicks.append(box);
        if (box == target)
            break;
    }
    QByteArray order;
    QByteArray timed;
    double clock = 0;
    for (const int box : clicks) {
        clock += 0.4 + random.bounded(1.5);
        order += ' ' + QByteArray::number(box);
        timed += ' ' + QByteArray::number(box) + "@ " + QByteArray::number(clock, 'f', 2);
    }
    QByteArray repeats;
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        if (clicks.indexOf(clicks[i], i + 1) > 0)
            repeats += ' ' + QByteArray::number(clicks[i]);
    }
    return ' ' + QByteArray::number(trial) + " \t" + cluster + "\t " + QByteArray::number(boxes)
           + " \t " + QByteArray::number(boxes - 1) + " \t " + QByteArray::number(target) + " \t "
           + QByteArray::number(clock, 'f', 2) + "\t " + QByteArray::number(clicks.size()) + " \t"
           + order + '\t' + timed + '\t' + repeats + "\r\n";
}

} // namespace

qint64 writeStudy(const QString &folder, const StudyShape &shape, QStringList *paths)
{
    QRandomGenerator random(20261207);
    qint64 bytes = 0;
    for (int f = 0; f < shape.files; ++f) {
        QByteArray text = "\"07-12-2026\",\"09:00:00\",\"subject\"\r\n"
                          "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\t"
                          "Total opened\tClick order\tTimed click order\tWithin Error\r\n";
        for (int c = 0; c < shape.clusters; ++c) {
            const QByteArray cluster = "C:\\study\\cluster" + QByteArray::number(c + 1) + ".box";
            const int boxes = 4 + int(random.bounded(9));
            for (int t = 0; t < shape.trials; ++t)
                text += trialLine(random, t, cluster, boxes);
        }
        const QString path = QDir(folder).filePath(
            QStringLiteral("s%1.bof").arg(f + 1, 4, 10, QLatin1Char('0')));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            std::exit(2);
        }
        bytes += text.size();
        paths->append(path);
    }
    return bytes;
}

} // namespace kelvane::bench
