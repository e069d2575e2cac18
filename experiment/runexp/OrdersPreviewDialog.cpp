#include "kelvane/runexp/OrdersPreviewDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

OrdersPreviewDialog::OrdersPreviewDialog(const QStringList &entries, const QList<BlockOrder> &orders,
                                         QWidget *parent)
    : QDialog(parent), m_entries(entries), m_orders(orders)
{
    setWindowTitle(QStringLiteral("Orders"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Each order as its subjects will run it:"), this));

    orderLines = new QPlainTextEdit(this);
    orderLines->setReadOnly(true);
    orderLines->setAccessibleName(QStringLiteral("Orders"));
    layout->addWidget(orderLines);

    instructionsFirst = new QCheckBox(QStringLiteral("Instructions stay first"), this);
    instructionsFirst->setAccessibleName(instructionsFirst->text());
    instructionsFirst->setToolTip(QStringLiteral("The messages before the first cluster open every order. "
                                                 "Unchecked, they go wherever their cluster goes."));
    instructionsFirst->setChecked(true);
    // Without messages before the first cluster there is nothing to keep first.
    instructionsFirst->setEnabled(!splitIntoBlocks(entries).leadingMessages.isEmpty());
    layout->addWidget(instructionsFirst);

    previewWarnings = new QLabel(this);
    previewWarnings->setWordWrap(true);
    previewWarnings->setAccessibleName(QStringLiteral("Warnings"));
    layout->addWidget(previewWarnings);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Save)->setText(QStringLiteral("Save Orders..."));
    buttons->button(QDialogButtonBox::Save)->setAccessibleName(QStringLiteral("Save Orders"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(instructionsFirst, &QCheckBox::toggled, this, &OrdersPreviewDialog::showPreview);
    showPreview();
    resize(760, 420);
}

Instructions OrdersPreviewDialog::instructions() const
{
    return instructionsFirst->isChecked() ? Instructions::StayFirst : Instructions::TravelWithCluster;
}

void OrdersPreviewDialog::showPreview()
{
    const OrdersPreview preview = previewOrders(splitIntoBlocks(m_entries, instructions()), m_orders);
    orderLines->setPlainText(preview.lines.join(u'\n'));
    previewWarnings->setText(preview.warnings.join(u'\n'));
    previewWarnings->setVisible(!preview.warnings.isEmpty());
}

} // namespace kelvane
