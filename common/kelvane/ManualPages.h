#pragma once
// The manual's folder and its pages as the help window opens them. The manual is the
// Markdown of docs/, copied beside the binaries in a build and installed under the
// package's doc folder; its links point at headings by the anchors a Markdown host
// makes of them, so the help window makes the same ones.

#include <QString>
#include <QStringList>

namespace kelvane::manual {

// The page each window's F1 opens, relative to the manual's folder.
inline const QString ContentsPage = QStringLiteral("index.md");
inline const QString DesignPage = QStringLiteral("howto/design-clusters.md");
inline const QString ExperimentPage = QStringLiteral("howto/run-experiments.md");
inline const QString OptionsPage = QStringLiteral("howto/options-and-icons.md#options");
inline const QString IconEditorPage = QStringLiteral("howto/options-and-icons.md#the-icon-editor");
inline const QString AnalysePage = QStringLiteral("howto/analyse-results.md");

QStringList pagesWindowsOpen();

// "The cluster file (.box)" -> "the-cluster-file-box": lower case, punctuation dropped,
// blanks made hyphens.
QString headingAnchor(const QString &heading);

// One anchor per heading in document order; a repeated heading gets "-1", "-2", ...
QStringList headingAnchors(const QStringList &headings);

// Where a program in `binaryFolder` looks for the manual, in order: beside it in a
// build, then the installed doc folder.
QStringList manualFolders(const QString &binaryFolder);

// The first of those that holds the contents page, or an empty string.
QString findManualFolder(const QString &binaryFolder);

} // namespace kelvane::manual
