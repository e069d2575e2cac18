#pragma once
// F1 and Help > Manual: one help window per program, opened at the page for the window
// in which the researcher asked.

#include "kelvane/Dialogs.h"
#include "kelvane/HelpWindow.h"

#include <QObject>
#include <QPointer>

namespace kelvane {

class Manual : public QObject
{
    Q_OBJECT

public:
    // Looks for the manual from the program's own folder.
    Manual(Dialogs &dialogs, const QString &binaryFolder);
    ~Manual() override;

    // Gives `window` F1, and a Help menu with "Manual" at the right end of its menu bar
    // when it has one, both opening `page`.
    void attach(QWidget *window, const QString &page);
    // Shows `page` (relative to the manual's folder, "#anchor" allowed), or says where
    // the manual was looked for when it is missing.
    void show(const QString &page);
    HelpWindow *window() const { return m_window; }

private:
    Dialogs &m_dialogs;
    QStringList m_lookedIn;
    QString m_folder;
    QPointer<HelpWindow> m_window;
};

} // namespace kelvane
