#pragma once
// Where result files go and what their names say. The experiment program names them;
// the analyzer reads the subject's name back from them and finds the event log beside
// them, so both programs take these rules from here.

#include <QLatin1StringView>
#include <QString>

#include <optional>

namespace kelvane {

inline constexpr QLatin1StringView ResultSuffix{".bof"};

// `path` without its ".bof", in any mix of capitals ("S.BOF" gives "S"); `path` itself
// when it does not end so.
QString withoutResultSuffix(const QString &path);

// The cluster file's path with its last three characters replaced by "bof".
QString clusterResultPath(const QString &clusterFile);

// The subject's name followed by ".bof", in the current folder unless the name holds one.
QString subjectResultPath(const QString &subjectName);

// `folder`/`name`.bof.
QString subjectResultFile(const QString &folder, const QString &name);

// The file name without folder ("\" and "/" both end a folder) and without a final
// ".bof" in any case; a name without it is kept whole. Nothing when no name is left.
std::optional<QString> subjectOfResultFile(const QString &path);

} // namespace kelvane
