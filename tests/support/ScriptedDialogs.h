#pragma once
// A Dialogs double: records every message and dialog shown, and answers from queues
// the test fills beforehand. A dialog with no queued answer is recorded as unexpected
// and cancelled, so a test sees it instead of hanging.

#include "kelvane/Dialogs.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace kelvane::test {

struct ShownMessage
{
    QString title;
    QString text;
    MessageIcon icon;
    MessageButtons buttons;
    Answer defaultAnswer = Answer::Ok;
};

class ScriptedDialogs final : public Dialogs
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

    // Answers, taken in order. Messages with only an OK button need none.
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> inputs;
    std::deque<std::optional<QString>> openPaths;
    std::deque<std::optional<QStringList>> openPathLists;
    std::deque<std::optional<QString>> savePaths;
    std::deque<std::optional<QString>> folders;
    std::deque<std::optional<ColourValue>> colours;
    std::deque<std::optional<int>> choices;

    // Runs while each message is up, after it is recorded: a test looks at the pointer
    // or lets time pass there.
    std::function<void()> whileShown;

    QList<ShownMessage> messages;
    QList<FileDialogRequest> fileRequests;
    QList<QStringList> choiceLists; // the items of every choice offered
    QStringList unexpected; // dialogs shown without a queued answer
};

} // namespace kelvane::test
