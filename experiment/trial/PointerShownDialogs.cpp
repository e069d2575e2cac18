#include "kelvane/trial/PointerShownDialogs.h"

namespace kelvane {

template <typename Call>
auto PointerShownDialogs::withPointer(Call call)
{
    int shown = 0;
    while (!m_pointer.visible()) {
        m_pointer.show();
        ++shown;
    }
    auto result = call();
    for (; shown > 0; --shown)
        m_pointer.hide();
    return result;
}

Answer PointerShownDialogs::message(const QString &title, const QString &text, MessageIcon icon,
                                    MessageButtons buttons, Answer defaultAnswer)
{
    return withPointer([&] { return m_dialogs.message(title, text, icon, buttons, defaultAnswer); });
}

std::optional<QString> PointerShownDialogs::input(const QString &title, const QString &prompt,
                                                  const QString &defaultText)
{
    return withPointer([&] { return m_dialogs.input(title, prompt, defaultText); });
}

std::optional<QString> PointerShownDialogs::openFile(const FileDialogRequest &request)
{
    return withPointer([&] { return m_dialogs.openFile(request); });
}

std::optional<QStringList> PointerShownDialogs::openFiles(const FileDialogRequest &request)
{
    return withPointer([&] { return m_dialogs.openFiles(request); });
}

std::optional<QString> PointerShownDialogs::saveFile(const FileDialogRequest &request)
{
    return withPointer([&] { return m_dialogs.saveFile(request); });
}

std::optional<QString> PointerShownDialogs::chooseFolder(const FileDialogRequest &request)
{
    return withPointer([&] { return m_dialogs.chooseFolder(request); });
}

std::optional<ColourValue> PointerShownDialogs::chooseColour(ColourValue initial)
{
    return withPointer([&] { return m_dialogs.chooseColour(initial); });
}

} // namespace kelvane
