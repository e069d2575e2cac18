#include "ClusterColumns.h"

#include <QFileInfo>
#include <QHash>

namespace kelvane::analyzer {

NamedColumns columnsByName(const QList<SubjectResult> &subjects)
{
    NamedColumns columns;
    // A name's k-th run (from 0) of a subject goes to the name's k-th group.
    QHash<QString, QList<int>> groupsOfName;
    for (const SubjectResult &subject : subjects) {
        QHash<QString, int> runsSoFar;
        QList<int> clusterAt(columns.labels.size(), -1);
        for (qsizetype c = 0; c < subject.clusters.size(); ++c) {
            const QString name = subject.clusterNames.value(c);
            const int run = runsSoFar[name]++;
            QList<int> &groups = groupsOfName[name];
            if (run == groups.size()) {
                groups.append(int(columns.labels.size()));
                columns.labels.append(run == 0 ? name : QStringLiteral("%1 (%2)").arg(name).arg(run + 1));
                clusterAt.append(-1);
            }
            clusterAt[groups[run]] = int(c);
        }
        columns.clusterAt.append(clusterAt);
    }
    for (QList<int> &clusterAt : columns.clusterAt)
        clusterAt.resize(columns.labels.size(), -1);
    return columns;
}

void PositionNames::add(const QString &path, const SubjectResult &subject)
{
    if (!m_warning.isEmpty())
        return;
    for (qsizetype c = 0; c < subject.clusterNames.size(); ++c) {
        const QString &name = subject.clusterNames[c];
        if (c == m_names.size()) {
            m_names.append(name);
            m_paths.append(path);
        } else if (m_names[c] != name) {
            m_warning = QStringLiteral("Cluster position %1 holds \"%2\" in %3 but \"%4\" in %5: the wide "
                                       "table's columns of that position mix clusters. clusters.csv of the "
                                       "tidy tables names the cluster of every row, and a table laid out by "
                                       "cluster name lines them up.")
                            .arg(c + 1)
                            .arg(m_names[c], QFileInfo(m_paths[c]).fileName(), name, QFileInfo(path).fileName());
            return;
        }
    }
}

} // namespace kelvane::analyzer
