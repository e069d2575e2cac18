#pragma once
// The few numbers per subject and cluster that the study page plots and tabulates,
// gathered while the files are read, so the study page needs no second look at any
// subject.

#include "SubjectSummary.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace kelvane::analyzer::report {

struct MeanAndError
{
    double mean = 0;
    double standardError = 0; // 0 with fewer than two values
    int count = 0;
};

// The standard error is the sample standard deviation (n - 1) over the root of n.
MeanAndError meanAndError(const QList<double> &values);
// The middle value; of an even number of values, the mean of the two middle ones.
double median(QList<double> values);

// One value per subject that has clusters of a problem size.
struct LevelValues
{
    QList<double> betweenSearchErrors;
    QList<double> withinSearchErrors;
    QList<double> doubleErrors;
    QList<double> totalErrors;
    QList<double> meanFirstResponseS; // of the subjects that have one
    QList<double> meanSearchTimeS;    // likewise
};

class StudySummary
{
public:
    void addSubject(const QString &file, const SubjectSummary &summary);
    // One cluster of the subject added last: its name, its number of boxes and its
    // within- and between-search error counts.
    void addCluster(const QString &name, int boxes, int withinErrors, int betweenErrors);

    int subjects() const { return int(m_files.size()); }
    const QStringList &files() const { return m_files; }
    // The cluster names in the order they first appear.
    const QStringList &clusterNames() const { return m_names; }
    // Between-search errors of every cluster named `clusterNames()[index]`.
    const QList<double> &betweenOf(qsizetype index) const { return m_betweenByName[index]; }

    struct ByBoxes
    {
        QList<double> within;
        QList<double> between;
    };
    // Per cluster, pooled over subjects, by box count.
    const std::map<int, ByBoxes> &byBoxCount() const { return m_byBoxes; }
    // Per subject, by problem size.
    const std::map<int, LevelValues> &levels() const { return m_levels; }

private:
    QStringList m_files;
    QStringList m_names;
    QList<QList<double>> m_betweenByName;
    std::map<int, ByBoxes> m_byBoxes;
    std::map<int, LevelValues> m_levels;
};

} // namespace kelvane::analyzer::report
