#pragma once
// The rows a compute run wrote, shown in the window: one row per subject, the measures as
// the table has them, sortable by any column. A double click on a cluster's measure asks
// for that subject's searches of that cluster.

#include "Measures.h"

#include <QLocale>
#include <QTableView>

class QSortFilterProxyModel;
class QStandardItemModel;

namespace kelvane::analyzer {

class ResultTableView : public QTableView
{
    Q_OBJECT

public:
    explicit ResultTableView(QWidget *parent = nullptr);

    // `paths[i]` is the result file of `results[i]`.
    void setResults(const QList<SubjectResult> &results, const QStringList &paths, const QLocale &locale);

    // The result file and cluster number (from 1) of the cell at `index` of the view.
    std::pair<QString, int> clusterAt(const QModelIndex &index) const;

signals:
    void clusterChosen(const QString &resultFile, int cluster);

private:
    QStandardItemModel *m_model;
    QSortFilterProxyModel *m_sorted;
};

} // namespace kelvane::analyzer
