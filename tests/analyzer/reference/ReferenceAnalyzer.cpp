#include "ReferenceAnalyzer.h"

#include "ReferenceNumbers.h"
#include "TableWriter.h"

#include "kelvane/Dialogs.h"
#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultFileNames.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kelvane::analyzer::reference {

using kelvane::reference::fixedDecimals;
using kelvane::reference::leadingNumber;
using kelvane::reference::roundHalfEven;

double levenshtein(QStringView first, QStringView second)
{
    const qsizetype la = first.size();
    const qsizetype lb = second.size();
    if (la == 0 && lb == 0)
        return 0.0;
    if (la == 0 || lb == 0)
        return 1.0;

    // Only the previous row of the distance table is needed to fill the next one.
    std::vector<int> previous(std::size_t(lb) + 1);
    std::vector<int> current(std::size_t(lb) + 1);
    for (qsizetype j = 0; j <= lb; ++j)
        previous[std::size_t(j)] = int(j);
    for (qsizetype i = 1; i <= la; ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= lb; ++j) {
            const int cost = first[i - 1] == second[j - 1] ? 0 : 1;
            const auto sj = std::size_t(j);
            current[sj] = std::min({previous[sj] + 1, current[sj - 1] + 1, previous[sj - 1] + cost});
        }
        std::swap(previous, current);
    }
    return double(previous[std::size_t(lb)]) / double(std::max(la, lb));
}

namespace {

constexpr std::array<QLatin1StringView, MeasuresPerCluster> measureNames{
    QLatin1StringView("Trials"), QLatin1StringView("Boxes"), QLatin1StringView("Open"),
    QLatin1StringView("W_Err"), QLatin1StringView("B_err"),
    QLatin1StringView("FeigenbaumStrategy"), QLatin1StringView("NormalizedLevenshtein")};

// Rows end in CR CR LF, which statistics packages read as one line end.
constexpr QLatin1StringView rowEnd("\r\r\n");

// Field positions of a trial line, counting from 0.
enum Field { TrialField = 0, BoxesField = 2, TargetField = 4, OpenedField = 6, ClickOrderField = 7 };
constexpr int RequiredFields = 9;
// Trial to Target: what a run writes of a trial line when the trial starts.
constexpr int FirstHalfFields = 5;

struct Refusal
{
    int line;
    QString problem;
};

struct TrialSlot
{
    int line = 0; // the file line that filled the slot; 0 while none did
    quint8 target = 0;
    quint8 opened = 0;
    std::vector<quint8> clicks; // positions past the end hold box 0, "no click"
    QString clickString;

    quint8 click(std::size_t position) const
    {
        return position < clicks.size() ? clicks[position] : 0;
    }
};

struct Cluster
{
    int trials = 0;   // T: grows with every line, then fixed by the trial numbers
    int lastLine = 0; // file line of the cluster's last trial line
    quint8 boxes = 0;
    std::vector<TrialSlot> trialSlots{1}; // slot 0 exists but is never used

