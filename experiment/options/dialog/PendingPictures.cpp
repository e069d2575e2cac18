#include "kelvane/options/PendingPictures.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

PendingPictures::PendingPictures(Dialogs &dialogs, const QString &iconFolder)
    : m_dialogs(dialogs), m_iconFolder(iconFolder)
{
}

std::optional<QString> PendingPictures::choose()
{
    const auto import = choosePictureImport(m_dialogs, m_iconFolder);
    if (!import)
        return std::nullopt;
    const auto waiting = m_waiting.constFind(import->name);
    if (waiting != m_waiting.cend() && waiting->bytes != import->bytes) {
        const Answer answer = m_dialogs.message(
            QStringLiteral("Picture"),
            QStringLiteral("Another picture named %1, from %2, was chosen before and is copied into "
                           "the icon folder when you save.\nUse %3 instead, wherever %1 is shown?")
                .arg(import->name, QDir::toNativeSeparators(waiting->sourcePath),
                     QDir::toNativeSeparators(import->sourcePath)),
            MessageIcon::Question, MessageButtons::YesNo);
        if (answer != Answer::Yes)
            return std::nullopt;
    }
    if (import->copy)
        m_waiting.insert(import->name, *import);
    else
        m_waiting.remove(import->name);
    return import->name;
}

QString PendingPictures::folderOf(const QString &name) const
{
    const auto waiting = m_waiting.constFind(name);
    if (waiting == m_waiting.cend())
        return m_iconFolder;
    return QFileInfo(waiting->sourcePath).absolutePath();
}

bool PendingPictures::copyAll()
{
    for (auto it = m_waiting.begin(); it != m_waiting.end();) {
        if (!completePictureImport(m_dialogs, m_iconFolder, *it))
            return false;
        it = m_waiting.erase(it);
    }
    return true;
}

} // namespace kelvane
