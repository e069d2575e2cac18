#include "kelvane/runexp/OrdersCommand.h"

#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/orders/ExperimentOrders.h"
#include "kelvane/orders/OrderFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

namespace {

const QString Title = QStringLiteral("Orders");
const QList<OrderScheme> OfferedSchemes{OrderScheme::BalancedLatinSquare, OrderScheme::AllOrders,
                                        OrderScheme::AsListed};

QString schemeCaption(OrderScheme scheme, int blockCount)
{
    const qint64 count = orderCount(blockCount, scheme);
    const QString orders = count == 1 ? QStringLiteral("1 order") : QStringLiteral("%1 orders").arg(count);
    switch (scheme) {
    case OrderScheme::BalancedLatinSquare: return QStringLiteral("Balanced Latin square: ") + orders;
    case OrderScheme::AllOrders: return QStringLiteral("All orders: ") + orders;
    case OrderScheme::AsListed: return QStringLiteral("As listed: ") + orders;
    }
    return {};
}

// At most a screenful of names; the rest are counted.
QString fileList(const QStringList &paths)
{
    constexpr qsizetype shown = 8;
    QStringList lines;
    for (qsizetype i = 0; i < paths.size() && i < shown; ++i)
        lines.append(QDir::toNativeSeparators(paths.at(i)));
    if (paths.size() > shown)
        lines.append(QStringLiteral("and %1 more").arg(paths.size() - shown));
    return lines.join(u'\n');
}

QString savedText(const OrderFileNames &names, int orderCount, const OrderSetSaved &saved)
{
    const QString folder = QDir::toNativeSeparators(QFileInfo(names.tableFile()).absolutePath());
    QString text = orderCount == 1
                       ? QStringLiteral("1 order was saved in %1: %2 and %3.")
                             .arg(folder, fileTitle(names.experimentFile(1)), fileTitle(names.tableFile()))
                       : QStringLiteral("%1 orders were saved in %2: %3 to %4 and %5.")
                             .arg(orderCount)
                             .arg(folder, fileTitle(names.experimentFile(1)),
                                  fileTitle(names.experimentFile(orderCount)), fileTitle(names.tableFile()));
    if (!saved.staleRemoved.isEmpty())
        text += QStringLiteral("\n\nRemoved from the earlier set of orders:\n") + fileList(saved.staleRemoved);
    if (!saved.staleKept.isEmpty())
        text += QStringLiteral("\n\nThese files of the earlier set of orders could not be removed; they are not "
                               "part of the new set:\n")
                + fileList(saved.staleKept);
    return text;
}

} // namespace

OrdersOutcome makeOrderFiles(Dialogs &dialogs, const OrdersRequest &request)
{
    const int blockCount = int(splitIntoBlocks(request.entries).blocks.size());
    if (blockCount < 2) {
        dialogs.message(Title, planOrders(blockCount, OrderScheme::AsListed).refusal, MessageIcon::Exclamation);
        return OrdersOutcome::Refused;
    }

    QStringList captions;
    for (const OrderScheme scheme : OfferedSchemes)
        captions.append(schemeCaption(scheme, blockCount));
    const std::optional<int> chosenScheme = dialogs.chooseItem(Title, QStringLiteral("Make the orders as:"), captions, 0);
    if (!chosenScheme || *chosenScheme < 0 || *chosenScheme >= OfferedSchemes.size())
        return OrdersOutcome::Cancelled;
    const OrderPlan plan = planOrders(blockCount, OfferedSchemes.at(*chosenScheme));
    if (!plan.refusal.isEmpty()) {
        dialogs.message(Title, plan.refusal, MessageIcon::Exclamation);
        return OrdersOutcome::Refused;
    }
    Instructions instructions = Instructions::StayFirst;
    if (request.preview) {
        const std::optional<Instructions> chosen = request.preview(request.entries, plan.orders);
        if (!chosen)
            return OrdersOutcome::Cancelled;
        instructions = *chosen;
    }
    const ExperimentBlocks blocks = splitIntoBlocks(request.entries, instructions);

    FileDialogRequest save;
    save.title = QStringLiteral("Save Orders");
    save.filter = ExperimentFilter;
    if (request.experimentFile.isEmpty()) {
        save.initialFolder = request.fallbackFolder;
        save.kind = FolderKind::Experiments;
    } else {
        save.initialFolder = QFileInfo(request.experimentFile).absolutePath();
        save.proposedName = fileTitle(request.experimentFile);
    }
    const std::optional<QString> chosen = dialogs.saveFile(save);
    if (!chosen)
        return OrdersOutcome::Cancelled;
    const OrderFileNames names(*chosen);

    if (const QStringList existing = names.existingFiles(); !existing.isEmpty()) {
        // No is the default: these may be the orders subjects are already running.
        const Answer answer = dialogs.message(
            Title,
            QStringLiteral("These order files already exist:\n%1\n\nWould you like to replace them?")
                .arg(fileList(existing)),
            MessageIcon::Question, MessageButtons::YesNo, Answer::No);
        if (answer != Answer::Yes)
            return OrdersOutcome::KeptEarlierFiles;
    }

    const OrderSetSaved saved = saveOrderSet(names, blocks, plan.orders);
    if (!saved.saved) {
        dialogs.message(Title,
                        QStringLiteral("The orders were not saved, and no order file was changed.\n\n")
                            + saved.error.description,
                        MessageIcon::Critical);
        return OrdersOutcome::NotSaved;
    }
    dialogs.message(Title, savedText(names, int(plan.orders.size()), saved),
                    saved.staleKept.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation);
    return OrdersOutcome::Saved;
}

} // namespace kelvane
