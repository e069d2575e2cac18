#include "kelvane/model/ClusterFileWriter.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/ValueWriter.h"
#include "kelvane/Windows1252.h"
#include "kelvane/model/LayoutGeometry.h"

namespace kelvane {

namespace {

std::optional<QString> problemWith(const QString &text)
{
    if (!ValueWriter::canWrite(text))
        return QStringLiteral("holds a double quote (\"), which a cluster file cannot store");
    QChar unmappable;
    toWindows1252(text, &unmappable);
    if (!unmappable.isNull())
        return QStringLiteral("holds the character \"%1\", which a cluster file cannot store")
            .arg(unmappable);
    return std::nullopt;
}

} // namespace

std::optional<QString> findUnwritableText(const ClusterModel &cluster, const QStringList &objectRow)
{
    for (int t = 0; t < cluster.trialCount(); ++t) {
        const TrialSettings &s = cluster.Trials[std::size_t(t)];
        const std::pair<const char *, const QString *> fields[] = {
            {"time", &s.time},
            {"message on timeout", &s.TimeUpMessage},
            {"target", &s.TargetNumberText},
            {"start message", &s.StartMessage},
            {"end message", &s.EndMessage},
            {"close-after time", &s.CloseAfter},
            {"screen size", &s.ScreenSize},
        };
        for (const auto &[name, text] : fields) {
            if (const auto problem = problemWith(*text))
                return QStringLiteral("The %1 of trial %2 %3.")
                    .arg(QLatin1StringView(name)).arg(t + 1).arg(*problem);
        }
        for (int k = 1; k <= cluster.CountBoxes(t); ++k) {
            const BoxRecord &b = cluster.box(t, k);
            for (const QString *name : {&b.BoxIconFile, &b.EmptyIconFile, &b.ContentFile}) {
                if (const auto problem = problemWith(*name))
                    return QStringLiteral("The picture name \"%1\" of box %2 in trial %3 %4.")
                        .arg(*name).arg(k).arg(t + 1).arg(*problem);
            }
        }
    }
    for (const QString &name : objectRow) {
        if (const auto problem = problemWith(name))
            return QStringLiteral("The object picture name \"%1\" %2.").arg(name, *problem);
    }
    return std::nullopt;
}

QString clusterFileText(const ClusterModel &cluster, const QStringList &objectRow)
{
    QString text = QString::number(cluster.trialCount()) + lineEnd;
    ValueWriter values;
    for (int t = 0; t < cluster.trialCount(); ++t) {
        const TrialSettings &s = cluster.Trials[std::size_t(t)];
        values.text(s.time);
        values.text(s.TimeUpMessage);
        values.text(s.TargetNumberText);
        values.text(s.StartMessage);
        values.text(s.EndMessage);
        values.text(s.CloseAfter);
        values.text(shortNumberForm(qint64(s.ChangeColor)));
        values.text(shortNumberForm(qint64(s.ChangeForeColor)));
        values.text(s.ScreenSize);
        const int boxes = cluster.CountBoxes(t);
        values.text(shortNumberForm(qint64(boxes)));
        for (int k = 1; k <= boxes; ++k) {
            const BoxRecord &b = cluster.box(t, k);
            values.text(b.BoxIconFile);
            values.text(b.EmptyIconFile);
            values.text(b.ContentFile);
            values.boolean(b.Empty);
            values.text(shortNumberForm(fractionFromPosition(b.Left)));
            values.text(shortNumberForm(fractionFromPosition(b.Top)));
        }
    }
    for (const QString &name : objectRow)
        values.text(name);
    return text + values.result();
}

QByteArray clusterFileBytes(const ClusterModel &cluster, const QStringList &objectRow)
{
    return toWindows1252(clusterFileText(cluster, objectRow));
}

} // namespace kelvane
