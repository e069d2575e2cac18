#pragma once

#include <QStringView>

namespace kelvane::analyzer {

// Edit distance divided by the length of the longer text: 0 for equal texts (two
// empty texts included), 1 when exactly one is empty. Characters compare by code.
double levenshtein(QStringView first, QStringView second);

} // namespace kelvane::analyzer
