#pragma once
// The analyzer's reading, distance and table routines as they were before they were
// rewritten for speed, as the reference that tst_analyzer_differential holds the
// present routines to. Unchanged but for their namespace and for taking the means,
// which later became optional, as always present: these routines refused every
// cluster that had no trials. Not part of any program.

#include "Measures.h"
#include "ResultReader.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringView>

namespace kelvane::analyzer::reference {

double levenshtein(QStringView first, QStringView second);

ReadOutcome readResultText(const QString &path, QStringView text);

class TableWriter
{
public:
    TableWriter(bool includeTitles, const QLocale &locale);
    void add(const SubjectResult &subject);
    const QByteArray &bytes() const { return m_bytes; }
    const QString &unmappableSubject() const { return m_unmappable; }

private:
    bool appendRow(const QString &row);

    bool m_includeTitles;
    QLocale m_locale;
    bool m_first = true;
    QByteArray m_bytes;
    QString m_unmappable;
};

} // namespace kelvane::analyzer::reference
