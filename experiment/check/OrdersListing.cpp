#include "kelvane/check/OrdersListing.h"

#include "kelvane/formats/ExperimentFile.h"

namespace kelvane {

OrdersListing listOrders(const QString &experimentPath, OrderScheme scheme)
{
    OrdersListing listing;
    const FileResult<QStringList> entries = readExperimentFile(experimentPath);
    if (!entries) {
        listing.problem = entries.error().description;
        return listing;
    }
    const ExperimentBlocks blocks = splitIntoBlocks(*entries);
    const OrderPlan plan = planOrders(int(blocks.blocks.size()), scheme);
    if (!plan.refusal.isEmpty()) {
        listing.problem = experimentPath + QStringLiteral(": ") + plan.refusal;
        return listing;
    }
    const QStringList labels = clusterLabels(blocks);
    for (qsizetype i = 0; i < plan.orders.size(); ++i) {
        QStringList line{QString::number(i + 1)};
        for (const int block : plan.orders.at(i))
            line.append(labels.at(block));
        listing.text += line.join(u'\t') + u'\n';
    }
    return listing;
}

} // namespace kelvane
