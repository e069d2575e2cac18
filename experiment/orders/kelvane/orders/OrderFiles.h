#pragma once
// A set of orders on disk: NAME-1.bex, NAME-2.bex, ... (ordinary experiment files, one
// per order) and NAME-orders.csv, which says which subject gets which order.

#include "kelvane/FileSaving.h"
#include "kelvane/orders/ExperimentOrders.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvane {

// The subject table lists at least this many subjects, and always whole rounds of the
// orders, so a usual lab sample can be read off without counting and every order is
// used equally often within the rows listed. Subjects beyond go on wrapping around.
inline constexpr int SubjectRowsAtLeast = 100;

// The smallest multiple of `orderCount` that is at least SubjectRowsAtLeast.
int subjectRowCount(int orderCount);

// Subject `subject` (1, 2, ...) takes order ((subject - 1) mod orderCount) + 1.
int orderOfSubject(int subject, int orderCount);

// Where a set goes, named after the experiment file chosen for it: "/s/study.bex" gives
// the stem "/s/study", the files "/s/study-1.bex", ... and "/s/study-orders.csv".
class OrderFileNames
{
public:
    explicit OrderFileNames(const QString &chosenFile);

    QString stem() const { return m_stem; }
    QString experimentFile(int order) const; // 1-based
    QString tableFile() const;
    // The files of an earlier set with this stem that exist now: the table and every
    // NAME-<number>.bex, in number order.
    QStringList existingFiles() const;

private:
    QString m_stem;
};

// "subject,order,file,cluster 1,...,cluster k", then one row per subject; each value
// quoted where CSV needs it. `labels` name the blocks' clusters; `fileNames` the order
// files, without folder.
QString orderTableText(const QList<BlockOrder> &orders, const QStringList &labels, const QStringList &fileNames);

struct OrderSetSaved
{
    bool saved = false;
    FileError error;            // when not saved: the file that failed and why
    QStringList staleRemoved;   // numbered files of an earlier, larger set that were removed
    QStringList staleKept;      // ... that could not be removed
};

// Writes the whole set or nothing: when a file fails, every file already written is put
// back as it was (or removed when it is new), and `error` names the file that failed.
// Numbered files of an earlier set beyond the new orders are removed afterwards, so no
// file that the table does not list is left looking like part of the set.
OrderSetSaved saveOrderSet(const OrderFileNames &names, const ExperimentBlocks &blocks,
                           const QList<BlockOrder> &orders);

} // namespace kelvane
