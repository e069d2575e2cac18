#pragma once
// Dialogs for the researcher while the subject's pointer may be hidden: every message,
// question and file dialog brings the pointer back while it is up and hides it again
// after, so the researcher can answer with the mouse.

#include "kelvane/Dialogs.h"
#include "kelvane/trial/PointerCounter.h"

namespace kelvane {

class PointerShownDialogs final : public Dialogs
{
public:
    PointerShownDialogs(Dialogs &dialogs, PointerCounter &pointer) : m_dialogs(dialogs), m_pointer(pointer) {}

    Answer message(const QString &title, const QString &text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok, Answer defaultAnswer = Answer::Ok) override;
    std::optional<QString> input(const QString &title, const QString &prompt, const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(ColourValue initial) override;

private:
    template <typename Call>
    auto withPointer(Call call);

    Dialogs &m_dialogs;
    PointerCounter &m_pointer;
};

} // namespace kelvane
