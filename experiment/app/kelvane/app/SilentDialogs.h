#pragma once

#include "kelvane/Dialogs.h"

namespace kelvane {

// Dialogs for a session nobody attends: nothing is shown, every question gets its
// cautious answer (No, Cancel) and every file or folder dialog is cancelled. Whoever asks must
// have said what matters on stderr.
class SilentDialogs final : public Dialogs
{
public:
    Answer message(const QString &title, const QString &text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok,
                   Answer defaultAnswer = Answer::Ok) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(ColourValue initial) override;
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                  int current) override;
};

} // namespace kelvane
