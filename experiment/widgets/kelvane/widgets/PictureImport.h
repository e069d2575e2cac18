#pragma once
// Choosing a picture for a row: cluster files and the settings store keep bare names
// and every window loads pictures from the icon folder only, so a picture chosen from
// another folder is first copied into the icon folder.

#include "kelvane/Dialogs.h"

#include <QString>

#include <optional>

namespace kelvane {

inline constexpr QLatin1StringView IconFilter{"Icon Files (*.ico)|*.ico"};

// Brings the picture at `path` into `iconFolder` and returns its bare name. A picture
// already in the folder, or one whose file there has the same bytes, is used as it is.
// A different file of that name is replaced only when the researcher agrees. Nothing
// is returned when the researcher declines, or when the picture cannot be read or
// copied (the researcher is told why, naming the file).
std::optional<QString> bringIntoIconFolder(Dialogs &dialogs, const QString &iconFolder,
                                           const QString &path);

// The open dialog for a row picture, starting in the icon folder, followed by
// bringIntoIconFolder. Nothing when cancelled or refused.
std::optional<QString> choosePicture(Dialogs &dialogs, const QString &iconFolder);

} // namespace kelvane
