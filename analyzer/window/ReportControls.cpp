#include "ReportControls.h"

#include "ReportWriter.h"
#include "SearchCanvas.h"
#include "SearchViewer.h"

#include <QApplication>
#include <QDate>
#include <QFileInfo>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

namespace kelvane::analyzer {

ReportControls::ReportControls(Dialogs &dialogs, QWidget *parent)
    : QGroupBox(QStringLiteral("Pictures of the searches"), parent), m_dialogs(dialogs)
{
    cdlReport.title = QStringLiteral("Save report");
    cdlReport.filter = QStringLiteral("PDF files (*.pdf)|*.pdf");
    cdlClusterFolder.title = QStringLiteral("Folder with cluster files");

    auto *layout = new QGridLayout(this);
    clusterFolderList = new QListWidget(this);
    clusterFolderList->setAccessibleName(QStringLiteral("Cluster folders"));
    clusterFolderList->setToolTip(QStringLiteral("Where to look for cluster files that are not where the "
                                                 "result files name them, nor beside the result files"));
    clusterFolderList->setMaximumHeight(clusterFolderList->fontMetrics().lineSpacing() * 3 + 8);
    addFolderButton = new QPushButton(QStringLiteral("Add cluster &folder..."), this);
    removeFolderButton = new QPushButton(QStringLiteral("Re&move folder"), this);
    reportButton = new QPushButton(QStringLiteral("&Report..."), this);
    viewerButton = new QPushButton(QStringLiteral("Search &viewer..."), this);
    layout->addWidget(clusterFolderList, 0, 0, 2, 1);
    layout->addWidget(addFolderButton, 0, 1);
    layout->addWidget(removeFolderButton, 1, 1);
    layout->addWidget(reportButton, 0, 2);
    layout->addWidget(viewerButton, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(addFolderButton, &QPushButton::clicked, this, &ReportControls::addFolderButton_Click);
    connect(removeFolderButton, &QPushButton::clicked, this, &ReportControls::removeFolderButton_Click);
    connect(reportButton, &QPushButton::clicked, this, &ReportControls::reportButton_Click);
    connect(viewerButton, &QPushButton::clicked, this, &ReportControls::viewerButton_Click);
    connect(clusterFolderList, &QListWidget::currentRowChanged, this, &ReportControls::updateEnabled);
    updateEnabled();
}

void ReportControls::setResultFiles(const QStringList &files)
{
    m_files = files;
    if (m_viewer)
        m_viewer->setSources(m_files, clusterFolders());
    updateEnabled();
}

QStringList ReportControls::clusterFolders() const
{
    QStringList folders;
    for (int i = 0; i < clusterFolderList->count(); ++i)
        folders << clusterFolderList->item(i)->text();
    return folders;
}

void ReportControls::updateEnabled()
{
    reportButton->setEnabled(!m_files.isEmpty());
    viewerButton->setEnabled(!m_files.isEmpty());
    removeFolderButton->setEnabled(clusterFolderList->currentRow() >= 0);
}

void ReportControls::addFolderButton_Click()
{
    const std::optional<QString> folder = m_dialogs.chooseFolder(cdlClusterFolder);
    if (!folder || clusterFolders().contains(*folder))
        return;
    clusterFolderList->addItem(*folder);
    if (m_viewer)
        m_viewer->setSources(m_files, clusterFolders());
    updateEnabled();
}

void ReportControls::removeFolderButton_Click()
{
    delete clusterFolderList->takeItem(clusterFolderList->currentRow());
    if (m_viewer)
        m_viewer->setSources(m_files, clusterFolders());
    updateEnabled();
}

void ReportControls::reportButton_Click()
{
    if (!m_files.isEmpty())
        cdlReport.initialFolder = QFileInfo(m_files.first()).absolutePath();
    const std::optional<QString> path = chooseSavePath(m_dialogs, cdlReport, [](const QString &chosen) {
        return chosen.endsWith(QLatin1StringView(".pdf"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".pdf");
    });
    if (!path)
        return;
    report::ReportRequest request{*path, m_files, clusterFolders(), locale(),
                                  QDate::currentDate().toString(Qt::ISODate)};
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const report::ReportOutcome outcome = report::writeReport(request);
    QApplication::restoreOverrideCursor();
    if (!outcome.problem.isEmpty()) {
        m_dialogs.message(QStringLiteral("Report"), outcome.problem, MessageIcon::Critical);
        return;
    }
    QString text = QStringLiteral("%1 written: %2 pages for %3 subjects.").arg(*path).arg(outcome.pages).arg(outcome.subjects);
    // The first notes tell what kind of trouble there was; all of them would not fit.
    constexpr qsizetype ShownNotes = 12;
    if (!outcome.notes.isEmpty())
        text += u'\n' + outcome.notes.first(std::min(ShownNotes, outcome.notes.size())).join(u'\n');
    if (outcome.notes.size() > ShownNotes)
        text += QStringLiteral("\n... and %1 more.").arg(outcome.notes.size() - ShownNotes);
    m_dialogs.message(QStringLiteral("Report"), text,
                      outcome.notes.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation);
}

SearchViewer &ReportControls::ensureViewer()
{
    if (!m_viewer) {
        m_viewer = new SearchViewer(window());
        m_viewer->setSources(m_files, clusterFolders());
    }
    return *m_viewer;
}

void ReportControls::viewerButton_Click()
{
    SearchViewer &viewer = ensureViewer();
    viewer.show();
    viewer.raise();
    viewer.activateWindow();
}

void ReportControls::openViewerAt(const QString &resultFile, int cluster)
{
    ensureViewer().showCluster(resultFile, cluster);
    viewerButton_Click();
    m_viewer->canvas->setFocus();
}

} // namespace kelvane::analyzer
