// Opens the icon editor on its own, for trying it by hand (and under Xvfb) without the
// cluster editor:
//     build/bin/kelvane-icon-editor [ICON_FOLDER]
// The icon folder defaults to ico/ beside the program, as in kelvane.

#include "kelvane/QtDialogs.h"
#include "kelvane/iconedit/frmIconEdit.h"

#include <QApplication>
#include <QDir>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    const QString folder = arguments.size() > 1 ? arguments[1]
                                                : QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("ico"));
    kelvane::QtDialogs dialogs;
    QPointer<kelvane::frmIconEdit> window;
    dialogs.setParent(kelvane::showIconEditor(window, QDir(folder).absolutePath(), dialogs));
    return QApplication::exec();
}
