#pragma once
// Orders...: the researcher picks a scheme and a name, and the experiment window's list
// is saved as one experiment file per order plus the table of which subject runs which.

#include "kelvane/Dialogs.h"
#include "kelvane/orders/ExperimentOrders.h"

#include <functional>
#include <optional>

#include <QStringList>

namespace kelvane {

struct OrdersRequest
{
    QStringList entries;    // the event list as it stands
    QString experimentFile; // the list's own file, if it has one: the proposed name and folder
    QString fallbackFolder; // where the dialog starts when the list has no file yet
    // Shows the orders before they are written and says where the instructions go;
    // nothing when the researcher cancels. Without it the instructions stay first.
    std::function<std::optional<Instructions>(const QStringList &entries, const QList<BlockOrder> &orders)> preview;
};

enum class OrdersOutcome { Refused, Cancelled, KeptEarlierFiles, NotSaved, Saved };

OrdersOutcome makeOrderFiles(Dialogs &dialogs, const OrdersRequest &request);

} // namespace kelvane
