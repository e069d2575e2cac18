#include "kelvane/Dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

std::optional<QString> chooseSavePath(Dialogs &dialogs, const FileDialogRequest &request,
                                      const std::function<QString(const QString &)> &adjust)
{
    while (true) {
        const std::optional<QString> chosen = dialogs.saveFile(request);
        if (!chosen)
            return std::nullopt;
        const QString path = adjust ? adjust(*chosen) : *chosen;
        if (!QFileInfo::exists(path))
            return path;
        const Answer answer = dialogs.message(
            QStringLiteral("Save"), path + QStringLiteral(" already exists. Would you like to overwrite it?"),
            MessageIcon::Question, MessageButtons::YesNoCancel);
        if (answer == Answer::Yes)
            return path;
        if (answer == Answer::Cancel)
            return std::nullopt;
    }
}

bool confirmOverwrite(Dialogs &dialogs, const QString &command, const QString &path)
{
    return dialogs.message(command,
                           QDir::toNativeSeparators(path) + QStringLiteral(" already exists. Would you like to overwrite it?"),
                           MessageIcon::Question, MessageButtons::YesNo, Answer::No)
           == Answer::Yes;
}

QString qtFilterFromPairs(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        // Qt takes the patterns from the parentheses; add them when the text lacks them.
        if (description.contains(u'('))
            qtFilters.append(description);
        else
            qtFilters.append(QStringLiteral("%1 (%2)").arg(description, patterns));
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        qtFilters.append(parts.last());
    return qtFilters.join(QLatin1StringView(";;"));
}

QString fileTitle(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

} // namespace kelvane