    TrialSlot &slotForWriting(int t)
    {
        if (std::size_t(t) >= trialSlots.size())
            trialSlots.resize(std::size_t(t) + 1);
        return trialSlots[std::size_t(t)];
    }
    const TrialSlot &slot(int t) const
    {
        static const TrialSlot empty;
        return std::size_t(t) < trialSlots.size() ? trialSlots[std::size_t(t)] : empty;
    }
};

double numberIn(QStringView field)
{
    return roundHalfEven(leadingNumber(field));
}

QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

quint8 boxValue(QStringView field, int line, const QString &what)
{
    const double value = numberIn(field);
    if (!(value >= 0 && value <= Limit::BoxValue)) {
        throw Refusal{line, QStringLiteral("%1 \"%2\" lies outside 0..%3")
                                .arg(what, trimBlanks(field).toString())
                                .arg(Limit::BoxValue)};
    }
    return quint8(value);
}

void readClicks(QStringView field, int line, TrialSlot &slot)
{
    const QStringView order = trimBlanks(field);
    if (order.isEmpty())
        return;
    // Two blanks in a row leave an empty item, which reads as box 0.
    const QList<QStringView> items = order.split(u' ');
    if (items.size() > Limit::ClickItems) {
        throw Refusal{line, QStringLiteral("the click order holds %1 clicks, more than the %2 "
                                           "that can be analysed")
                                .arg(items.size())
                                .arg(Limit::ClickItems)};
    }
    slot.clicks.reserve(std::size_t(items.size()));
    for (const QStringView item : items) {
        const quint8 box = boxValue(item, line, QStringLiteral("the clicked box"));
        slot.clicks.push_back(box);
        slot.clickString += QString::number(box, 16).toUpper();
    }
}

// After the last line of a cluster its trial count is taken from the trial number
// of that line, so that numbering gaps count as empty trials.
void closeCluster(Cluster &cluster, int clusterNumber, int lastTrialNumber)
{
    const int trials = lastTrialNumber + 1;
    if (trials > Limit::Trials) {
        throw Refusal{cluster.lastLine,
                      QStringLiteral("cluster %1 ends at trial number %2, which makes %3 trials; "
                                     "at most %4 trials per cluster can be analysed")
                          .arg(clusterNumber)
                          .arg(lastTrialNumber)
                          .arg(trials)
                          .arg(Limit::Trials)};
    }
    if (trials < 1) {
        throw Refusal{cluster.lastLine,
                      QStringLiteral("cluster %1 ends at trial number %2, which leaves it no trials")
                          .arg(clusterNumber)
                          .arg(lastTrialNumber)};
    }
    cluster.trials = trials;
}

void addToCount(int &count, int amount, int line, int clusterNumber, const QString &what)
{
    count += amount;
    if (count > Limit::Accumulator) {
        throw Refusal{line, QStringLiteral("the %1 of cluster %2 passes %3, the largest it can hold")
                                .arg(what)
                                .arg(clusterNumber)
                                .arg(Limit::Accumulator)};
    }
}

ClusterMeasures measure(const Cluster &cluster, int clusterNumber)
{
    const int n = cluster.trials;
    int bErr = 0;
    int strategy = 0;
    double distanceSum = 0;
    // How often each box was the target in the trialSlots before the current one.
    std::array<int, 256> earlierTargets{};
    earlierTargets[cluster.slot(1).target] += 1;
    for (int t = 2; t <= n; ++t) {
        const TrialSlot &current = cluster.slot(t);
        const TrialSlot &previous = cluster.slot(t - 1);
        for (const quint8 box : current.clicks) {
            if (box != 0)
                addToCount(bErr, earlierTargets[box], current.line, clusterNumber,
                           QStringLiteral("B_err count"));
        }
        earlierTargets[current.target] += 1;

        if (current.click(0) != previous.click(0))
            ++strategy;

        // The previous order loses its last click (the target found), so that a search
        // is compared with the part of the previous search that missed.
        const QStringView before = QStringView(previous.clickString).chopped(
            previous.clickString.isEmpty() ? 0 : 1);
        if (current.clickString.size() > Limit::DistanceText || before.size() > Limit::DistanceText) {
            const bool currentTooLong = current.clickString.size() > Limit::DistanceText;
            throw Refusal{currentTooLong ? current.line : previous.line,
                          QStringLiteral("the click string of this trial has %1 characters; "
                                         "distances are computed for at most %2")
                              .arg(currentTooLong ? current.clickString.size() : before.size())
                              .arg(Limit::DistanceText)};
        }
        distanceSum += levenshtein(current.clickString, before);
    }

    int openedSum = 0;
    int repeatSum = 0;
    for (int t = 1; t <= n; ++t) {
        const TrialSlot &slot = cluster.slot(t);
        addToCount(openedSum, slot.opened, slot.line, clusterNumber,
                   QStringLiteral("sum of opened boxes"));
        // Every click on a box already opened in this trial counts once for each
        // earlier opening; an empty position ends the trial's clicks.
        std::array<int, 256> openedBefore{};
        openedBefore[slot.click(0)] += 1;
        int repeats = 0;
        for (std::size_t k = 1; slot.click(k) != 0; ++k) {
            repeats += openedBefore[slot.click(k)];
            openedBefore[slot.click(k)] += 1;
        }
        addToCount(repeatSum, repeats, slot.line, clusterNumber,
                   QStringLiteral("sum of within-trial errors"));
    }

    ClusterMeasures result;
    result.trials = n;
    result.boxes = cluster.boxes;
    result.open = double(openedSum) / n;
    result.wErr = double(repeatSum) / n;
    result.bErr = bErr;
    result.strategy = strategy;
    if (n > 1)
        result.normalizedLevenshtein = distanceSum / (n - 1);
    return result;
}

SubjectResult analyse(const QString &subject, QStringView text)
{
    const QStringList lines = splitLines(text);
    if (lines.size() < 2)
        throw Refusal{0, QStringLiteral("the file ends before its two header lines")};

    // Lines before the first trial numbered 0 go to cluster 0, which is never reported.
    std::vector<Cluster> clusters(1);
    int unfinishedTrialLine = 0;
    int dataLines = 0;
    int previousTrialNumber = 0;
    for (qsizetype index = 2; index < lines.size(); ++index) {
        const int line = int(index) + 1;
        if (++dataLines > Limit::DataLines) {
            throw Refusal{line, QStringLiteral("the file has more than %1 trial lines, the most "
                                               "that can be analysed")
                                    .arg(Limit::DataLines)};
        }
        const QList<QStringView> fields = QStringView(lines[index]).split(u'\t');
        // The first half of a trial line ends a file whose run was cut off mid-trial.
        const bool unfinished = index == lines.size() - 1 && !text.endsWith(u'\n')
                                && fields.size() == FirstHalfFields + 1 && fields.last().isEmpty();
        if (unfinished) {
            unfinishedTrialLine = line;
            break;
        }
        if (fields.size() < RequiredFields) {
            throw Refusal{line, QStringLiteral("the line has only %1 of the %2 fields of a trial "
                                               "line")
                                    .arg(fields.size())
                                    .arg(RequiredFields)};
        }
        const double number = numberIn(fields[TrialField]);
        if (!(number >= Limit::TrialNumberLow && number <= Limit::TrialNumberHigh)) {
            throw Refusal{line, QStringLiteral("the trial number \"%1\" lies outside %2..%3")
                                    .arg(trimBlanks(fields[TrialField]).toString())
                                    .arg(Limit::TrialNumberLow)
                                    .arg(Limit::TrialNumberHigh)};
        }
        const int trialNumber = int(number);

        if (trialNumber == 0) {
            const int finished = int(clusters.size()) - 1;
            if (finished >= 1)
                closeCluster(clusters.back(), finished, previousTrialNumber);
            if (finished + 1 > Limit::Clusters) {
                throw Refusal{line, QStringLiteral("the file has more than %1 clusters, the most "
                                                   "that can be analysed")
                                        .arg(Limit::Clusters)};
            }
            clusters.emplace_back();
            clusters.back().trials = 1;
        } else {
            clusters.back().trials += 1;
        }

        Cluster &cluster = clusters.back();
        cluster.lastLine = line;
        cluster.boxes = boxValue(fields[BoxesField], line, QStringLiteral("\"Total boxes\""));
        // One line per slot: at most 255 lines, so the slot stays within the table.
        TrialSlot &slot = cluster.slotForWriting(cluster.trials);
        slot.line = line;
        slot.target = boxValue(fields[TargetField], line, QStringLiteral("\"Target\""));
        slot.opened = boxValue(fields[OpenedField], line, QStringLiteral("\"Total opened\""));
        readClicks(fields[ClickOrderField], line, slot);
        previousTrialNumber = trialNumber;
    }
    const int clusterCount = int(clusters.size()) - 1;
    if (clusterCount >= 1)
        closeCluster(clusters.back(), clusterCount, previousTrialNumber);

    SubjectResult result;
    result.subject = subject;
    result.unfinishedTrialLine = unfinishedTrialLine;
    result.clusters.reserve(clusterCount);
    for (int c = 1; c <= clusterCount; ++c)
        result.clusters.append(measure(clusters[std::size_t(c)], c));
    return result;
}

} // namespace

