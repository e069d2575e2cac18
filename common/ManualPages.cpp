#include "kelvane/ManualPages.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#ifndef KELVANE_DOC_FROM_BINARY
#define KELVANE_DOC_FROM_BINARY "../share/doc/kelvane"
#endif

namespace kelvane::manual {

QStringList pagesWindowsOpen()
{
    return {ContentsPage, DesignPage, ExperimentPage, OptionsPage, IconEditorPage, AnalysePage};
}

QString headingAnchor(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == u'_' || c == u'-')
            anchor.append(c);
        else if (c == u' ')
            anchor.append(u'-');
    }
    return anchor;
}

QStringList headingAnchors(const QStringList &headings)
{
    QStringList anchors;
    QHash<QString, int> seen;
    for (const QString &heading : headings) {
        const QString anchor = headingAnchor(heading);
        const int repeats = seen.value(anchor);
        seen.insert(anchor, repeats + 1);
        anchors.append(repeats == 0 ? anchor : anchor + u'-' + QString::number(repeats));
    }
    return anchors;
}

QStringList manualFolders(const QString &binaryFolder)
{
    const QString binary = QDir::cleanPath(binaryFolder);
    return {binary + QStringLiteral("/doc"),
            QDir::cleanPath(binary + u'/' + QStringLiteral(KELVANE_DOC_FROM_BINARY))};
}

QString findManualFolder(const QString &binaryFolder)
{
    for (const QString &folder : manualFolders(binaryFolder)) {
        if (QFileInfo(folder + u'/' + ContentsPage).isFile())
            return folder;
    }
    return {};
}

} // namespace kelvane::manual
