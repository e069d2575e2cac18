#pragma once
// Comma-separated files written for spreadsheet programs and statistics packages.

#include <QString>

namespace kelvane {

// The value as one CSV field: between double quotes, its quotes doubled, when it holds
// a comma, a double quote or a line end; as it is otherwise.
QString csvValue(const QString &value);

} // namespace kelvane
