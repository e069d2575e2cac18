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

TableWriter::TableWriter(bool includeTitles, const QLocale &locale) : m_includeTitles(includeTitles)
{
    QChar unmappable;
    m_decimalPoint = toWindows1252(locale.decimalPoint(), &unmappable);
    m_decimalPointUnmappable = !unmappable.isNull();
}

void TableWriter::add(const SubjectResult &subject)
{
    m_mostClusters = std::max(m_mostClusters, subject.clusters.size());
    bool mapped = appendSubject(subject.subject);
    // The rest of the row is written straight into the table's bytes, which grow by at
    // most what the row can take and are cut back to what it took.
    const qsizetype measureSpace = fixedDecimalsSpace(4, m_decimalPoint.size()) + 1;
    const qsizetype start = m_rows.size();
    m_rows.resize(start + 1 + NumberFormSpace + 1 + rowEnd.size()
                   + subject.clusters.size() * (2 * (NumberFormSpace + 1) + 5 * measureSpace));
    char *out = m_rows.data() + start;
    *out++ = '\t';
    out = writeNumberForm(out, subject.clusters.size());
    *out++ = '\t';
    for (const ClusterMeasures &cluster : subject.clusters) {
        out = writeNumberForm(out, cluster.trials);
        *out++ = '\t';
        out = writeNumberForm(out, cluster.boxes);
        *out++ = '\t';
        for (const std::optional<double> &value : {cluster.open, cluster.wErr, std::optional(cluster.bErr),
                                                   std::optional(cluster.strategy)}) {
            if (value)
                out = writeFixedDecimals(out, *value, 3, m_decimalPoint);
            *out++ = '\t';
        }
        if (cluster.normalizedLevenshtein)
            out = writeFixedDecimals(out, *cluster.normalizedLevenshtein, 4, m_decimalPoint);
        *out++ = '\t';
        mapped = mapped && !m_decimalPointUnmappable;
    }
    out = std::copy_n(rowEnd.data(), rowEnd.size(), out);
    m_rows.resize(out - m_rows.constData());
    if (!mapped && m_unmappable.isEmpty())
        m_unmappable = subject.subject;
}

QByteArray TableWriter::bytes() const
{
    if (!m_includeTitles || m_rows.isEmpty())
        return m_rows;
    QByteArray table = "Subject\tClusters\t";
    for (int c = 1; c <= m_mostClusters; ++c) {
        for (int m = 0; m < MeasuresPerCluster; ++m) {
            table += measureTitle(c, m).toLatin1();
            table += '\t';
        }
    }
    table += QByteArrayView(rowEnd.data(), rowEnd.size());
    return table + m_rows;
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
