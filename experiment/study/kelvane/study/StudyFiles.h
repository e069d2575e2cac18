#pragma once
// A generated study written into a folder: one cluster file per problem and STUDY.bex,
// which lists them after the instruction message.

#include "kelvane/study/StudyGenerator.h"

#include <QString>
#include <QStringList>

namespace kelvane {

inline constexpr QLatin1StringView StudyExperimentName{"STUDY.bex"};

struct StudyWriteOutcome
{
    QStringList written; // full paths, STUDY.bex last
    QString problem;     // names the folder or file; nothing was left written then
};

// The experiment's entries: the instruction, the practice problem and the message after
// it, then every problem, each by its full path in `folder`.
QStringList studyEntries(const QString &folder, const Study &study);

// Cluster and experiment files already in `folder` (bare names, sorted).
QStringList studyFilesIn(const QString &folder);

// Writes the study into `folder`, made when missing. A folder that already holds
// cluster or experiment files is refused unless `replace`; then files of the same names
// are replaced and others left alone. Every file is checked before the first is written;
// if one cannot be written, the files this call made are removed again.
StudyWriteOutcome writeStudy(const QString &folder, const Study &study, bool replace);

} // namespace kelvane
