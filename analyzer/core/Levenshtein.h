#pragma once

#include <QByteArrayView>

namespace kelvane::analyzer {

// Edit distance divided by the length of the longer text: 0 for equal texts (two
// empty texts included), 1 when exactly one is empty. Characters compare by code.
double levenshtein(QByteArrayView first, QByteArrayView second);

// The edit distance itself (insertions, deletions and substitutions, each costing 1).
int editDistance(QByteArrayView first, QByteArrayView second);

} // namespace kelvane::analyzer