ReadOutcome readResultText(const QString &path, QStringView text)
{
    const std::optional<QString> subject = subjectOfResultFile(path);
    if (!subject) {
        return readProblem(path, 0,
                           QStringLiteral("the file name is too short to hold a subject name "
                                          "and the extension \".bof\""));
    }
    try {
        return analyse(*subject, text);
    } catch (const Refusal &refusal) {
        return readProblem(path, refusal.line, refusal.problem);
    }
}

TableWriter::TableWriter(bool includeTitles, const QLocale &locale)
    : m_includeTitles(includeTitles), m_locale(locale)
{
}

void TableWriter::add(const SubjectResult &subject)
{
    if (m_first && m_includeTitles) {
        QString titles = QStringLiteral("Subject\tClusters\t");
        for (int c = 1; c <= subject.clusters.size(); ++c) {
            for (int m = 0; m < MeasuresPerCluster; ++m)
                titles += measureTitle(c, m) + u'\t';
        }
        appendRow(titles);
    }
    m_first = false;

    QString row = subject.subject + u'\t' + numberForm(subject.clusters.size()) + u'\t';
    for (const ClusterMeasures &cluster : subject.clusters) {
        row += numberForm(cluster.trials) + u'\t';
        row += numberForm(cluster.boxes) + u'\t';
        for (const double value : {*cluster.open, *cluster.wErr, cluster.bErr, cluster.strategy})
            row += fixedDecimals(value, 3, m_locale) + u'\t';
        if (cluster.normalizedLevenshtein)
            row += fixedDecimals(*cluster.normalizedLevenshtein, 4, m_locale);
        row += u'\t';
    }
    if (!appendRow(row) && m_unmappable.isEmpty())
        m_unmappable = subject.subject;
}

bool TableWriter::appendRow(const QString &row)
{
    QChar unmappable;
    m_bytes += toWindows1252(row, &unmappable);
    m_bytes += QByteArrayView(rowEnd.data(), rowEnd.size());
    return unmappable.isNull();
}

} // namespace kelvane::analyzer::reference
