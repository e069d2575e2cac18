#include "kelvane/app/NamedFileOpening.h"

#include "kelvane/runexp/RunExp.h"

#include <QTextStream>
#include <QWidget>

namespace kelvane {

RunExp *openExperimentWindow(Program &program, const RunExpServices &services, const QString &path,
                             QWidget *mainWindow)
{
    auto *window = new RunExp(program, services, mainWindow);
    QObject::connect(window, &RunExp::closed, mainWindow, &QWidget::show);
    mainWindow->hide();
    window->show();
    // Read once the window is up, so that a message about the file stands in front of it.
    window->openExperimentFile(path);
    return window;
}

void openClusterInEditor(const QString &path)
{
    QTextStream(stderr) << "kelvane: " << path
                        << " is not opened: this version has no cluster editor to open it in yet\n";
}

} // namespace kelvane
