#include "kelvane/Manual.h"

#include "kelvane/ManualPages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QMenuBar>

namespace kelvane {

Manual::Manual(Dialogs &dialogs, const QString &binaryFolder)
    : m_dialogs(dialogs)
    , m_lookedIn(manual::manualFolders(binaryFolder))
    , m_folder(manual::findManualFolder(binaryFolder))
{
}

Manual::~Manual()
{
    delete m_window;
}

void Manual::attach(QWidget *window, const QString &page)
{
    auto *action = new QAction(QStringLiteral("&Manual"), window);
    action->setShortcut(QKeySequence(Qt::Key_F1));
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, page] { show(page); });
    if (auto *main = qobject_cast<QMainWindow *>(window))
        main->menuBar()->addMenu(QStringLiteral("&Help"))->addAction(action);
    else
        window->addAction(action);
}

void Manual::show(const QString &page)
{
    if (m_folder.isEmpty()) {
        QStringList places;
        for (const QString &folder : m_lookedIn)
            places.append(QDir::toNativeSeparators(folder));
        m_dialogs.message(QStringLiteral("Manual"),
                          QStringLiteral("The manual cannot be found. Its contents page %1 is in none of "
                                         "these folders:\n%2")
                              .arg(manual::ContentsPage, places.join(u'\n')),
                          MessageIcon::Exclamation);
        return;
    }
    // A modal dialog blocks every other window, so the manual opened while one is up
    // belongs to it; otherwise it stands on its own and outlives the window that
    // opened it.
    QWidget *owner = QApplication::activeModalWidget();
    if (!m_window)
        m_window = new HelpWindow(m_folder, owner);
    else if (m_window->parentWidget() != owner)
        m_window->setParent(owner, Qt::Window);
    m_window->showPage(page);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace kelvane
