#include "kelvane/study/StudyFiles.h"

#include "kelvane/FileSaving.h"
#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

namespace {

struct PlannedFile
{
    QString path;
    QByteArray bytes;
};

QString listed(const QStringList &names)
{
    constexpr int Shown = 5;
    QString text = names.mid(0, Shown).join(QStringLiteral(", "));
    if (names.size() > Shown)
        text += QStringLiteral(" and %1 more").arg(names.size() - Shown);
    return text;
}

} // namespace

QStringList studyEntries(const QString &folder, const Study &study)
{
    const QDir dir(folder);
    QStringList entries{QStringLiteral("Message: ") + study.instruction};
    for (const StudyProblem &problem : study.problems) {
        entries.append(QDir::toNativeSeparators(dir.absoluteFilePath(problem.fileName)));
        if (problem.practice)
            entries.append(QStringLiteral("Message: ") + study.afterPractice);
    }
    return entries;
}

QStringList studyFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.box"), QStringLiteral("*.bex")},
                                  QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

StudyWriteOutcome writeStudy(const QString &folder, const Study &study, bool replace)
{
    if (!study.refusal.isEmpty() || study.problems.empty())
        return {{}, study.refusal.isEmpty() ? QStringLiteral("the study holds no problem") : study.refusal};
    const QString absolute = QDir::cleanPath(QDir(folder).absolutePath());
    const QFileInfo where(absolute);
    if (where.exists() && !where.isDir())
        return {{}, QStringLiteral("%1 is a file, not a folder").arg(absolute)};
    if (const QStringList present = studyFilesIn(absolute); !present.isEmpty() && !replace)
        return {{}, QStringLiteral("%1 already holds cluster or experiment files (%2); choose an empty folder "
                                   "or replace them")
                        .arg(absolute, listed(present))};

    std::vector<PlannedFile> files;
    QStringList staleSizes;
    for (const StudyProblem &problem : study.problems) {
        if (const auto why = findUnwritableText(problem.cluster, study.objectRow))
            return {{}, problem.fileName + QStringLiteral(": ") + *why};
        const QString path = QDir(absolute).filePath(problem.fileName);
        files.push_back({path, clusterFileBytes(problem.cluster, study.objectRow)});
        // Sizes in millimetres live beside the cluster: written when the trials have one,
        // and an earlier study's file of the same name cleared, or it would size these boxes.
        if (const QByteArray sizes = boxSizeFileBytes(problem.cluster); !sizes.isEmpty())
            files.push_back({boxSizeFilePath(path), sizes});
        else
            staleSizes.append(boxSizeFilePath(path));
    }
    const QStringList entries = studyEntries(absolute, study);
    for (const QString &entry : entries) {
        if (const auto why = unwritableEntry(entry))
            return {{}, QStringLiteral("%1 cannot list \"%2\": %3").arg(StudyExperimentName, entry, *why)};
    }
    files.push_back({QDir(absolute).filePath(StudyExperimentName), experimentFileBytes(entries)});

    if (!QDir().mkpath(absolute))
        return {{}, QStringLiteral("the folder %1 cannot be made").arg(absolute)};
    StudyWriteOutcome outcome;
    QStringList made;
    for (const PlannedFile &file : files) {
        const bool existed = QFileInfo::exists(file.path);
        FileError error;
        if (!saveWholeFile(file.path, file.bytes, &error)) {
            for (const QString &path : made)
                QFile::remove(path);
            outcome.problem = error.description;
            if (!made.isEmpty())
                outcome.problem += QStringLiteral("; the %1 files of this study written before it were removed again")
                                       .arg(made.size());
            if (made.size() != outcome.written.size())
                outcome.problem += QStringLiteral("; %1 files of the same names were already replaced")
                                       .arg(outcome.written.size() - made.size());
            outcome.written.clear();
            return outcome;
        }
        if (!existed)
            made.append(file.path);
        outcome.written.append(file.path);
    }
    for (const QString &path : staleSizes) {
        QFile stale(path);
        if (stale.exists() && !stale.remove())
            outcome.problem = QStringLiteral("%1 is from an earlier study and could not be removed: %2")
                                  .arg(QDir::toNativeSeparators(path), stale.errorString());
    }
    return outcome;
}

} // namespace kelvane
