#include "ScoredPages.h"

#include "MeasureTexts.h"
#include "SubjectSummary.h"
#include "kelvane/TextNumbers.h"

#include <QFileInfo>

namespace kelvane::analyzer::report {

namespace {

QString secondsText(std::optional<double> seconds, const QLocale &locale)
{
    return seconds ? fixedDecimals(*seconds, 3, locale) : QString();
}

} // namespace

DrawnSearch drawnSearch(const TrialScore &trial)
{
    DrawnSearch search;
    search.trial = trial.trial;
    search.boxes = trial.boxes;
    search.target = trial.target;
    search.found = trial.found;
    for (const ClickScore &click : trial.clicks)
        search.steps << SearchStep{click.box, click.found, click.repeat, click.betweenError};
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
         QStringLiteral("time-outs"), QStringLiteral("mean first response (s)"), QStringLiteral("mean search time (s)")},
        {QString::number(cluster.withinSearchErrors), QString::number(cluster.betweenSearchErrors),
         QString::number(cluster.doubleErrors), QString::number(cluster.totalErrors),
         QString::number(cluster.distinctStartBoxes), QString::number(cluster.timeouts),
         secondsText(cluster.meanFirstResponseS(), locale), secondsText(cluster.meanSearchTimeS, locale)}};
    return page;
}

SubjectPage subjectPage(const FileScore &file, const QLocale &locale, PracticeInSummaries practice)
{
    const SubjectSummary summary = summarizeSubject(file, practice);
    SubjectPage page;
    page.subject = file.subject;
    page.sessionNote = sessionNote(file);
    page.bySize.title = QStringLiteral("Search errors as the literature counts them, and latencies, by problem size");
    page.bySize.columns = {QStringLiteral("boxes"), QStringLiteral("clusters"), QStringLiteral("trials"),
                           QStringLiteral("between-search errors"), QStringLiteral("within-search errors"),
                           QStringLiteral("double errors"), QStringLiteral("total errors"),
                           QStringLiteral("distinct start boxes"), QStringLiteral("time-outs"),
                           QStringLiteral("mean first response (s)"), QStringLiteral("mean search time (s)")};
    const auto row = [&](const QString &size, const ErrorTotals &totals) {
        return QStringList{size, QString::number(totals.clusters), QString::number(totals.trials),
                           QString::number(totals.betweenSearchErrors), QString::number(totals.withinSearchErrors),
                           QString::number(totals.doubleErrors), QString::number(totals.totalErrors),
                           QString::number(totals.distinctStartBoxes), QString::number(totals.timeouts),
                           secondsText(totals.meanFirstResponseS(), locale),
                           secondsText(totals.meanSearchTimeS(), locale)};
    };
    for (const LevelTotals &level : summary.levels)
        page.bySize.rows << row(QString::number(level.boxes), level.totals);
    page.bySize.rows << row(QStringLiteral("all"), summary.totals);
    page.notes << (summary.strategy6And8
                       ? QStringLiteral("Strategy over the 6- and 8-box problems (distinct start boxes summed): %1.")
                             .arg(*summary.strategy6And8)
                       : QStringLiteral("Strategy over the 6- and 8-box problems: none of that size."));
    for (const ClusterScore *cluster : summary.mixedSizes)
        page.notes << QStringLiteral("Cluster %1 (%2) mixes box counts; it counts under \"all\" only.")
                          .arg(cluster->number)
                          .arg(cluster->name);
    if (practice == PracticeInSummaries::LeftOut) {
        for (const ClusterScore &cluster : file.clusters) {
            if (cluster.practice())
                page.notes << QStringLiteral("Cluster %1 (%2) is a practice problem; these scores leave it out.")
                                  .arg(cluster.number)
                                  .arg(cluster.name);
        }
    }
    return page;
}

void addToStudy(StudySummary &study, const FileScore &file, PracticeInSummaries practice)
{
    study.addSubject(QFileInfo(file.path).fileName(), summarizeSubject(file, practice));
    for (const ClusterScore &cluster : file.clusters)
        study.addCluster(cluster.name, cluster.measures.boxes, cluster.withinSearchErrors,
                         cluster.betweenSearchErrors);
}

GridTable studyTableBySize(const StudySummary &study, const QLocale &locale)
{
    GridTable table;
    table.title = QStringLiteral("Means over subjects by problem size (standard error in brackets)");
    table.columns = {QStringLiteral("boxes"), QStringLiteral("subjects"), QStringLiteral("between-search errors"),
                     QStringLiteral("within-search errors"), QStringLiteral("double errors"),
                     QStringLiteral("total errors"), QStringLiteral("mean first response (s)"),
                     QStringLiteral("mean search time (s)")};
    const auto meanText = [&](const QList<double> &values, int decimals) {
        if (values.isEmpty())
            return QString();
        const MeanAndError m = meanAndError(values);
        return QStringLiteral("%1 (%2)").arg(fixedDecimals(m.mean, decimals, locale),
                                             fixedDecimals(m.standardError, decimals, locale));
    };
    for (const auto &[boxes, values] : study.levels()) {
        table.rows << QStringList{QString::number(boxes), QString::number(values.betweenSearchErrors.size()),
                                  meanText(values.betweenSearchErrors, 2), meanText(values.withinSearchErrors, 2),
                                  meanText(values.doubleErrors, 2), meanText(values.totalErrors, 2),
                                  meanText(values.meanFirstResponseS, 3), meanText(values.meanSearchTimeS, 3)};
    }
    return table;
}

} // namespace kelvane::analyzer::report
