#pragma once
// The window keeps the open dialog's choice as a list of entries: one full path for a
// single file, or the folder followed by the file names for several.

#include <QStringList>

namespace kelvane::analyzer {

// Entries for the chosen full paths, in the dialog's order.
QStringList fileListFromSelection(const QStringList &paths);

// The paths to analyse, in order, from a file list built above.
QStringList filesToAnalyse(const QStringList &fileList);

} // namespace kelvane::analyzer
