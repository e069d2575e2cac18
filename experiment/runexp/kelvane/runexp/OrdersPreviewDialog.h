#pragma once
// The orders as each group of subjects will run them, shown before any file is written,
// with the choice of whether the instructions (the messages before the first cluster)
// open every order or travel with their cluster.

#include "kelvane/orders/ExperimentOrders.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace kelvane {

class OrdersPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    OrdersPreviewDialog(const QStringList &entries, const QList<BlockOrder> &orders, QWidget *parent = nullptr);

    Instructions instructions() const;

    QCheckBox *instructionsFirst = nullptr;
    QPlainTextEdit *orderLines = nullptr;
    QLabel *previewWarnings = nullptr;

private:
    void showPreview();

    QStringList m_entries;
    QList<BlockOrder> m_orders;
};

} // namespace kelvane
