#pragma once
// Where file dialogs start: in the folder last used for that kind of file (clusters,
// experiments, result files, ...), remembered across sessions, else in the user's
// documents folder; never in the program's own folder, which is read-only once
// installed. Put between a window and its dialogs, it places and remembers every file
// dialog whose request names a kind.

#include "kelvane/ForwardingDialogs.h"

#include <functional>

namespace kelvane {

class FolderMemory final : public ForwardingDialogs
{
public:
    // How each program keeps the folders: a read and a write of one folder per kind.
    using Read = std::function<QString(const QString &kind)>;
    using Write = std::function<void(const QString &kind, const QString &folder)>;

    FolderMemory(Dialogs &dialogs, Read read, Write write);

    // The first of these that exists: the remembered folder, `fallback` (a folder the
    // window knows better, such as that of the file being edited), the documents
    // folder, else the home folder.
    QString startFolder(const QString &kind, const QString &fallback = {}) const;

    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;

private:
    FileDialogRequest placed(FileDialogRequest request) const;
    void rememberFileFolder(const QString &kind, const QString &file);

    Read m_read;
    Write m_write;
};

} // namespace kelvane
