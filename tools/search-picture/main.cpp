// kelvane-search-picture RESULT.bof CLUSTER TRIAL OUT.png: the search of trial TRIAL in
// the CLUSTER-th cluster of a result file, drawn on its layout with the key to the marks
// under it, as the search viewer shows it. The manual's pictures are made with it, so
// that they show what the program itself draws.

#include "ReportPages.h"
#include "ScoredPages.h"
#include "SearchDrawing.h"
#include "SearchScores.h"

#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTextStream>

using namespace kelvane::analyzer;
using namespace kelvane::analyzer::report;

namespace {

constexpr int Side = 560;
constexpr int LegendHeight = 64;

const DrawnSearch *searchOf(const ClusterPage &page, int trial)
{
    for (const DrawnSearch &search : page.searches) {
        if (search.trial == trial)
            return &search;
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    bool numbers = arguments.size() == 4;
    const int clusterNumber = numbers ? arguments[1].toInt(&numbers) : 0;
    const int trial = numbers ? arguments[2].toInt(&numbers) : 0;
    if (!numbers) {
        err << "usage: kelvane-search-picture RESULT.bof CLUSTER TRIAL OUT.png\n";
        return 2;
    }

    const kelvane::FileResult<FileScore> score = scoreResultFile(arguments[0]);
    if (!score) {
        err << "kelvane-search-picture: " << score.error().description << '\n';
        return 1;
    }
    if (clusterNumber < 1 || clusterNumber > score->clusters.size()) {
        err << "kelvane-search-picture: " << arguments[0] << " has no cluster " << clusterNumber << '\n';
        return 1;
    }
    LayoutCache layouts({});
    const ClusterPage page = clusterPage(*score, score->clusters[clusterNumber - 1], layouts, QLocale::c());
    const DrawnSearch *search = searchOf(page, trial);
    if (!search) {
        err << "kelvane-search-picture: cluster " << clusterNumber << " of " << arguments[0] << " has no trial "
            << trial << '\n';
        return 1;
    }

    QImage image(Side, Side + LegendHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSearch(painter, QRectF(8, 8, Side - 16, Side - 16), page.layoutOf(*search), *search);
    drawLegend(painter, QRectF(8, Side, Side - 16, LegendHeight - 8), 13);
    painter.end();
    if (!image.save(arguments[3], "PNG")) {
        err << "kelvane-search-picture: could not write " << arguments[3] << '\n';
        return 1;
    }
    return 0;
}
