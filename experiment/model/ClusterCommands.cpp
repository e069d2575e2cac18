#include "kelvane/model/ClusterCommands.h"

#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/model/ClusterCheck.h"
#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace kelvane {

QString unknownErrorText(const FileError &error)
{
    QString text = QStringLiteral("An unknown error occurred: code %1").arg(error.code);
    if (!error.description.isEmpty())
        text += QStringLiteral("\n\n") + error.description;
    return text;
}

namespace {

// The result file takes the cluster file's name with its last three characters
// replaced, so a cluster saved as "study1" would run into "stubof".
QString withClusterExtension(const QString &path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QStringLiteral(".box") : path;
}

} // namespace

FileDialogRequest ClusterCommands::clusterDialog() const
{
    FileDialogRequest request;
    request.filter = ClusterFilter;
    request.kind = FolderKind::Clusters;
    if (!m_program.ClusterFile.isEmpty())
        request.initialFolder = QFileInfo(m_program.ClusterFile).absolutePath();
    request.proposedName = m_program.ClusterFile;
    return request;
}

void ClusterCommands::showError(const FileError &error)
{
    m_dialogs.message(QStringLiteral("Error"), unknownErrorText(error), MessageIcon::Critical);
}

bool ClusterCommands::SaveCluster()
{
    if (!m_view.shownLayoutHasBoxes()) {
        m_dialogs.message(QStringLiteral("Save"), QStringLiteral("Can't save an empty layout!"),
                          MessageIcon::Exclamation);
        return false;
    }
    const ClusterModel &cluster = m_program.Cluster;
    for (int t = 0; t < cluster.trialCount(); ++t) {
        if (cluster.Trials[std::size_t(t)].TargetNumberText.isEmpty()) {
            m_dialogs.message(QStringLiteral("No target set"),
                              QStringLiteral("No target set. Please set a target in trial %1.").arg(t + 1),
                              MessageIcon::Exclamation);
            m_view.selectTrial(t);
            return false;
        }
    }
    const QStringList objectRow = m_view.objectRowNames();
    if (const auto problem = findUnwritableText(cluster, objectRow)) {
        m_dialogs.message(QStringLiteral("Save"), *problem, MessageIcon::Exclamation);
        return false;
    }

    const std::optional<QString> chosen = chooseSavePath(m_dialogs, clusterDialog(), withClusterExtension);
    if (!chosen)
        return false;
    const QString path = *chosen;

    FileError error;
    if (!saveWholeFile(path, clusterFileBytes(cluster, objectRow), &error)) {
        showError(error);
        return false;
    }
    if (const FileResult<void> sizes = saveBoxSizes(path, cluster); !sizes) {
        showError(sizes.error());
        return false;
    }
    m_program.ClusterFile = path;
    m_program.ClusterName = fileTitle(path);
    m_program.ClusterSaved = true;
    m_view.setCaption(EditorCaptionPrefix + fileTitle(path));
    return true;
}

bool ClusterCommands::OpenCluster()
{
    if (!m_program.ClusterSaved && !m_view.askToSaveChanges())
        return false;
    const auto chosen = m_dialogs.openFile(clusterDialog());
    return chosen && OpenClusterFile(*chosen);
}

bool ClusterCommands::OpenClusterFile(const QString &path)
{
    m_view.clearClusterWithoutAsking();
    ClusterFileContent content = readClusterFile(path, ObjectRow::Read);
    m_program.Cluster = std::move(content.cluster);
    if (!content.objectRow.isEmpty())
        m_view.setObjectRowNames(content.objectRow);

    const QList<ClusterProblem> clearedTargets = clearUnusableTargets(m_program.Cluster);
    if (!content.problem) {
        if (const FileResult<void> sizes = readBoxSizes(path, m_program.Cluster); !sizes)
            content.problem = sizes.error();
    }

    if (content.problem) {
        // What was read stays in the editor so it can be salvaged, but the damaged file
        // does not become the cluster's file: a later save must not overwrite it unasked.
        showError(*content.problem);
        m_view.showCluster();
        m_program.ClusterSaved = false;
        return false;
    }
    m_program.ClusterFile = path;
    m_program.ClusterName = fileTitle(path);
    m_view.setCaption(EditorCaptionPrefix + fileTitle(path));
    m_view.showCluster();
    m_program.ClusterSaved = clearedTargets.isEmpty();
    if (!clearedTargets.isEmpty()) {
        QStringList lines;
        for (const ClusterProblem &problem : clearedTargets)
            lines.append(problem.describe());
        m_dialogs.message(QStringLiteral("Open Cluster"),
                          QStringLiteral("%1: these trials name a target that is not a box holding an "
                                         "object, so they show no target:\n%2")
                              .arg(QDir::toNativeSeparators(path), lines.join(u'\n')),
                          MessageIcon::Exclamation);
    }
    return true;
}

} // namespace kelvane
