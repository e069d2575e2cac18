#pragma once
// The names under which the icon editor offers to save: icon files only, so that an
// icon opened from a bitmap or cursor never overwrites that file with icon data.

#include <QString>

namespace kelvane {

inline constexpr QLatin1StringView UntitledName{"Untitled"};

// The name the save dialog proposes for an icon that came from `fileSpec`.
QString proposedIconName(const QString &fileSpec);
// The chosen name, with ".ico" added unless it already ends so (in any case).
QString withIconSuffix(const QString &path);

} // namespace kelvane
