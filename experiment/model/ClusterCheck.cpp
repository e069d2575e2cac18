#include "kelvane/model/ClusterCheck.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/model/LayoutGeometry.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

namespace {

bool isBoxNumber(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!c.isDigit())
            return false;
    }
    return true;
}

class Checker
{
public:
    Checker(const QString &iconFolder, QList<ClusterProblem> &problems)
        : m_iconFolder(iconFolder), m_problems(problems)
    {
        m_checkFiles = !iconFolder.isEmpty() && QFileInfo(iconFolder).isDir();
        if (!iconFolder.isEmpty() && !m_checkFiles)
            add(-1, 0, QStringLiteral("the picture folder %1 does not exist, so no picture was checked")
                           .arg(QDir::toNativeSeparators(iconFolder)));
    }

    void picture(const QString &name, int trial, int box, const QString &role)
    {
        if (name.isEmpty()) {
            add(trial, box, QStringLiteral("the %1 has no file name").arg(role));
            return;
        }
        if (m_checkFiles && !QFileInfo(QDir(m_iconFolder).filePath(name)).isFile())
            add(trial, box, QStringLiteral("the %1 \"%2\" is missing from %3")
                                .arg(role, name, QDir::toNativeSeparators(m_iconFolder)));
    }

    void add(int trial, int box, const QString &text) { m_problems.append({trial, box, text}); }

private:
    QString m_iconFolder;
    QList<ClusterProblem> &m_problems;
    bool m_checkFiles = false;
};

} // namespace

std::optional<ClusterProblem> targetProblem(const ClusterModel &cluster, int t)
{
    const QString &target = cluster.Trials.at(std::size_t(t)).TargetNumberText;
    const int boxes = cluster.CountBoxes(t);
    if (target.isEmpty())
        return ClusterProblem{t, 0, QStringLiteral("no target is set")};
    if (!isBoxNumber(target) || target.toInt() < 1 || target.toInt() > boxes)
        return ClusterProblem{t, 0, QStringLiteral("the target \"%1\" is not one of the trial's %2 boxes")
                                        .arg(target).arg(boxes)};
    if (cluster.box(t, target.toInt()).Empty)
        return ClusterProblem{t, target.toInt(), QStringLiteral("the target box holds no object")};
    return std::nullopt;
}

QList<ClusterProblem> clearUnusableTargets(ClusterModel &cluster)
{
    QList<ClusterProblem> cleared;
    for (int t = 0; t < cluster.trialCount(); ++t) {
        QString &target = cluster.Trials[std::size_t(t)].TargetNumberText;
        if (target.isEmpty())
            continue;
        if (auto problem = targetProblem(cluster, t)) {
            cleared.append(std::move(*problem));
            target.clear();
        }
    }
    return cleared;
}

QList<ClusterProblem> checkCluster(const ClusterModel &cluster, const QString &iconFolder,
                                   const QStringList &objectRow)
{
    QList<ClusterProblem> problems;
    Checker check(iconFolder, problems);
    for (int t = 0; t < cluster.trialCount(); ++t) {
        const int boxes = cluster.CountBoxes(t);
        if (boxes == 0)
            check.add(t, 0, QStringLiteral("the trial has no boxes"));

        if (const auto problem = targetProblem(cluster, t))
            problems.append(*problem);

        for (int k = 1; k <= boxes; ++k) {
            const BoxRecord &b = cluster.box(t, k);
            check.picture(b.BoxIconFile, t, k, QStringLiteral("closed-box picture"));
            check.picture(b.EmptyIconFile, t, k, QStringLiteral("empty-box picture"));
            if (!b.Empty)
                check.picture(b.ContentFile, t, k, QStringLiteral("object picture"));
        }
    }
    for (qsizetype i = 0; i < objectRow.size(); ++i)
        check.picture(objectRow[i], -1, 0,
                      QStringLiteral("object picture %1 of the picture row").arg(i + 1));
    if (const auto unwritable = findUnwritableText(cluster, objectRow))
        check.add(-1, 0, *unwritable);
    return problems;
}

namespace {

bool insideLayoutSquare(qint16 position)
{
    return position >= 0 && position < LayoutAreaTwips;
}

QString fraction(qint16 position)
{
    return shortNumberForm(fractionFromPosition(position)).trimmed();
}

} // namespace

QList<ClusterProblem> reviewTrialValues(const ClusterModel &cluster)
{
    QList<ClusterProblem> found;
    const auto warn = [&found](int trial, const QString &text) {
        found.append({trial, 0, text, Severity::Warning});
    };
    for (int t = 0; t < cluster.trialCount(); ++t) {
        const TrialSettings &s = cluster.Trials[std::size_t(t)];
        if (!findLeadingNumber(s.time))
            warn(t, QStringLiteral("the time \"%1\" is not a number, so the trial has no time limit")
                        .arg(s.time));
        if (!findLeadingNumber(s.CloseAfter))
            warn(t, QStringLiteral("the close-after time \"%1\" is not a number, so an opened box "
                                   "closes again at the next tick (0.1 s)")
                        .arg(s.CloseAfter));
        const double size = findLeadingNumber(s.ScreenSize).value_or(0.0);
        if (size < 1)
            found.append({t, 0, QStringLiteral("the screen size \"%1\" is not a percentage from 1 to 100, "
                                               "so the layout area has no size and the subject sees no boxes")
                                    .arg(s.ScreenSize)});
        else if (size > 100)
            found.append({t, 0, QStringLiteral("the screen size \"%1\" is more than 100 percent of the "
                                               "screen height, so the layout area does not fit on the screen")
                                    .arg(s.ScreenSize)});

        for (int k = 1; k <= cluster.CountBoxes(t); ++k) {
            const BoxRecord &b = cluster.box(t, k);
            if (!insideLayoutSquare(b.Left) || !insideLayoutSquare(b.Top))
                found.append({t, k, QStringLiteral("the box lies outside the layout square (left %1, top %2; "
                                                   "positions run from 0 to below 1), so the subject never "
                                                   "sees it")
                                        .arg(fraction(b.Left), fraction(b.Top))});
        }
    }
    return found;
}

} // namespace kelvane
