#include "frmMain.h"

#include "kelvane/QtDialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane Analyzer"));
    kelvane::QtDialogs dialogs;
    kelvane::analyzer::frmMain window(dialogs);
    dialogs.setParent(&window);
    window.show();
    return QApplication::exec();
}
