#pragma once
// The tab-delimited output table: one row per subject, optionally preceded by a row
// of column titles, in Windows-1252 with every row ended by CR CR LF.

#include "Measures.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace kelvane::analyzer {

// "1Trials", "1Boxes", ... "1NormalizedLevenshtein" for cluster 1.
QString measureTitle(int cluster, int measure);
// "name_Trials", ... for the group of a cluster named `label`.
QString measureTitle(const QString &label, int measure);
inline constexpr int MeasuresPerCluster = 7;

class TableWriter
{
public:
    // The measures are written with the decimal separator of `locale`.
    TableWriter(bool includeTitles, const QLocale &locale);

    // The subject's clusters in the order of its file.
    void add(const SubjectResult &subject);

    // Lays the clusters out in named groups instead: the titles name the groups, and
    // each row gives the cluster of `clusterAt` in each group (-1: empty fields).
    void nameColumns(const QStringList &labels) { m_labels = labels; }
    void add(const SubjectResult &subject, const QList<int> &clusterAt);

    // The rows in the order added; before them, when titles were asked for and there is
    // a row, the title row, which lists as many clusters as the longest row has, so that
    // every column of every row has its title.
    QByteArray bytes() const;
    // The same in two parts, so that a large table is written without a copy of it.
    QByteArray titleRow() const;
    const QByteArray &rows() const { return m_rows; }
    // The first subject name that had characters Windows-1252 lacks ("?" was written).
    const QString &unmappableSubject() const { return m_unmappable; }

private:
    // False when the name has characters the code page lacks.
    bool appendSubject(const QString &subject);
    void appendRow(const SubjectResult &subject, const QList<const ClusterMeasures *> &cells);
    // The row's fields after the subject; a null cell leaves its seven fields empty.
    void appendCells(qsizetype clusterCount, const QList<const ClusterMeasures *> &cells);

    bool m_includeTitles;
    QByteArray m_decimalPoint; // the locale's separator in Windows-1252
    bool m_decimalPointUnmappable = false;
    qsizetype m_mostClusters = 0;
    QByteArray m_rows;
    QString m_unmappable;
    QStringList m_labels;
};

} // namespace kelvane::analyzer
