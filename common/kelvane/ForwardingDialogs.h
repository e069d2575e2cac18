#pragma once
// A layer between a window and its dialogs that hands every call on to the dialogs
// beneath it. A layer overrides only the calls it changes, so none is forgotten and
// left to the base class's "nobody answers"; a layer that does the same around every
// dialog (bringing the pointer back) overrides aroundEach instead.

#include "kelvane/Dialogs.h"

namespace kelvane {

class ForwardingDialogs : public Dialogs
{
public:
    explicit ForwardingDialogs(Dialogs &beneath) : m_beneath(beneath) {}

    Answer message(const QString &title, const QString &text, MessageIcon icon,
                   MessageButtons buttons = MessageButtons::Ok, Answer defaultAnswer = Answer::Ok) override;
    std::optional<QString> input(const QString &title, const QString &prompt, const QString &defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest &request) override;
    std::optional<QStringList> openFiles(const FileDialogRequest &request) override;
    std::optional<QString> saveFile(const FileDialogRequest &request) override;
    std::optional<QString> chooseFolder(const FileDialogRequest &request) override;
    std::optional<ColourValue> chooseColour(ColourValue initial) override;
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                  int current) override;

protected:
    Dialogs &beneath() { return m_beneath; }
    // Shows one dialog of the layer beneath by calling `show`.
    virtual void aroundEach(const std::function<void()> &show) { show(); }

private:
    template <typename Show>
    auto forwarded(Show show);

    Dialogs &m_beneath;
};

} // namespace kelvane
