#pragma once
// Every message box and standard dialog of both programs goes through this interface,
// so that windows never block on a real dialog in tests.

#include "kelvane/ColourValue.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct FileDialogRequest
{
    QString title;
    // Pairs of description and pattern separated by "|", as the files' own filters are
    // written: "Kelvane Files (*.box)|*.box".
    QString filter;
    QString initialFolder;
    QString proposedName;
    // What kind of file is chosen ("clusters", "experiments", ...): dialogs of one kind
    // start where the last one ended (FolderMemory). Empty: no memory.
    QString kind;
};

// The kinds of file whose dialogs remember their folder.
namespace FolderKind {
inline const QString Clusters = QStringLiteral("clusters");
inline const QString Experiments = QStringLiteral("experiments");
inline const QString Results = QStringLiteral("results");
inline const QString Tables = QStringLiteral("tables");
} // namespace FolderKind

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // `defaultAnswer` is the button Enter presses; Ok leaves the platform's choice. A
    // question whose Yes destroys data makes No the default.
    virtual Answer message(const QString &title, const QString &text, MessageIcon icon,
                           MessageButtons buttons = MessageButtons::Ok,
                           Answer defaultAnswer = Answer::Ok) = 0;
    // The text typed, or nothing when the researcher cancelled.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &defaultText) = 0;
    // A full path, or nothing when cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest &request) = 0;
    // Full paths of the files chosen together, or nothing when cancelled.
    virtual std::optional<QStringList> openFiles(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest &request) = 0;
    // An existing folder, or nothing when cancelled. Uses the request's title and
    // initial folder.
    virtual std::optional<QString> chooseFolder(const FileDialogRequest &request) = 0;
    virtual std::optional<ColourValue> chooseColour(ColourValue initial) = 0;
    // The index of the item chosen from `items`, `current` offered first, or nothing when
    // cancelled. Dialogs that never ask anyone (a run without a researcher) cancel.
    virtual std::optional<int> chooseItem(const QString &title, const QString &prompt,
                                          const QStringList &items, int current) = 0;
};

// Shows the save dialog until the researcher picks a file that does not exist yet or
// agrees to overwrite it ("... already exists. Would you like to overwrite it?": Yes
// takes it, No shows the dialog again, Cancel gives up). `adjust`, when given, turns
// the chosen name into the one that will be written, before the question is asked.
std::optional<QString> chooseSavePath(Dialogs &dialogs, const FileDialogRequest &request,
                                      const std::function<QString(const QString &)> &adjust = {});

// "PATH already exists. Would you like to overwrite it?", asked under the title of the
// command that would replace a subject's results: Yes or No, and No is the default, so
// that Enter pressed twice throws nothing away. True for Yes.
bool confirmOverwrite(Dialogs &dialogs, const QString &command, const QString &path);

// "Kelvane Files (*.box)|*.box|All files (*.*)|*.*" -> Qt's ";;"-separated filter.
QString qtFilterFromPairs(const QString &filter);

// The file name without its folder; both "\" and "/" end a folder.
QString fileTitle(const QString &path);

} // namespace kelvane
