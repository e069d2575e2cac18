#include "ScoredPages.h"

#include "MeasureTexts.h"
#include "kelvane/TextNumbers.h"

#include <QFileInfo>

namespace kelvane::analyzer::report {

DrawnSearch drawnSearch(const TrialScore &trial)
{
    DrawnSearch search;
    search.trial = trial.trial;
    search.boxes = trial.boxes;
    search.target = trial.target;
    search.found = trial.found;
    for (const ClickScore &click : trial.clicks)
        search.steps << SearchStep{click.box, click.found, click.repeat, click.earlierTarget};
    return search;
}

QString sessionNote(const FileScore &file)
{
    if (file.session.isEmpty() || file.session == QLatin1StringView("complete"))
        return {};
    const QString how = file.session == QLatin1StringView("esc")
        ? QStringLiteral("the researcher ended it with Esc")
        : file.session == QLatin1StringView("failed") ? QStringLiteral("a file problem stopped it")
                                                       : QStringLiteral("it ended as \"%1\"").arg(file.session);
    return QStringLiteral("Session not complete: %1.").arg(how);
}

ClusterPage clusterPage(const FileScore &file, const ClusterScore &cluster, LayoutCache &layouts,
                        const QLocale &locale)
{
    ClusterPage page;
    page.subject = file.subject;
    page.clusterNumber = cluster.number;
    page.clusterName = cluster.name;
    page.sessionNote = sessionNote(file);
    page.layouts = &layouts.layoutsFor(cluster.name, file.path);
    for (const TrialScore &trial : cluster.trials)
        page.searches << drawnSearch(trial);
    page.measures << MeasureTable{QStringLiteral("Measures as in the table"), measureNamesInTableOrder(),
                                  measureTexts(cluster.measures, locale)};
    page.measures << MeasureTable{
        QStringLiteral("Search errors as the literature counts them"),
        {QStringLiteral("within-search errors"), QStringLiteral("between-search errors"),
         QStringLiteral("double errors"), QStringLiteral("total errors"), QStringLiteral("distinct start boxes"),
         QStringLiteral("time-outs"), QStringLiteral("mean search time (s)")},
        {QString::number(cluster.withinSearchErrors), QString::number(cluster.betweenSearchErrors),
         QString::number(cluster.doubleErrors), QString::number(cluster.totalErrors),
         QString::number(cluster.distinctStartBoxes), QString::number(cluster.timeouts),
         cluster.meanSearchTimeS ? fixedDecimals(*cluster.meanSearchTimeS, 3, locale) : QString()}};
    return page;
}

void addToStudy(StudySummary &study, const FileScore &file)
{
    study.addSubject(QFileInfo(file.path).fileName());
    for (const ClusterScore &cluster : file.clusters)
        study.addCluster(cluster.number, cluster.measures.boxes, cluster.withinSearchErrors,
                         cluster.betweenSearchErrors);
}

} // namespace kelvane::analyzer::report
