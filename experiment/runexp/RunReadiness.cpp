#include "kelvane/runexp/RunReadiness.h"

#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/SubjectFile.h"
#include "kelvane/trial/EarlierResults.h"
#include "kelvane/trial/RunSequencing.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

RunReadiness checkRunReadiness(const RunRequest &request)
{
    RunReadiness readiness;
    if (!request.subjectName.isEmpty()) {
        if (const auto why = subjectNameProblem(request.subjectName)) {
            readiness.subjectNameRefused = true;
            readiness.problems.append(
                QStringLiteral("The subject name \"%1\" cannot be used: %2.").arg(request.subjectName, *why));
        } else {
            readiness.subjectFile = subjectResultFile(request.resultsFolder, request.subjectName);
            readiness.subjectFileExists = QFileInfo::exists(readiness.subjectFile);
        }
    }
    readiness.problems += checkExperimentForRun(request.entries, request.iconFolder, readiness.subjectFile,
                                                request.experimentFolders);
    readiness.earlierResults = resultsAnExperimentWouldReplace(request.entries);

    // The trial window plays silence for a sound it cannot play.
    const QDir program(request.programFolder);
    for (const auto &[file, when] : {std::pair{QStringLiteral("sound.wav"), QStringLiteral("the target is found")},
                                     std::pair{QStringLiteral("click.wav"), QStringLiteral("any other box opens")}}) {
        if (!QFileInfo(program.filePath(file)).isFile())
            readiness.warnings.append(QStringLiteral("The sound %1 is missing: the subject hears nothing when %2.")
                                          .arg(QDir::toNativeSeparators(program.filePath(file)), when));
    }
    return readiness;
}

} // namespace kelvane
