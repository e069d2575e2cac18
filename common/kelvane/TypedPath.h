#pragma once

#include <QString>

namespace kelvane {

// A path as a researcher types it into a field: the spaces around it dropped, and a
// leading "~" written out as the home folder, as a terminal would, so that "~/study"
// names the folder in the home folder instead of a folder called "~" beside the program.
QString typedPath(const QString &typed);

} // namespace kelvane
