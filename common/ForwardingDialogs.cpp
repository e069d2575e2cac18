#include "kelvane/ForwardingDialogs.h"

namespace kelvane {

template <typename Show>
auto ForwardingDialogs::forwarded(Show show)
{
    decltype(show()) result{};
    aroundEach([&] { result = show(); });
    return result;
}

Answer ForwardingDialogs::message(const QString &title, const QString &text, MessageIcon icon,
                                  MessageButtons buttons, Answer defaultAnswer)
{
    return forwarded([&] { return m_beneath.message(title, text, icon, buttons, defaultAnswer); });
}

std::optional<QString> ForwardingDialogs::input(const QString &title, const QString &prompt,
                                                const QString &defaultText)
{
    return forwarded([&] { return m_beneath.input(title, prompt, defaultText); });
}

std::optional<QString> ForwardingDialogs::openFile(const FileDialogRequest &request)
{
    return forwarded([&] { return m_beneath.openFile(request); });
}

std::optional<QStringList> ForwardingDialogs::openFiles(const FileDialogRequest &request)
{
    return forwarded([&] { return m_beneath.openFiles(request); });
}

std::optional<QString> ForwardingDialogs::saveFile(const FileDialogRequest &request)
{
    return forwarded([&] { return m_beneath.saveFile(request); });
}

std::optional<QString> ForwardingDialogs::chooseFolder(const FileDialogRequest &request)
{
    return forwarded([&] { return m_beneath.chooseFolder(request); });
}

std::optional<ColourValue> ForwardingDialogs::chooseColour(ColourValue initial)
{
    return forwarded([&] { return m_beneath.chooseColour(initial); });
}

std::optional<int> ForwardingDialogs::chooseItem(const QString &title, const QString &prompt,
                                                 const QStringList &items, int current)
{
    return forwarded([&] { return m_beneath.chooseItem(title, prompt, items, current); });
}

} // namespace kelvane
