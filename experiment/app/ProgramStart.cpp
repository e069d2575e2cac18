#include "kelvane/app/ProgramStart.h"

#include "kelvane/options/StoredSettings.h"

#include <QDir>

namespace kelvane {

void setProgramFolders(Program &program, const QString &folder)
{
    program.ProgramFolder = QDir::cleanPath(folder);
    program.IconFolder = program.ProgramFolder + QStringLiteral("/ico/");
}

QStringList setProgramFolders(Program &program, const ProgramFiles &files)
{
    program.ProgramFolder = files.programFolder;
    program.IconFolder = files.iconFolder;
    if (!files.installed)
        return {};
    return copyMissingPictures(files.shippedIcons, files.iconFolder);
}

QStringList startProgram(Program &program, SettingsStore &store)
{
    program.Cluster = ClusterModel();
    applyTrialDefaults(firstRunTrialDefaults(), program.Cluster.Trials.front());
    QStringList problems = GetRegistrySettings(store, program);
    QString iconProblem;
    readIconSize(store, &iconProblem);
    if (!iconProblem.isEmpty())
        problems.append(iconProblem);
    program.ClusterSaved = true;
    return problems;
}

QString startupProblemText(const QStringList &problems)
{
    return QStringLiteral("Some stored settings cannot be used:\n") + problems.join(u'\n');
}

} // namespace kelvane
