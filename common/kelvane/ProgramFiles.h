#pragma once
// Where the experiment program finds its own files. A freshly built program keeps its
// pictures in ico/ beside the binary; an installed one finds the shipped pictures and
// sounds in the data folder (share/kelvane, found relative to the binary so any prefix
// works) and keeps the pictures the researcher uses and draws in a per-user folder,
// because the icon editor saves where the editor and the trial window look.

#include <QString>
#include <QStringList>

namespace kelvane {

struct ProgramFiles
{
    QString programFolder;   // the sounds and shipped files; no trailing separator
    QString iconFolder;      // pictures by bare name; ends with a separator
    QString shippedIcons;    // installed only: the default pictures to copy from
    bool installed = false;
};

// The data folder of an installed program, relative to its binary folder.
QString installedDataFolder(const QString &binaryFolder);

// `userDataFolder` is the per-user application data folder.
ProgramFiles locateProgramFiles(const QString &binaryFolder, const QString &userDataFolder);

// The same for the running program, from its binary's folder and the platform's
// per-user folders.
ProgramFiles locateProgramFiles();

// Copies every shipped picture that the icon folder lacks into it, creating the folder;
// a picture the researcher already has under that name is never replaced. Returns what
// could not be done, one line each, naming the file.
QStringList copyMissingPictures(const QString &shippedFolder, const QString &iconFolder);

} // namespace kelvane
