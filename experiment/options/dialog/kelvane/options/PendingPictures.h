#pragma once
// Pictures chosen in the Options dialog from other folders wait here until Save copies
// them into the icon folder, so that Cancel leaves the folder as it was.

#include "kelvane/Dialogs.h"
#include "kelvane/widgets/PictureImport.h"

#include <QMap>
#include <QString>

#include <optional>

namespace kelvane {

class PendingPictures
{
public:
    PendingPictures(Dialogs &dialogs, const QString &iconFolder);

    // Asks for a picture and returns its bare name; nothing when cancelled or refused.
    // One name stands for one picture: choosing a different picture under a name that
    // is already waiting replaces the waiting one only when the researcher agrees.
    std::optional<QString> choose();

    // Where the picture of `name` is shown from: the folder it was chosen in while it
    // waits, the icon folder otherwise.
    QString folderOf(const QString &name) const;

    // Copies every waiting picture. False, after the researcher has been told why,
    // when one could not be copied; it and those after it keep waiting.
    bool copyAll();

    bool isEmpty() const { return m_waiting.isEmpty(); }
    void clear() { m_waiting.clear(); }

private:
    Dialogs &m_dialogs;
    QString m_iconFolder;
    QMap<QString, PictureImport> m_waiting;
};

} // namespace kelvane
