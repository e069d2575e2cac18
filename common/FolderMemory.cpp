#include "kelvane/FolderMemory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kelvane {

FolderMemory::FolderMemory(Dialogs &dialogs, Read read, Write write)
    : ForwardingDialogs(dialogs), m_read(std::move(read)), m_write(std::move(write))
{
}

QString FolderMemory::startFolder(const QString &kind, const QString &fallback) const
{
    // Only a folder that exists: a dialog given one that does not opens elsewhere and
    // offers the folder's last name as the file name.
    const QString remembered = kind.isEmpty() ? QString() : m_read(kind);
    for (const QString &folder : {remembered, fallback,
                                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

FileDialogRequest FolderMemory::placed(FileDialogRequest request) const
{
    if (!request.kind.isEmpty())
        request.initialFolder = startFolder(request.kind, request.initialFolder);
    return request;
}

void FolderMemory::rememberFileFolder(const QString &kind, const QString &file)
{
    if (!kind.isEmpty())
        m_write(kind, QFileInfo(file).absolutePath());
}

std::optional<QString> FolderMemory::openFile(const FileDialogRequest &request)
{
    const std::optional<QString> chosen = beneath().openFile(placed(request));
    if (chosen)
        rememberFileFolder(request.kind, *chosen);
    return chosen;
}

std::optional<QStringList> FolderMemory::openFiles(const FileDialogRequest &request)
{
    const std::optional<QStringList> chosen = beneath().openFiles(placed(request));
    if (chosen && !chosen->isEmpty())
        rememberFileFolder(request.kind, chosen->front());
    return chosen;
}

std::optional<QString> FolderMemory::saveFile(const FileDialogRequest &request)
{
    const std::optional<QString> chosen = beneath().saveFile(placed(request));
    if (chosen)
        rememberFileFolder(request.kind, *chosen);
    return chosen;
}

std::optional<QString> FolderMemory::chooseFolder(const FileDialogRequest &request)
{
    const std::optional<QString> chosen = beneath().chooseFolder(placed(request));
    if (chosen && !request.kind.isEmpty())
        m_write(request.kind, QDir(*chosen).absolutePath());
    return chosen;
}

} // namespace kelvane
