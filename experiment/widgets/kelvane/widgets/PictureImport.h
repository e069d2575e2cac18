#pragma once
// Choosing a picture for a row: cluster files and the settings store keep bare names
// and every window loads pictures from the icon folder only, so a picture chosen from
// another folder is first copied into the icon folder.

#include "kelvane/Dialogs.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace kelvane {

inline constexpr QLatin1StringView IconFilter{"Icon Files (*.ico)|*.ico"};

// A chosen picture that has been checked and, where it replaces a different file of the
// icon folder, agreed to, but not yet copied. Windows that may still be cancelled copy
// it only when their changes are kept.
struct PictureImport
{
    QString name;        // its bare name, in the icon folder
    QString sourcePath;  // where it was chosen
    QByteArray bytes;
    bool copy = false;   // the icon folder does not hold these bytes under `name` yet
};

// Checks the picture at `path` for the icon folder: its name must be storable and its
// bytes a picture; a different file of that name in the folder is to be replaced only
// when the researcher agrees. Nothing when the researcher declines or the picture cannot
// be used (the researcher is told why, naming the file).
std::optional<PictureImport> preparePictureImport(Dialogs &dialogs, const QString &iconFolder,
                                                  const QString &path);

// Writes the picture into the icon folder where it has to be copied. False when it could
// not be written (the researcher is told why, naming the file).
bool completePictureImport(Dialogs &dialogs, const QString &iconFolder, const PictureImport &import);

// Brings the picture at `path` into `iconFolder` and returns its bare name: prepare and
// complete in one step.
std::optional<QString> bringIntoIconFolder(Dialogs &dialogs, const QString &iconFolder,
                                           const QString &path);

// The open dialog for a row picture, followed by preparePictureImport. It starts in the
// icon folder, or proposes `proposedPath` (an icon just made elsewhere) when given.
// Nothing when cancelled or refused.
std::optional<PictureImport> choosePictureImport(Dialogs &dialogs, const QString &iconFolder,
                                                 const QString &proposedPath = {});

// choosePictureImport followed by completePictureImport. Nothing when cancelled or refused.
std::optional<QString> choosePicture(Dialogs &dialogs, const QString &iconFolder,
                                     const QString &proposedPath = {});

} // namespace kelvane
