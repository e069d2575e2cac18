#include "ScriptedDialogs.h"

namespace kelvane::test {

namespace {

template <typename T>
T take(std::deque<T> &queue, QStringList &unexpected, const QString &what)
{
    if (queue.empty()) {
        unexpected.append(what);
        return T{};
    }
    T value = queue.front();
    queue.pop_front();
    return value;
}

} // namespace

Answer ScriptedDialogs::message(const QString &title, const QString &text, MessageIcon icon,
                                MessageButtons buttons, Answer defaultAnswer)
{
    messages.append({title, text, icon, buttons, defaultAnswer});
    if (whileShown)
        whileShown();
    if (buttons == MessageButtons::Ok)
        return Answer::Ok;
    if (answers.empty()) {
        unexpected.append(QStringLiteral("question: ") + text);
        return Answer::Cancel;
    }
    return take(answers, unexpected, text);
}

std::optional<QString> ScriptedDialogs::input(const QString &title, const QString &prompt,
                                              const QString &)
{
    return take(inputs, unexpected, QStringLiteral("input: %1 %2").arg(title, prompt));
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return take(openPaths, unexpected, QStringLiteral("open: ") + request.filter);
}

std::optional<QStringList> ScriptedDialogs::openFiles(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return take(openPathLists, unexpected, QStringLiteral("open several: ") + request.filter);
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return take(savePaths, unexpected, QStringLiteral("save: ") + request.filter);
}

std::optional<QString> ScriptedDialogs::chooseFolder(const FileDialogRequest &request)
{
    fileRequests.append(request);
    return take(folders, unexpected, QStringLiteral("folder: ") + request.title);
}

std::optional<ColourValue> ScriptedDialogs::chooseColour(ColourValue)
{
    return take(colours, unexpected, QStringLiteral("colour"));
}

std::optional<int> ScriptedDialogs::chooseItem(const QString &title, const QString &prompt,
                                               const QStringList &items, int)
{
    choiceLists.append(items);
    return take(choices, unexpected, QStringLiteral("choice: %1 %2").arg(title, prompt));
}

} // namespace kelvane::test
