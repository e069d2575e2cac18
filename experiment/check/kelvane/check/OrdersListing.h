#pragma once
// kelvane-check --orders: the orders the experiment window's Orders... would make for an
// experiment file, printed instead of written, so that a lab can plan with a script.

#include "kelvane/orders/ExperimentOrders.h"

#include <QString>

namespace kelvane {

struct OrdersListing
{
    // One line per order: its number (the N of NAME-N.bex), then the cluster names in
    // the order's sequence, separated by TABs; each line ends in LF.
    QString text;
    QString problem; // the file cannot be read, or no orders can be made; names the file
};

OrdersListing listOrders(const QString &experimentPath, OrderScheme scheme);

} // namespace kelvane
