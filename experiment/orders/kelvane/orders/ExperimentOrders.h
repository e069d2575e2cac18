#pragma once
// Orders of an experiment's clusters for counterbalancing: which cluster comes first,
// second, ... for each group of subjects, so that practice and fatigue do not always
// fall on the same clusters. Plain functions over the event list; no files, no widgets.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

// A cluster entry together with the message entries directly before it: the message is
// that cluster's introduction, so it moves with it.
struct ExperimentBlock
{
    QStringList messages;
    QString cluster;
};

struct ExperimentBlocks
{
    // Messages before the first cluster when they stay first: the instructions, at the
    // start of every order.
    QStringList leadingMessages;
    QList<ExperimentBlock> blocks;
    // Messages after the last cluster: never shown by a run, kept at the end as they were.
    QStringList trailingMessages;
};

// What becomes of the messages before the first cluster.
enum class Instructions { StayFirst, TravelWithCluster };

ExperimentBlocks splitIntoBlocks(const QStringList &entries, Instructions instructions = Instructions::StayFirst);

// One order: block indexes, each block once.
using BlockOrder = QList<int>;

// The event list with the leading messages first, the blocks in `order`, the trailing
// messages last.
QStringList entriesInOrder(const ExperimentBlocks &blocks, const BlockOrder &order);

enum class OrderScheme {
    // Williams design. Even k: k orders; each block once in every position and directly
    // after every other block exactly once. Odd k: that square and its mirror, 2k orders,
    // so each block follows every other exactly twice.
    BalancedLatinSquare,
    AllOrders,   // every permutation, in lexicographic order
    AsListed,    // the list as it is, one order
};

// Beyond this, "all orders" would mean more files than any lab can run through.
inline constexpr int MostOrders = 720;

struct OrderPlan
{
    QList<BlockOrder> orders;
    QString refusal; // why no orders were made; empty when there are orders
};

// Refuses fewer than two blocks, and all orders beyond MostOrders.
OrderPlan planOrders(int blockCount, OrderScheme scheme);

// How many orders the scheme gives for `blockCount` blocks (k! may be large: saturates).
qint64 orderCount(int blockCount, OrderScheme scheme);

// "balanced", "all", "listed": the names the command line takes.
QString schemeName(OrderScheme scheme);
std::optional<OrderScheme> schemeFromName(const QString &name);

// How each block's cluster is named in lists of orders: its file name without folder,
// or its whole path when two different paths share a file name.
QStringList clusterLabels(const ExperimentBlocks &blocks);

// What the researcher sees before the orders are written: one line per order with its
// clusters and messages as a run meets them, and a warning for each message written for
// the middle of the session that would open an order.
struct OrdersPreview
{
    QStringList lines;
    QStringList warnings;
};

OrdersPreview previewOrders(const ExperimentBlocks &blocks, const QList<BlockOrder> &orders);

} // namespace kelvane
