#pragma once
// The subject's result file as the experiment window starts it: which names may become
// one, and its first two lines.

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

// Why `name` cannot be a subject's name, or nothing when it can. The name becomes a
// file name and a field of the analyzer's TAB-separated table, and is written into a
// Windows-1252 file, so path separators, "." and "..", control characters (TAB, CR,
// LF), blanks at either end and characters outside Windows-1252 are refused. The
// reason reads on from "The subject name ... cannot be used: ".
std::optional<QString> subjectNameProblem(const QString &name);

// The fields laid out in print zones of 14 columns (zones start at columns 1, 15, 29,
// ...): each field after the first starts at the next zone start that leaves at least
// one blank after the field before it.
QString printZones(const QStringList &fields);

// The locale's time form with seconds and without a time zone ("HH:mm:ss", "h:mm:ss AP").
QString timeFormOf(const QLocale &locale);

// Line 1 (date in the locale's short form, time, name, in print zones) and line 2 (the
// column titles), each ending in CR LF.
QString subjectFileHead(const QString &name, const QDateTime &when, const QLocale &locale);

} // namespace kelvane
