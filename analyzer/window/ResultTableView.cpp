#include "ResultTableView.h"

#include "MeasureTexts.h"
#include "TableWriter.h"

#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

namespace kelvane::analyzer {

namespace {

constexpr int SortRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;
constexpr int FixedColumns = 2; // Subject, Clusters

QList<std::optional<double>> measureValues(const ClusterMeasures &cluster)
{
    return {double(cluster.trials), double(cluster.boxes), cluster.open, cluster.wErr,
            cluster.bErr, cluster.strategy, cluster.normalizedLevenshtein};
}

} // namespace

ResultTableView::ResultTableView(QWidget *parent)
    : QTableView(parent), m_model(new QStandardItemModel(this)), m_sorted(new QSortFilterProxyModel(this))
{
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(SortRole);
    setModel(m_sorted);
    setSortingEnabled(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setAccessibleName(QStringLiteral("Measures written, one row per subject"));
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        const auto [path, cluster] = clusterAt(index);
        if (!path.isEmpty())
            emit clusterChosen(path, cluster);
    });
}

void ResultTableView::setResults(const QList<SubjectResult> &results, const QStringList &paths,
                                 const QLocale &locale)
{
    qsizetype mostClusters = 0;
    for (const SubjectResult &result : results)
        mostClusters = std::max(mostClusters, result.clusters.size());
    m_model->clear();
    QStringList titles{QStringLiteral("Subject"), QStringLiteral("Clusters")};
    for (int c = 1; c <= mostClusters; ++c) {
        for (int m = 0; m < MeasuresPerCluster; ++m)
            titles << measureTitle(c, m);
    }
    m_model->setHorizontalHeaderLabels(titles);
    for (qsizetype r = 0; r < results.size(); ++r) {
        const SubjectResult &result = results[r];
        QList<QStandardItem *> row;
        auto *subject = new QStandardItem(result.subject);
        subject->setData(result.subject, SortRole);
        subject->setData(paths.value(r), PathRole);
        row << subject;
        auto *clusters = new QStandardItem(QString::number(result.clusters.size()));
        clusters->setData(double(result.clusters.size()), SortRole);
        row << clusters;
        for (const ClusterMeasures &cluster : result.clusters) {
            const QStringList texts = measureTexts(cluster, locale);
            const QList<std::optional<double>> values = measureValues(cluster);
            for (int m = 0; m < MeasuresPerCluster; ++m) {
                auto *item = new QStandardItem(texts[m]);
                // Numbers sort as numbers; a measure the cluster lacks sorts first.
                item->setData(values[m] ? QVariant(*values[m]) : QVariant(-1e300), SortRole);
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                row << item;
            }
        }
        m_model->appendRow(row);
    }
    m_sorted->sort(-1);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    resizeColumnsToContents();
}

std::pair<QString, int> ResultTableView::clusterAt(const QModelIndex &index) const
{
    if (!index.isValid())
        return {};
    const QModelIndex source = m_sorted->mapToSource(index);
    const QString path = m_model->item(source.row(), 0)->data(PathRole).toString();
    const int cluster = source.column() < FixedColumns ? 1 : (source.column() - FixedColumns) / MeasuresPerCluster + 1;
    return {path, cluster};
}

} // namespace kelvane::analyzer
