#include "kelvane/widgets/PictureImport.h"

#include "kelvane/FileSaving.h"
#include "kelvane/widgets/StorableText.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace kelvane {

namespace {

const QString Title = QStringLiteral("Picture");

void tell(Dialogs &dialogs, const QString &text)
{
    dialogs.message(Title, text, MessageIcon::Exclamation);
}

bool sameFolder(const QString &a, const QString &b)
{
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

bool isPicture(QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return !QImageReader(&buffer).read().isNull();
}

} // namespace

std::optional<PictureImport> preparePictureImport(Dialogs &dialogs, const QString &iconFolder,
                                                  const QString &path)
{
    const QFileInfo source(path);
    PictureImport import{source.fileName(), path, {}, false};
    const QString shown = QDir::toNativeSeparators(source.absoluteFilePath());
    if (const auto character = unstorableCharacter(import.name)) {
        tell(dialogs, QStringLiteral("%1 cannot be used: its name holds %2, which a cluster file "
                                     "cannot store. Rename the file first.")
                          .arg(shown, *character));
        return std::nullopt;
    }
    FileError error;
    if (!readWholeFile(path, &import.bytes, &error)) {
        tell(dialogs, error.description);
        return std::nullopt;
    }
    if (!isPicture(import.bytes)) {
        tell(dialogs, QStringLiteral("%1 cannot be read as a picture.").arg(shown));
        return std::nullopt;
    }

    const QString target = QDir(iconFolder).filePath(import.name);
    if (sameFolder(source.absolutePath(), iconFolder))
        return import;
    if (QFileInfo::exists(target)) {
        QByteArray existing;
        if (readWholeFile(target, &existing, nullptr) && existing == import.bytes)
            return import;
        const Answer answer = dialogs.message(
            Title,
            QStringLiteral("The icon folder %1 already holds a different picture named %2.\n"
                           "Replace it with %3?\n\nEvery cluster that uses %2 will show the new picture.")
                .arg(QDir::toNativeSeparators(iconFolder), import.name, shown),
            MessageIcon::Question, MessageButtons::YesNo);
        if (answer != Answer::Yes)
            return std::nullopt;
    }
    import.copy = true;
    return import;
}

bool completePictureImport(Dialogs &dialogs, const QString &iconFolder, const PictureImport &import)
{
    if (!import.copy)
        return true;
    FileError error;
    if (saveWholeFile(QDir(iconFolder).filePath(import.name), import.bytes, &error))
        return true;
    tell(dialogs, QStringLiteral("%1 could not be copied into the icon folder.\n%2")
                      .arg(QDir::toNativeSeparators(QFileInfo(import.sourcePath).absoluteFilePath()),
                           error.description));
    return false;
}

std::optional<QString> bringIntoIconFolder(Dialogs &dialogs, const QString &iconFolder,
                                           const QString &path)
{
    const auto import = preparePictureImport(dialogs, iconFolder, path);
    if (!import || !completePictureImport(dialogs, iconFolder, *import))
        return std::nullopt;
    return import->name;
}

std::optional<PictureImport> choosePictureImport(Dialogs &dialogs, const QString &iconFolder,
                                                 const QString &proposedPath)
{
    FileDialogRequest request;
    request.title = QStringLiteral("Choose a picture");
    request.filter = IconFilter;
    request.initialFolder = proposedPath.isEmpty() ? iconFolder : QFileInfo(proposedPath).absolutePath();
    request.proposedName = proposedPath;
    const auto path = dialogs.openFile(request);
    if (!path || path->isEmpty())
        return std::nullopt;
    return preparePictureImport(dialogs, iconFolder, *path);
}

std::optional<QString> choosePicture(Dialogs &dialogs, const QString &iconFolder,
                                     const QString &proposedPath)
{
    const auto import = choosePictureImport(dialogs, iconFolder, proposedPath);
    if (!import || !completePictureImport(dialogs, iconFolder, *import))
        return std::nullopt;
    return import->name;
}

} // namespace kelvane
