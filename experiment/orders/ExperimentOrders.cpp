#include "kelvane/orders/ExperimentOrders.h"

#include "kelvane/Dialogs.h"
#include "kelvane/formats/ExperimentFile.h"

#include <QMap>
#include <QSet>

#include <algorithm>
#include <numeric>

namespace kelvane {

namespace {

// The first row of a Williams square, 0, 1, k-1, 2, k-2, ...: its steps from one
// position to the next are 1, -2, 3, -4, ..., all different modulo k when k is even,
// which is what makes every ordered pair of neighbours appear once across the rows.
BlockOrder williamsFirstRow(int k)
{
    BlockOrder row{0};
    for (int low = 1, high = k - 1; row.size() < k;) {
        row.append(low++);
        if (row.size() < k)
            row.append(high--);
    }
    return row;
}

QList<BlockOrder> balancedLatinSquare(int k)
{
    const BlockOrder first = williamsFirstRow(k);
    QList<BlockOrder> orders;
    for (int shift = 0; shift < k; ++shift) {
        BlockOrder row;
        for (const int block : first)
            row.append((block + shift) % k);
        orders.append(row);
    }
    if (k % 2 == 1) {
        // An odd square balances neighbours only together with its mirror.
        for (qsizetype i = 0; i < k; ++i) {
            BlockOrder mirrored = orders.at(i);
            std::reverse(mirrored.begin(), mirrored.end());
            orders.append(mirrored);
        }
    }
    return orders;
}

QList<BlockOrder> allOrders(int k)
{
    BlockOrder order(k);
    std::iota(order.begin(), order.end(), 0);
    QList<BlockOrder> orders;
    do
        orders.append(order);
    while (std::next_permutation(order.begin(), order.end()));
    return orders;
}

BlockOrder asListed(int k)
{
    BlockOrder order(k);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

} // namespace

ExperimentBlocks splitIntoBlocks(const QStringList &entries, Instructions instructions)
{
    ExperimentBlocks split;
    QStringList messages;
    for (const QString &entry : entries) {
        if (isMessageEntry(entry)) {
            messages.append(entry);
            continue;
        }
        if (split.blocks.isEmpty() && instructions == Instructions::StayFirst) {
            split.leadingMessages = messages;
            messages.clear();
        }
        split.blocks.append({messages, entry});
        messages.clear();
    }
    split.trailingMessages = messages;
    return split;
}

QStringList entriesInOrder(const ExperimentBlocks &blocks, const BlockOrder &order)
{
    QStringList entries = blocks.leadingMessages;
    for (const int index : order) {
        const ExperimentBlock &block = blocks.blocks.at(index);
        entries += block.messages;
        entries.append(block.cluster);
    }
    return entries + blocks.trailingMessages;
}

qint64 orderCount(int blockCount, OrderScheme scheme)
{
    switch (scheme) {
    case OrderScheme::BalancedLatinSquare:
        return blockCount % 2 == 0 ? blockCount : 2 * qint64(blockCount);
    case OrderScheme::AllOrders: {
        qint64 count = 1;
        for (int factor = 2; factor <= blockCount && count <= std::numeric_limits<qint32>::max(); ++factor)
            count *= factor;
        return count;
    }
    case OrderScheme::AsListed:
        return 1;
    }
    return 0;
}

OrderPlan planOrders(int blockCount, OrderScheme scheme)
{
    OrderPlan plan;
    if (blockCount < 2) {
        plan.refusal = QStringLiteral("Orders need at least two clusters in the list; it holds %1.")
                           .arg(blockCount == 0 ? QStringLiteral("none") : QStringLiteral("one"));
        return plan;
    }
    switch (scheme) {
    case OrderScheme::BalancedLatinSquare:
        plan.orders = balancedLatinSquare(blockCount);
        break;
    case OrderScheme::AllOrders:
        if (orderCount(blockCount, scheme) > MostOrders) {
            plan.refusal = QStringLiteral("All orders of %1 clusters would be %2 experiment files; at most %3 "
                                          "are made (up to 6 clusters). The balanced Latin square gives %4.")
                               .arg(blockCount)
                               .arg(orderCount(blockCount, scheme))
                               .arg(MostOrders)
                               .arg(orderCount(blockCount, OrderScheme::BalancedLatinSquare));
            return plan;
        }
        plan.orders = allOrders(blockCount);
        break;
    case OrderScheme::AsListed:
        plan.orders = {asListed(blockCount)};
        break;
    }
    return plan;
}

QString schemeName(OrderScheme scheme)
{
    switch (scheme) {
    case OrderScheme::BalancedLatinSquare: return QStringLiteral("balanced");
    case OrderScheme::AllOrders: return QStringLiteral("all");
    case OrderScheme::AsListed: return QStringLiteral("listed");
    }
    return {};
}

std::optional<OrderScheme> schemeFromName(const QString &name)
{
    for (const OrderScheme scheme : {OrderScheme::BalancedLatinSquare, OrderScheme::AllOrders, OrderScheme::AsListed})
        if (schemeName(scheme) == name)
            return scheme;
    return std::nullopt;
}

QStringList clusterLabels(const ExperimentBlocks &blocks)
{
    QStringList titles;
    QSet<QString> paths;
    for (const ExperimentBlock &block : blocks.blocks) {
        titles.append(fileTitle(block.cluster));
        paths.insert(block.cluster);
    }
    if (QSet<QString>(titles.cbegin(), titles.cend()).size() == paths.size())
        return titles;
    QStringList whole;
    for (const ExperimentBlock &block : blocks.blocks)
        whole.append(block.cluster);
    return whole;
}

OrdersPreview previewOrders(const ExperimentBlocks &blocks, const QList<BlockOrder> &orders)
{
    OrdersPreview preview;
    const QStringList labels = clusterLabels(blocks);
    const auto quoted = [](const QString &entry) { return u'"' + messageOfEntry(entry).trimmed() + u'"'; };
    QMap<int, QStringList> openedBy; // block -> the orders it opens
    for (qsizetype i = 0; i < orders.size(); ++i) {
        const QString number = QString::number(i + 1);
        QStringList steps;
        for (const QString &message : blocks.leadingMessages)
            steps.append(quoted(message));
        for (const int index : orders.at(i)) {
            for (const QString &message : blocks.blocks.at(index).messages)
                steps.append(quoted(message));
            steps.append(labels.at(index));
        }
        preview.lines.append(QStringLiteral("%1: %2").arg(number, steps.join(QStringLiteral(", "))));
        // The first listed block's messages are the instructions wherever they travel.
        const int first = orders.at(i).value(0);
        if (first > 0 && !blocks.blocks.at(first).messages.isEmpty())
            openedBy[first].append(number);
    }
    for (auto it = openedBy.cbegin(); it != openedBy.cend(); ++it) {
        const QString message = quoted(blocks.blocks.at(it.key()).messages.constLast());
        QString warning = it->size() == 1 ? QStringLiteral("Order %1 begins with %2, a message written for the "
                                                           "middle of the session")
                                                .arg(it->constFirst(), message)
                                          : QStringLiteral("Orders %1 begin with %2, a message written for the "
                                                           "middle of the session")
                                                .arg(it->join(QStringLiteral(", ")), message);
        if (!blocks.leadingMessages.isEmpty())
            warning += QStringLiteral("; the subject sees it in place of the instructions");
        preview.warnings.append(warning + u'.');
    }
    return preview;
}

} // namespace kelvane
