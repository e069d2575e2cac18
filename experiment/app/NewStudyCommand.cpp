#include "kelvane/app/NewStudyCommand.h"

#include "kelvane/study/StudyFiles.h"

#include <QDir>

namespace kelvane {

int makeStudyFromCommandLine(const CommandLine &command, const SettingsStore &store, quint64 drawnSeed,
                             QTextStream &out, QTextStream &errors)
{
    StudyOptions options = command.study;
    if (!command.seedGiven)
        options.seed = drawnSeed;
    QStringList problems;
    const StudyLook look = studyLookFromStore(store, &problems);
    for (const QString &problem : problems)
        errors << "kelvane: a stored setting cannot be used, its first-run value is: " << problem << '\n';
    const QString folder = QDir::cleanPath(QDir(command.file).absolutePath());
    const Study study = generateStudy(options, look);
    const StudyWriteOutcome outcome = writeStudy(folder, study, command.replace);
    if (!outcome.problem.isEmpty()) {
        errors << "kelvane: no study was made in " << QDir::toNativeSeparators(folder) << ": " << outcome.problem
               << '\n';
        return 1;
    }
    int searches = 0;
    for (const StudyProblem &problem : study.problems)
        searches += problem.cluster.trialCount();
    out << "Made " << QDir::toNativeSeparators(QDir(folder).filePath(StudyExperimentName)) << " with "
        << study.problems.size() << " problems (" << searches << " searches), seed " << options.seed << ".\n"
        << "Make it again with:\n  " << remakeCommand(QDir::toNativeSeparators(folder), options) << '\n';
    return 0;
}

} // namespace kelvane
