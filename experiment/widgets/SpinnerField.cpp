#include "kelvane/widgets/SpinnerField.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/widgets/StorableText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>

namespace kelvane {

SpinnerField *framedSpinner(QWidget *parent, const QString &caption, const QString &unit)
{
    auto *box = new QGroupBox(caption, parent);
    box->setAccessibleName(caption);
    parent->layout()->addWidget(box);
    auto *spinner = new SpinnerField(box);
    spinner->setAccessibleName(QStringLiteral("%1 (%2)").arg(caption, unit));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(spinner);
    auto *label = new QLabel(unit, box);
    label->setAccessibleName(unit);
    layout->addWidget(label);
    layout->addStretch(1);
    return spinner;
}

QString stepLeadingNumber(QStringView text, int steps)
{
    const double value = leadingNumber(text) + steps;
    // Whole values are the common case (seconds, percent) and get plain digits; others
    // take the fewest digits that a double's fifteen reliable ones allow.
    if (value == std::trunc(value) && std::abs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', 15);
}

SpinnerField::SpinnerField(QWidget *parent) : QAbstractSpinBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 24);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpinnerField::edited);
    connect(lineEdit(), &QLineEdit::inputRejected, this, [this] {
        QToolTip::showText(mapToGlobal(QPoint(0, height())), refusedInputHint(), this);
    });
}

void SpinnerField::setText(const QString &text)
{
    lineEdit()->setText(text);
}

void SpinnerField::stepBy(int steps)
{
    const QString text = stepLeadingNumber(lineEdit()->text(), steps);
    lineEdit()->setText(text);
    Q_EMIT edited(text);
}

QAbstractSpinBox::StepEnabled SpinnerField::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State SpinnerField::validate(QString &input, int &) const
{
    return unstorableCharacter(input) ? QValidator::Invalid : QValidator::Acceptable;
}

void SpinnerField::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QAbstractSpinBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace kelvane
