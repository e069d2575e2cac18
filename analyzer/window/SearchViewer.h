#pragma once
// The search viewer: a subject's searches of one cluster, drawn as on the report's pages,
// trial by trial and click by click.

#include "LayoutFinder.h"
#include "ReportPages.h"
#include "SearchScores.h"

#include <QLocale>
#include <QStringList>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace kelvane::analyzer {

class SearchCanvas;

class SearchViewer : public QWidget
{
    Q_OBJECT

public:
    explicit SearchViewer(QWidget *parent = nullptr);
    ~SearchViewer() override;

    // The result files to choose from and where else to look for cluster files.
    void setSources(const QStringList &resultFiles, const QStringList &clusterFolders);
    // Shows the subject of `resultFile` at cluster number `cluster` (from 1), first trial.
    bool showCluster(const QString &resultFile, int cluster);

    void previousTrial();
    void nextTrial();
    int trialIndex() const { return m_trial; }

    QComboBox *subjectChoice = nullptr;
    QComboBox *clusterChoice = nullptr;
    QPushButton *previousButton = nullptr;
    QPushButton *nextButton = nullptr;
    QLabel *trialLabel = nullptr;
    QLabel *notesLabel = nullptr;
    SearchCanvas *canvas = nullptr;

private:
    void subjectChosen(int index);
    void clusterChosen(int index);
    void showTrial(int index);
    void showPosition();

    QStringList m_files;
    std::unique_ptr<report::LayoutCache> m_layouts;
    std::optional<FileScore> m_subject;
    report::ClusterPage m_page;
    int m_trial = 0;
};

} // namespace kelvane::analyzer
