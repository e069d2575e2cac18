#pragma once

#include <QString>

namespace kelvane::analyzer {

// The output file's path as the researcher typed it, with ".dat" (or ".sav" for an SPSS
// data file) added when its name has no extension, so that the file opens in the
// program meant for it. A path naming an existing folder is left as it is.
QString outputPathWithExtension(const QString &typed, bool spssData);

// The path with ".dat" changed into ".sav" when an SPSS data file is chosen, and back
// when the tab-delimited table is; any other name is left as it is.
QString outputPathForKind(const QString &path, bool spssData);

} // namespace kelvane::analyzer
