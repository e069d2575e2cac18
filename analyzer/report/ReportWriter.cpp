#include "ReportWriter.h"

#include "ResultReader.h"
#include "ScoredPages.h"
#include "kelvane/FileSaving.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace kelvane::analyzer::report {

namespace {

constexpr int Resolution = 300;
constexpr double MarginMm = 12;

// Pages one after another on one writer; the first page needs no newPage.
class PageSequence
{
public:
    explicit PageSequence(QPdfWriter &writer) : m_writer(writer) {}

    QRectF next()
    {
        if (m_count++ > 0)
            m_writer.newPage();
        return QRectF(0, 0, m_writer.width(), m_writer.height());
    }
    int count() const { return m_count; }

private:
    QPdfWriter &m_writer;
    int m_count = 0;
};

} // namespace

ReportOutcome writeReport(const ReportRequest &request)
{
    ReportOutcome outcome;
    StudySummary study;
    for (const QString &path : request.resultFiles) {
        if (const FileResult<FileScore> score = scoreResultFile(path)) {
            addToStudy(study, *score, request.practice);
        }
        else {
            ++outcome.leftOut;
            outcome.notes << QStringLiteral("Left out %1").arg(score.error().description);
        }
    }

    // Written straight into the file, page by page, so the report never sits whole in
    // memory; the file replaces an earlier one only once it is complete.
    QSaveFile file(request.pdfPath);
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.problem = whyCannotReplace(request.pdfPath).description;
        return outcome;
    }
    QPdfWriter writer(&file);
    writer.setResolution(Resolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("Kelvane study report"));
    writer.setCreator(QStringLiteral("Kelvane Analyzer"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        outcome.problem = QStringLiteral("Could not write %1: the PDF could not be started").arg(request.pdfPath);
        return outcome;
    }
    const double mm = Resolution / 25.4;
    PageSequence pages(writer);
    drawStudyPage(painter, pages.next(), mm, study, studyTableBySize(study, request.locale), request.date);

    LayoutCache layouts(request.clusterFolders);
    for (const QString &path : request.resultFiles) {
        const FileResult<FileScore> score = scoreResultFile(path);
        if (!score)
            continue;
        ++outcome.subjects;
        for (const QString &logProblem : score->logProblems)
            outcome.notes << logProblem;
        drawSubjectPage(painter, pages.next(), mm, subjectPage(*score, request.locale, request.practice));
        for (const ClusterScore &cluster : score->clusters) {
            const ClusterPage page = clusterPage(*score, cluster, layouts, request.locale);
            for (int part = 0; part < pagesFor(page); ++part)
                drawClusterPage(painter, pages.next(), mm, page, part);
        }
    }
    painter.end();
    outcome.pages = pages.count();
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        outcome.problem = QStringLiteral("Could not write %1: %2").arg(request.pdfPath, file.errorString());
        outcome.pages = 0;
    }
    return outcome;
}

} // namespace kelvane::analyzer::report
