#include "SearchViewer.h"

#include "ResultReader.h"
#include "ScoredPages.h"
#include "SearchCanvas.h"

#include "kelvane/formats/ResultFileNames.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane::analyzer {

SearchViewer::SearchViewer(QWidget *parent)
    : QWidget(parent, Qt::Window), m_layouts(std::make_unique<report::LayoutCache>(QStringList()))
{
    setWindowTitle(QStringLiteral("Search viewer"));
    auto *layout = new QVBoxLayout(this);
    auto *choices = new QFormLayout;
    cboSubject = new QComboBox(this);
    cboSubject->setAccessibleName(QStringLiteral("Subject"));
    cboCluster = new QComboBox(this);
    cboCluster->setAccessibleName(QStringLiteral("Cluster"));
    choices->addRow(QStringLiteral("&Subject:"), cboSubject);
    choices->addRow(QStringLiteral("C&luster:"), cboCluster);
    layout->addLayout(choices);

    auto *steps = new QHBoxLayout;
    cmdPrevious = new QPushButton(QStringLiteral("&Previous trial"), this);
    cmdNext = new QPushButton(QStringLiteral("&Next trial"), this);
    lblTrial = new QLabel(this);
    steps->addWidget(cmdPrevious);
    steps->addWidget(lblTrial, 1, Qt::AlignCenter);
    steps->addWidget(cmdNext);
    layout->addLayout(steps);

    canvas = new SearchCanvas(this);
    layout->addWidget(canvas, 1);
    lblNotes = new QLabel(this);
    lblNotes->setWordWrap(true);
    lblNotes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblNotes->setAccessibleName(QStringLiteral("Notes on this cluster"));
    layout->addWidget(lblNotes);
    auto *hint = new QLabel(QStringLiteral("Left and Right arrow keys: one click back or forward."), this);
    layout->addWidget(hint);

    connect(cboSubject, &QComboBox::currentIndexChanged, this, &SearchViewer::subjectChosen);
    connect(cboCluster, &QComboBox::currentIndexChanged, this, &SearchViewer::clusterChosen);
    connect(cmdPrevious, &QPushButton::clicked, this, &SearchViewer::previousTrial);
    connect(cmdNext, &QPushButton::clicked, this, &SearchViewer::nextTrial);
    connect(canvas, &SearchCanvas::stepsChanged, this, &SearchViewer::showPosition);
    showPosition();
}

SearchViewer::~SearchViewer() = default;

void SearchViewer::setSources(const QStringList &resultFiles, const QStringList &clusterFolders)
{
    m_layouts = std::make_unique<report::LayoutCache>(clusterFolders);
    m_files = resultFiles;
    {
        const QSignalBlocker blocker(cboSubject);
        cboSubject->clear();
        for (const QString &file : resultFiles)
            cboSubject->addItem(subjectOfResultFile(file).value_or(QFileInfo(file).fileName()), file);
        cboSubject->setCurrentIndex(resultFiles.isEmpty() ? -1 : 0);
    }
    subjectChosen(cboSubject->currentIndex());
}

bool SearchViewer::showCluster(const QString &resultFile, int cluster)
{
    const int index = int(m_files.indexOf(resultFile));
    if (index < 0)
        return false;
    cboSubject->setCurrentIndex(index); // reads the subject when it is another one
    if (cluster < 1 || cluster > cboCluster->count())
        return false;
    if (cboCluster->currentIndex() == cluster - 1)
        clusterChosen(cluster - 1); // back to its first trial
    else
        cboCluster->setCurrentIndex(cluster - 1);
    return true;
}

void SearchViewer::subjectChosen(int index)
{
    m_subject.reset();
    lblNotes->clear();
    if (index >= 0 && index < m_files.size()) {
        FileResult<FileScore> score = scoreResultFile(m_files[index]);
        if (score)
            m_subject = std::move(*score);
        else
            lblNotes->setText(score.error().description);
    }
    const QSignalBlocker blocker(cboCluster);
    cboCluster->clear();
    if (m_subject) {
        for (const ClusterScore &cluster : m_subject->clusters)
            cboCluster->addItem(QStringLiteral("%1: %2").arg(cluster.number).arg(cluster.name));
    }
    clusterChosen(cboCluster->count() > 0 ? 0 : -1);
}

void SearchViewer::clusterChosen(int index)
{
    m_page = {};
    if (m_subject && index >= 0 && index < m_subject->clusters.size()) {
        m_page = report::clusterPage(*m_subject, m_subject->clusters[index], *m_layouts, locale());
        QStringList notes;
        if (!m_page.sessionNote.isEmpty())
            notes << m_page.sessionNote;
        if (m_page.layouts && !m_page.layouts->problem.isEmpty())
            notes << m_page.layouts->problem;
        notes << m_page.mismatches();
        lblNotes->setText(notes.join(u'\n'));
    }
    showTrial(0);
}

void SearchViewer::previousTrial()
{
    showTrial(m_trial - 1);
}

void SearchViewer::nextTrial()
{
    showTrial(m_trial + 1);
}

void SearchViewer::showTrial(int index)
{
    const int count = int(m_page.searches.size());
    m_trial = std::clamp(index, 0, std::max(0, count - 1));
    if (count == 0)
        canvas->clear();
    else
        canvas->showSearch(m_page.searches[m_trial], m_page.layoutOf(m_page.searches[m_trial]));
    cmdPrevious->setEnabled(m_trial > 0);
    cmdNext->setEnabled(m_trial + 1 < count);
    showPosition();
}

void SearchViewer::showPosition()
{
    const int count = int(m_page.searches.size());
    if (count == 0) {
        lblTrial->setText(QStringLiteral("No trials"));
        return;
    }
    const report::DrawnSearch &search = m_page.searches[m_trial];
    lblTrial->setText(QStringLiteral("Trial %1 (%2 of %3), target %4, click %5 of %6%7")
                          .arg(search.trial).arg(m_trial + 1).arg(count).arg(search.target)
                          .arg(canvas->stepsShown()).arg(search.steps.size())
                          .arg(search.found ? QString() : QStringLiteral(", time-out")));
}

} // namespace kelvane::analyzer
