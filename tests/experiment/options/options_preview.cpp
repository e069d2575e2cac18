// Shows the Options dialog on its own, with the real dialogs, for trying it by hand until
// the editor's "Options" menu opens it:
//
//     build/bin/options_preview [--store FILE.ini]
//
// Without --store it uses the researcher's own settings store. It runs from the build's
// bin folder, beside the default pictures. Prints whether the researcher saved.

#include "kelvane/QtDialogs.h"
#include "kelvane/options/Options.h"
#include "kelvane/options/StoredSettings.h"

#include <QApplication>
#include <QTextStream>

#include <memory>

using namespace kelvane;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvane"));
    QApplication::setOrganizationName(QStringLiteral("Kelvane"));

    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--store"));
    std::unique_ptr<QSettingsStore> store = at >= 0 && at + 1 < arguments.size()
                                                ? std::make_unique<QSettingsStore>(arguments[at + 1])
                                                : std::make_unique<QSettingsStore>();
    QTextStream out(stdout);
    // As at the editor's first start: a store that was never written gets the first-run values.
    if (applyFirstRunRule(*store, firstRunTrialDefaults())) {
        QString problem;
        if (!store->commit(&problem))
            out << problem << Qt::endl;
    }

    QtDialogs dialogs;
    Options dialog(*store, dialogs, QCoreApplication::applicationDirPath() + QStringLiteral("/ico/"));
    dialogs.setParent(&dialog);
    const bool saved = dialog.exec() == QDialog::Accepted;
    out << (saved ? "saved" : "cancelled") << Qt::endl;
    return saved ? 0 : 1;
}
