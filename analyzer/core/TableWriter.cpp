#include "TableWriter.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"

#include <algorithm>
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

QString measureTitle(const QString &label, int measure)
{
    return label + u'_' + measureNames[std::size_t(measure)];
}

TableWriter::TableWriter(bool includeTitles, const QLocale &locale) : m_includeTitles(includeTitles)
{
    QChar unmappable;
    m_decimalPoint = toWindows1252(locale.decimalPoint(), &unmappable);
    m_decimalPointUnmappable = !unmappable.isNull();
}

void TableWriter::add(const SubjectResult &subject)
{
    m_mostClusters = std::max(m_mostClusters, subject.clusters.size());
    QList<const ClusterMeasures *> cells;
    cells.reserve(subject.clusters.size());
    for (const ClusterMeasures &cluster : subject.clusters)
        cells.append(&cluster);
    appendRow(subject, cells);
}

void TableWriter::add(const SubjectResult &subject, const QList<int> &clusterAt)
{
    QList<const ClusterMeasures *> cells;
    cells.reserve(clusterAt.size());
    for (const int c : clusterAt)
        cells.append(c >= 0 ? &subject.clusters[c] : nullptr);
    appendRow(subject, cells);
}

void TableWriter::appendRow(const SubjectResult &subject, const QList<const ClusterMeasures *> &cells)
{
    const bool mapped = appendSubject(subject.subject);
    appendCells(subject.clusters.size(), cells);
    // A measure is written with the locale's separator, which the code page may lack.
    if ((!mapped || (m_decimalPointUnmappable && !subject.clusters.isEmpty())) && m_unmappable.isEmpty())
        m_unmappable = subject.subject;
}

void TableWriter::appendCells(qsizetype clusterCount, const QList<const ClusterMeasures *> &cells)
{
    // The rest of the row is written straight into the table's bytes, which grow by at
    // most what the row can take and are cut back to what it took.
    const qsizetype measureSpace = fixedDecimalsSpace(4, m_decimalPoint.size()) + 1;
    const qsizetype start = m_rows.size();
    m_rows.resize(start + 1 + NumberFormSpace + 1 + rowEnd.size()
                   + cells.size() * (2 * (NumberFormSpace + 1) + 5 * measureSpace));
    char *out = m_rows.data() + start;
    *out++ = '\t';
    out = writeNumberForm(out, clusterCount);
    *out++ = '\t';
    for (const ClusterMeasures *cluster : cells) {
        if (!cluster) {
            out = std::fill_n(out, MeasuresPerCluster, '\t');
            continue;
        }
        out = writeNumberForm(out, cluster->trials);
        *out++ = '\t';
        out = writeNumberForm(out, cluster->boxes);
        *out++ = '\t';
        for (const std::optional<double> &value : {cluster->open, cluster->wErr, std::optional(cluster->bErr),
                                                   std::optional(cluster->strategy)}) {
            if (value)
                out = writeFixedDecimals(out, *value, 3, m_decimalPoint);
            *out++ = '\t';
        }
        if (cluster->normalizedLevenshtein)
            out = writeFixedDecimals(out, *cluster->normalizedLevenshtein, 4, m_decimalPoint);
        *out++ = '\t';
    }
    out = std::copy_n(rowEnd.data(), rowEnd.size(), out);
    m_rows.resize(out - m_rows.constData());
}

QByteArray TableWriter::bytes() const
{
    return titleRow() + m_rows;
}

QByteArray TableWriter::titleRow() const
{
    if (!m_includeTitles || m_rows.isEmpty())
        return {};
    QByteArray table = "Subject\tClusters\t";
    const qsizetype groups = m_labels.isEmpty() ? m_mostClusters : m_labels.size();
    for (int c = 1; c <= groups; ++c) {
        for (int m = 0; m < MeasuresPerCluster; ++m) {
            table += m_labels.isEmpty() ? measureTitle(c, m).toLatin1()
                                        : toWindows1252(measureTitle(m_labels[c - 1], m));
            table += '\t';
        }
    }
    table += QByteArrayView(rowEnd.data(), rowEnd.size());
    return table;
}

bool TableWriter::appendSubject(const QString &subject)
{
    // Most names are plain ASCII, which is the same in the code page.
    const bool ascii = std::all_of(subject.begin(), subject.end(),
                                   [](QChar c) { return c.unicode() < 0x80; });
    if (ascii) {
        const qsizetype start = m_rows.size();
        m_rows.resize(start + subject.size());
        std::transform(subject.begin(), subject.end(), m_rows.data() + start,
                       [](QChar c) { return char(c.unicode()); });
        return true;
    }
    QChar unmappable;
    m_rows += toWindows1252(subject, &unmappable);
    return unmappable.isNull();
}

} // namespace kelvane::analyzer
