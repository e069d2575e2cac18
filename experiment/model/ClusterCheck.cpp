#include "kelvane/model/ClusterCheck.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/model/ClusterFileWriter.h"

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
        : m_iconFolder(iconFolder), m_problems(problems) {}

    void picture(const QString &name, int trial, int box, const QString &role)
    {
        if (name.isEmpty()) {
            add(trial, box, QStringLiteral("the %1 has no file name").arg(role));
            return;
        }
        if (!QFileInfo(QDir(m_iconFolder).filePath(name)).isFile())
            add(trial, box, QStringLiteral("the %1 \"%2\" is missing from %3")
                                .arg(role, name, QDir::toNativeSeparators(m_iconFolder)));
    }

    void add(int trial, int box, const QString &text) { m_problems.append({trial, box, text}); }

private:
    QString m_iconFolder;
    QList<ClusterProblem> &m_problems;
};

} // namespace

QString ClusterProblem::describe() const
{
    QString where;
    if (trial >= 0)
        where = QStringLiteral("trial %1").arg(trial + 1);
    if (box > 0)
        where += QStringLiteral(", box %1").arg(box);
    return where.isEmpty() ? text : where + QStringLiteral(": ") + text;
}

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

        if (auto problem = targetProblem(cluster, t))
            problems.append(std::move(*problem));
        const QString &screenSize = cluster.Trials[std::size_t(t)].ScreenSize;
        const double percent = leadingNumber(screenSize);
        if (!(percent >= 1 && percent <= 100))
            check.add(t, 0, QStringLiteral("the screen size \"%1\" is not between 1 and 100 percent")
                                .arg(screenSize));

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

} // namespace kelvane
