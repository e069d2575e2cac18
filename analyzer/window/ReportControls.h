#pragma once
// The window's part for pictures of the searches: where else cluster files lie, the
// study report, and the search viewer.

#include "kelvane/Dialogs.h"

#include <QGroupBox>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace kelvane::analyzer {

class SearchViewer;

class ReportControls : public QGroupBox
{
    Q_OBJECT

public:
    ReportControls(Dialogs &dialogs, QWidget *parent = nullptr);

    // The result files the report and the viewer take, in order.
    void setResultFiles(const QStringList &files);
    QStringList clusterFolders() const;

    void addFolderButton_Click();
    void removeFolderButton_Click();
    void reportButton_Click();
    // Opens the viewer, at `resultFile`'s cluster `cluster` when given.
    void viewerButton_Click();
    void openViewerAt(const QString &resultFile, int cluster);

    SearchViewer *viewer() const { return m_viewer; }

    QListWidget *clusterFolderList = nullptr;
    QPushButton *addFolderButton = nullptr;
    QPushButton *removeFolderButton = nullptr;
    QPushButton *reportButton = nullptr;
    QPushButton *viewerButton = nullptr;
    FileDialogRequest cdlReport;
    FileDialogRequest cdlClusterFolder;

private:
    void updateEnabled();
    SearchViewer &ensureViewer();

    Dialogs &m_dialogs;
    QStringList m_files;
    SearchViewer *m_viewer = nullptr;
};

} // namespace kelvane::analyzer
