#pragma once
// The few numbers per subject and cluster that the study page plots, gathered while the
// files are read, so the study page needs no second look at any subject.

#include <QList>
#include <QString>
#include <QStringList>

#include <map>

namespace kelvane::analyzer::report {

struct MeanAndError
{
    double mean = 0;
    double standardError = 0; // 0 with fewer than two values
    int count = 0;
};

MeanAndError meanAndError(const QList<double> &values);
double median(QList<double> values);

class StudySummary
{
public:
    void addSubject(const QString &file);
    // One cluster of the subject added last: its position in the file (from 1), its
    // number of boxes and its within- and between-search error counts.
    void addCluster(int position, int boxes, int withinErrors, int betweenErrors);

    int subjects() const { return int(m_files.size()); }
    int clusterPositions() const { return int(m_betweenByPosition.size()); }
    const QStringList &files() const { return m_files; }
    // Between-search errors of every subject that has cluster position `position`.
    const QList<double> &betweenAt(int position) const { return m_betweenByPosition[position - 1]; }

    struct ByBoxes
    {
        QList<double> within;
        QList<double> between;
    };
    const std::map<int, ByBoxes> &byBoxCount() const { return m_byBoxes; }

private:
    QStringList m_files;
    QList<QList<double>> m_betweenByPosition;
    std::map<int, ByBoxes> m_byBoxes;
};

} // namespace kelvane::analyzer::report
