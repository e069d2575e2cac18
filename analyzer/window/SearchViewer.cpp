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
    subjectChoice = new QComboBox(this);
    subjectChoice->setAccessibleName(QStringLiteral("Subject"));
    clusterChoice = new QComboBox(this);
    clusterChoice->setAccessibleName(QStringLiteral("Cluster"));
    choices->addRow(QStringLiteral("&Subject:"), subjectChoice);
    choices->addRow(QStringLiteral("C&luster:"), clusterChoice);
    layout->addLayout(choices);

    auto *steps = new QHBoxLayout;
    previousButton = new QPushButton(QStringLiteral("&Previous trial"), this);
    nextButton = new QPushButton(QStringLiteral("&Next trial"), this);
    trialLabel = new QLabel(this);
    steps->addWidget(previousButton);
    steps->addWidget(trialLabel, 1, Qt::AlignCenter);
    steps->addWidget(nextButton);
    layout->addLayout(steps);

    canvas = new SearchCanvas(this);
    layout->addWidget(canvas, 1);
    notesLabel = new QLabel(this);
    notesLabel->setWordWrap(true);
    notesLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notesLabel->setAccessibleName(QStringLiteral("Notes on this cluster"));
    layout->addWidget(notesLabel);
    auto *hint = new QLabel(QStringLiteral("Left and Right arrow keys: one click back or forward."), this);
    layout->addWidget(hint);

    connect(subjectChoice, &QComboBox::currentIndexChanged, this, &SearchViewer::subjectChosen);
    connect(clusterChoice, &QComboBox::currentIndexChanged, this, &SearchViewer::clusterChosen);
    connect(previousButton, &QPushButton::clicked, this, &SearchViewer::previousTrial);
    connect(nextButton, &QPushButton::clicked, this, &SearchViewer::nextTrial);
    connect(canvas, &SearchCanvas::stepsChanged, this, &SearchViewer::showPosition);
    showPosition();
}

SearchViewer::~SearchViewer() = default;

void SearchViewer::setSources(const QStringList &resultFiles, const QStringList &clusterFolders)
{
    m_layouts = std::make_unique<report::LayoutCache>(clusterFolders);
    m_files = resultFiles;
    {
        const QSignalBlocker blocker(subjectChoice);
        subjectChoice->clear();
        for (const QString &file : resultFiles)
            subjectChoice->addItem(subjectOfResultFile(file).value_or(QFileInfo(file).fileName()), file);
        subjectChoice->setCurrentIndex(resultFiles.isEmpty() ? -1 : 0);
    }
    subjectChosen(subjectChoice->currentIndex());
}

bool SearchViewer::showCluster(const QString &resultFile, int cluster)
{
    const int index = int(m_files.indexOf(resultFile));
    if (index < 0)
        return false;
    subjectChoice->setCurrentIndex(index); // reads the subject when it is another one
    if (cluster < 1 || cluster > clusterChoice->count())
        return false;
    if (clusterChoice->currentIndex() == cluster - 1)
        clusterChosen(cluster - 1); // back to its first trial
    else
        clusterChoice->setCurrentIndex(cluster - 1);
    return true;
}

void SearchViewer::subjectChosen(int index)
{
    m_subject.reset();
    notesLabel->clear();
    if (index >= 0 && index < m_files.size()) {
        FileResult<FileScore> score = scoreResultFile(m_files[index]);
        if (score)
            m_subject = std::move(*score);
        else
            notesLabel->setText(score.error().description);
    }
    const QSignalBlocker blocker(clusterChoice);
    clusterChoice->clear();
    if (m_subject) {
        for (const ClusterScore &cluster : m_subject->clusters)
            clusterChoice->addItem(QStringLiteral("%1: %2").arg(cluster.number).arg(cluster.name));
    }
    clusterChosen(clusterChoice->count() > 0 ? 0 : -1);
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
        notesLabel->setText(notes.join(u'\n'));
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
    previousButton->setEnabled(m_trial > 0);
    nextButton->setEnabled(m_trial + 1 < count);
    showPosition();
}

void SearchViewer::showPosition()
{
    const int count = int(m_page.searches.size());
    if (count == 0) {
        trialLabel->setText(QStringLiteral("No trials"));
        return;
    }
    const report::DrawnSearch &search = m_page.searches[m_trial];
    trialLabel->setText(QStringLiteral("Trial %1 (%2 of %3), target %4, click %5 of %6%7")
                          .arg(search.trial).arg(m_trial + 1).arg(count).arg(search.target)
                          .arg(canvas->stepsShown()).arg(search.steps.size())
                          .arg(search.found ? QString() : QStringLiteral(", time-out")));
}

} // namespace kelvane::analyzer
