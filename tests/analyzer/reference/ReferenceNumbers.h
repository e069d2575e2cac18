#pragma once
// The number routines of the text forms module as they were before the analyzer was
// rewritten for speed, unchanged, as the reference that tst_analyzer_differential holds
// the present routines to. Not part of any program.

#include <QLocale>
#include <QString>
#include <QStringView>

namespace kelvane::reference {

double leadingNumber(QStringView text);
double roundHalfEven(double value, int decimals = 0);
QString shortNumberForm(double value, int significantDigits = 15);
QString fixedDecimals(double value, int decimals, const QLocale &locale);

} // namespace kelvane::reference
