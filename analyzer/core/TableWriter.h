#pragma once
// The tab-delimited output table: one row per subject, optionally preceded by a row
// of column titles, in Windows-1252 with every row ended by CR CR LF.

#include "Measures.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace kelvane::analyzer {

// "1Trials", "1Boxes", ... "1NormalizedLevenshtein" for cluster 1.
QString measureTitle(int cluster, int measure);
inline constexpr int MeasuresPerCluster = 7;

class TableWriter
{
public:
    // The measures are written with the decimal separator of `locale`.
    TableWriter(bool includeTitles, const QLocale &locale);

    // Adds the subject's row; before the first subject's row, the title row when
    // titles were asked for. The titles list the clusters of that first subject.
    void add(const SubjectResult &subject);

    const QByteArray &bytes() const { return m_bytes; }
    // The first subject name that had characters Windows-1252 lacks ("?" was written).
    const QString &unmappableSubject() const { return m_unmappable; }

private:
    void appendTitles(qsizetype clusters);
    // False when the name has characters the code page lacks.
    bool appendSubject(const QString &subject);

    bool m_includeTitles;
    QByteArray m_decimalPoint; // the locale's separator in Windows-1252
    bool m_decimalPointUnmappable = false;
    bool m_first = true;
    QByteArray m_bytes;
    QString m_unmappable;
};

} // namespace kelvane::analyzer
