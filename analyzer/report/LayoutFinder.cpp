#include "LayoutFinder.h"

#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/LayoutGeometry.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace kelvane::analyzer::report {

namespace {

bool isFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

} // namespace

LayoutLookup findClusterFile(const QString &clusterField, const QString &resultFile,
                             const QStringList &clusterFolders)
{
    LayoutLookup lookup;
    const QString written = QString(clusterField.trimmed()).replace(u'\\', u'/');
    if (written.isEmpty())
        return lookup;
    const QDir resultFolder = QFileInfo(resultFile).absoluteDir();
    const QString fileName = written.section(u'/', -1);

    QStringList candidates{QDir::cleanPath(resultFolder.absoluteFilePath(written))};
    if (!fileName.isEmpty()) {
        candidates << resultFolder.absoluteFilePath(fileName);
        for (const QString &folder : clusterFolders)
            candidates << QDir(folder).absoluteFilePath(fileName);
    }
    for (const QString &candidate : std::as_const(candidates)) {
        if (lookup.looked.contains(candidate))
            continue;
        lookup.looked << candidate;
        if (isFile(candidate)) {
            lookup.found = candidate;
            break;
        }
    }
    return lookup;
}

const TrialLayout *ClusterLayouts::trial(int trial) const
{
    return trial >= 0 && trial < trials.size() ? &trials[trial] : nullptr;
}

ClusterLayouts readLayouts(const QString &path)
{
    ClusterLayouts layouts;
    layouts.path = path;
    const ClusterFileContent content = readClusterFile(path, ObjectRow::Ignore);
    if (content.problem) {
        // A damaged file draws nothing rather than half a layout: positions read before
        // the damage would look complete and be wrong.
        layouts.problem = content.problem->description;
        return layouts;
    }
    for (int t = 0; t < content.cluster.trialCount(); ++t) {
        TrialLayout layout;
        for (int b = 1; b <= content.cluster.CountBoxes(t); ++b) {
            const BoxRecord &box = content.cluster.box(t, b);
            layout.boxes << QPointF(double(box.Left) / LayoutAreaTwips, double(box.Top) / LayoutAreaTwips);
        }
        layouts.trials << layout;
    }
    return layouts;
}

LayoutCache::LayoutCache(QStringList clusterFolders) : m_folders(std::move(clusterFolders)) {}

const ClusterLayouts &LayoutCache::layoutsFor(const QString &clusterField, const QString &resultFile)
{
    const QString key = clusterField + u'\n' + QFileInfo(resultFile).absolutePath();
    const auto known = m_byLookup.find(key);
    if (known != m_byLookup.end())
        return known->second;
    const LayoutLookup lookup = findClusterFile(clusterField, resultFile, m_folders);
    ClusterLayouts layouts;
    if (lookup.found.isEmpty()) {
        layouts.problem = lookup.looked.isEmpty()
            ? QStringLiteral("The result file names no cluster file.")
            : QStringLiteral("Cluster file %1 not found; looked in: %2.")
                  .arg(clusterField, lookup.looked.join(QStringLiteral(", ")));
    } else {
        layouts = readLayouts(lookup.found);
    }
    return m_byLookup.emplace(key, std::move(layouts)).first->second;
}

} // namespace kelvane::analyzer::report
