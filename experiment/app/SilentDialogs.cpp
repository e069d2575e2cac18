#include "kelvane/app/SilentDialogs.h"

namespace kelvane {

Answer SilentDialogs::message(const QString &, const QString &, MessageIcon, MessageButtons buttons, Answer)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return Answer::Ok;
    case MessageButtons::YesNo:
        return Answer::No;
    case MessageButtons::YesNoCancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

std::optional<QString> SilentDialogs::input(const QString &, const QString &, const QString &)
{
    return std::nullopt;
}

std::optional<QString> SilentDialogs::openFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QStringList> SilentDialogs::openFiles(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> SilentDialogs::saveFile(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<QString> SilentDialogs::chooseFolder(const FileDialogRequest &)
{
    return std::nullopt;
}

std::optional<ColourValue> SilentDialogs::chooseColour(ColourValue)
{
    return std::nullopt;
}

std::optional<int> SilentDialogs::chooseItem(const QString &, const QString &, const QStringList &, int)
{
    return std::nullopt;
}

} // namespace kelvane
