#include "kelvane/formats/ResultLines.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/ValueReader.h"
#include "kelvane/ValueWriter.h"
#include "kelvane/Windows1252.h"

namespace kelvane {

QString resultTitleLine()
{
    QStringList titles;
    for (const QLatin1StringView title : ResultColumnTitles)
        titles.append(title);
    return titles.join(u'\t') + lineEnd;
}

QString firstHalfOfTrialLine(int trial, const QString &clusterName, int boxes, int objects,
                             qint64 target)
{
    return numberForm(trial) + u'\t' + clusterName + u'\t' + numberForm(boxes) + u'\t'
           + numberForm(objects) + u'\t' + numberForm(target) + u'\t';
}

QString secondHalfOfTrialLine(double totalTime, int opened, const QString &clickOrder,
                              const QString &timedClickOrder, const QString &withinRepeats)
{
    return shortNumberForm(roundHalfEven(totalTime, 2)) + u'\t' + numberForm(opened) + u'\t'
           + clickOrder + u'\t' + timedClickOrder + u'\t' + withinRepeats + lineEnd;
}

QString timedClick(int box, double trialClock)
{
    return u' ' + QString::number(box) + u'@' + shortNumberForm(roundHalfEven(trialClock, 2));
}

QString withinTrialRepeats(const QStringList &clicks)
{
    QString repeats;
    for (qsizetype i = 0; i < clicks.size(); ++i) {
        if (clicks.indexOf(clicks[i], i + 1) > i)
            repeats += u' ' + clicks[i];
    }
    return repeats;
}

QString clusterCopyLine(const QString &clusterFileText)
{
    ValueReader reader(clusterFileText);
    ValueWriter writer;
    while (const std::optional<Value> value = reader.next())
        writer.value(*value);
    return writer.result() + lineEnd;
}

} // namespace kelvane
