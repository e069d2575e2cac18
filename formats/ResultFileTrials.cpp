#include "kelvane/formats/ResultFileTrials.h"

#include "kelvane/formats/ResultLines.h"

#include <QByteArray>
#include <QList>

namespace kelvane {

bool holdsTrialLines(const QString &resultPath)
{
    QByteArray bytes;
    if (!readWholeFile(resultPath, &bytes, nullptr))
        return false;
    const QList<QByteArray> lines = bytes.split('\n');
    for (qsizetype i = ResultHeaderLines; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            return true;
    }
    return false;
}

FileResult<void> appendClusterToSubject(const QString &clusterResult, const QString &subjectResult)
{
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(clusterResult, &bytes, &error))
        return error;
    QByteArray lines;
    int skipped = 0;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break; // an unfinished trial
        QByteArrayView line(bytes.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (skipped < ResultHeaderLines) {
            ++skipped;
        } else {
            lines += line;
            lines += "\r\n";
        }
        start = end + 1;
    }
    if (!appendDurably(subjectResult, lines, &error))
        return error;
    return {};
}

} // namespace kelvane
