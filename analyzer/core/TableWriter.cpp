#include "TableWriter.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"

#include <array>

namespace kelvane::analyzer {

namespace {

constexpr std::array<QLatin1StringView, MeasuresPerCluster> measureNames{
    QLatin1StringView("Trials"), QLatin1StringView("Boxes"), QLatin1StringView("Open"),
    QLatin1StringView("W_Err"), QLatin1StringView("B_err"),
    QLatin1StringView("FeigenbaumStrategy"), QLatin1StringView("NormalizedLevenshtein")};

// Rows end in CR CR LF, which statistics packages read as one line end.
constexpr QLatin1StringView rowEnd("\r\r\n");

} // namespace

QString measureTitle(int cluster, int measure)
{
    return QString::number(cluster) + measureNames[std::size_t(measure)];
}

TableWriter::TableWriter(bool includeTitles, const QLocale &locale)
    : m_includeTitles(includeTitles), m_locale(locale)
{
}

void TableWriter::add(const SubjectResult &subject)
{
    if (m_first && m_includeTitles) {
        QString titles = QStringLiteral("Subject\tClusters\t");
        for (int c = 1; c <= subject.clusters.size(); ++c) {
            for (int m = 0; m < MeasuresPerCluster; ++m)
                titles += measureTitle(c, m) + u'\t';
        }
        appendRow(titles);
    }
    m_first = false;

    QString row = subject.subject + u'\t' + numberForm(subject.clusters.size()) + u'\t';
    for (const ClusterMeasures &cluster : subject.clusters) {
        row += numberForm(cluster.trials) + u'\t';
        row += numberForm(cluster.boxes) + u'\t';
        for (const double value : {cluster.open, cluster.wErr, cluster.bErr, cluster.strategy})
            row += fixedDecimals(value, 3, m_locale) + u'\t';
        if (cluster.normalizedLevenshtein)
            row += fixedDecimals(*cluster.normalizedLevenshtein, 4, m_locale);
        row += u'\t';
    }
    if (!appendRow(row) && m_unmappable.isEmpty())
        m_unmappable = subject.subject;
}

bool TableWriter::appendRow(const QString &row)
{
    QChar unmappable;
    m_bytes += toWindows1252(row, &unmappable);
    m_bytes += QByteArrayView(rowEnd.data(), rowEnd.size());
    return unmappable.isNull();
}

} // namespace kelvane::analyzer
