#include "ResultReader.h"

#include "ResultTables.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/formats/ResultLines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kelvane::analyzer {

namespace {

// The fields up to the timed click order; "Within Error" came later and may be missing.
constexpr int RequiredFields = TimedClickOrderField + 1;
// A click string holds at most two hexadecimal digits per click.
constexpr int ClickTextSpace = 2 * Limit::ClickItems;

// Only characters of the files' text are ever quoted in messages; the numbers, TABs,
// blanks and line ends the reader works with are ASCII and need no decoding.
QString quoted(QByteArrayView bytes)
{
    return fromWindows1252(bytes);
}

QByteArrayView trimBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && text.front() == ' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    return text;
}

double numberIn(QByteArrayView field)
{
    return roundHalfEven(leadingNumber(field));
}

[[noreturn, gnu::cold, gnu::noinline]] void refuseBoxValue(QByteArrayView field, int line, const char *what)
{
    throw Refusal{line, QStringLiteral("%1 \"%2\" lies outside 0..%3")
                            .arg(QLatin1StringView(what), quoted(trimBlanks(field)))
                            .arg(Limit::BoxValue)};
}

// Nearly every box field is up to three digits between blanks: such a field is read
// here without the general number reading, which gives the same value. -1 for any other.
int plainBoxNumber(QByteArrayView field)
{
    const char *at = field.data();
    const char *const end = at + field.size();
    while (at != end && *at == ' ')
        ++at;
    int value = 0;
    int digits = 0;
    // Past three digits the field is not plain; stopping there also keeps a long run of
    // digits from overflowing.
    for (; at != end && *at >= '0' && *at <= '9' && digits <= 3; ++at, ++digits)
        value = value * 10 + (*at - '0');
    while (at != end && *at == ' ')
        ++at;
    return at == end && digits > 0 && digits <= 3 && value <= Limit::BoxValue ? value : -1;
}

quint8 boxValue(QByteArrayView field, int line, const char *what)
{
    if (const int plain = plainBoxNumber(field); plain >= 0)
        return quint8(plain);
    const double value = numberIn(field);
    if (!(value >= 0 && value <= Limit::BoxValue))
        refuseBoxValue(field, line, what);
    return quint8(value);
}

// Splits a line at its TABs into the fields the analysis reads. Returns the number of
// fields when the line has fewer than needed, 0 when it has enough.
int splitFields(QByteArrayView line, std::array<QByteArrayView, RequiredFields - 1> &fields)
{
    const char *start = line.data(); // of the field being looked at
    const char *const end = line.data() + line.size();
    const char *at = start;          // where the search for the next TAB goes on
    std::size_t f = 0;
#if defined(__SSE2__)
    // Sixteen bytes at a time: the TABs among them as the bits of a mask.
    const __m128i tab = _mm_set1_epi8('\t');
    for (; end - at >= 16; at += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
        for (auto tabs = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, tab))); tabs != 0;
             tabs &= tabs - 1) {
            const char *found = at + std::countr_zero(tabs);
            fields[f++] = QByteArrayView(start, found - start);
            start = found + 1;
            if (f == fields.size())
                return 0;
        }
    }
#endif
    for (; at != end; ++at) {
        if (*at != '\t')
            continue;
        fields[f++] = QByteArrayView(start, at - start);
        start = at + 1;
        if (f == fields.size())
            return 0;
    }
    return int(f) + 1;
}

// A result file's second line holds the column titles, of which the required fields'
// must be there.
bool holdsColumnTitles(QByteArrayView line)
{
    const QList<QByteArray> titles = line.toByteArray().split('\t');
    if (titles.size() < RequiredFields)
        return false;
    for (int t = 0; t < RequiredFields; ++t) {
        if (trimBlanks(titles[t]) != QByteArrayView(ResultColumnTitles[t].data(), ResultColumnTitles[t].size()))
            return false;
    }
    return true;
}

// Hand edits and copies through other editors leave empty lines, or lines of blanks.
bool isBlank(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// Lines end at LF, with or without a CR before it. A last line without line end
// counts; the empty text after a final line end does not.
class Lines
{
public:
    explicit Lines(QByteArrayView bytes) : m_at(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    bool next(QByteArrayView *line)
    {
        if (m_at >= m_end)
            return false;
        const auto *feed = static_cast<const char *>(std::memchr(m_at, '\n', std::size_t(m_end - m_at)));
        const char *stop = feed ? feed : m_end;
        if (feed && stop > m_at && stop[-1] == '\r')
            --stop;
        *line = QByteArrayView(m_at, stop - m_at);
        m_at = feed ? feed + 1 : m_end;
        m_unended = !feed;
        return true;
    }

    // Whether the line last returned is the file's end, with no line end after it.
    bool lastLineUnended() const { return m_unended; }

private:
    const char *m_at;
    const char *m_end;
    bool m_unended = false;
};

// The first half of a trial line at the file's end: the trial a cut-off run left
// unfinished, whose second half was never written.
bool isUnfinishedTrial(QByteArrayView line, int fieldCount, bool unended)
{
    return unended && fieldCount == FirstHalfFields + 1 && line.endsWith('\t');
}

} // namespace

struct ResultReader::Tables
{
    // The file's lines in cluster order: a cluster's trial slots are consecutive.
    std::array<TrialSlot, Limit::DataLines> trialSlots;
    std::array<std::array<quint8, Limit::ClickItems>, Limit::DataLines> clicks;
    std::array<std::array<char, ClickTextSpace>, Limit::DataLines> clickTexts;

    struct Cluster
    {
        int firstSlot = 0;
        int lineCount = 0;
        int trials = 0;   // T: grows with every line, then fixed by the trial numbers
        int lastLine = 0; // file line of the cluster's last trial line
        quint8 boxes = 0;
    };
    // Cluster 0 takes the lines before the first trial numbered 0 and is never reported.
    std::array<Cluster, Limit::Clusters + 1> clusters;
    int clusterCount = 0; // reported clusters, 1..clusterCount

    void readClicks(QByteArrayView field, int line, int slotIndex);
    void closeCluster(int clusterNumber, int lastTrialNumber);
    ClusterSlots slotsOf(int clusterNumber) const;
};

void ResultReader::Tables::readClicks(QByteArrayView field, int line, int slotIndex)
{
    TrialSlot &slot = trialSlots[std::size_t(slotIndex)];
    quint8 *boxes = clicks[std::size_t(slotIndex)].data();
    char *const textStart = clickTexts[std::size_t(slotIndex)].data();
    slot.clicks = boxes;
    slot.clickText = textStart;
    slot.clickCount = 0;
    slot.clickTextLength = 0;

    const QByteArrayView order = trimBlanks(field);
    if (order.isEmpty())
        return;
    // Two blanks in a row leave an empty item, which reads as box 0.
    qsizetype items = 1;
    for (const char c : order)
        items += c == ' ';
    if (items > Limit::ClickItems) {
        throw Refusal{line, QStringLiteral("the click order holds %1 clicks, more than the %2 "
                                           "that can be analysed")
                                .arg(items)
                                .arg(Limit::ClickItems)};
    }
    char *text = textStart;
    const char *start = order.data();
    const char *const end = order.data() + order.size();
    for (qsizetype k = 0; k < items; ++k) {
        const char *stop = start;
        while (stop != end && *stop != ' ')
            ++stop;
        const quint8 box = boxValue(QByteArrayView(start, stop - start), line, "the clicked box");
        boxes[k] = box;
        text = writeClickDigits(text, box);
        start = stop + 1;
    }
    slot.clickCount = int(items);
    slot.clickTextLength = int(text - textStart);
}

// After the last line of a cluster its trial count is taken from the trial number
// of that line, so that numbering gaps count as empty trials. A numbering that ends
// on a negative number leaves the cluster no trials.
void ResultReader::Tables::closeCluster(int clusterNumber, int lastTrialNumber)
{
    Cluster &cluster = clusters[std::size_t(clusterNumber)];
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
    cluster.trials = trials;
}

ClusterSlots ResultReader::Tables::slotsOf(int clusterNumber) const
{
    const Cluster &cluster = clusters[std::size_t(clusterNumber)];
    return {std::span<const TrialSlot>(trialSlots.data() + cluster.firstSlot, std::size_t(cluster.lineCount)),
            cluster.trials, cluster.boxes};
}

ResultReader::ResultReader() : m_tables(std::make_unique<Tables>()) {}

ResultReader::~ResultReader() = default;

SubjectResult ResultReader::analyse(const QString &subject, QByteArrayView bytes, FileScore *score)
{
    Tables &tables = *m_tables;
    Lines lines(bytes);
    QByteArrayView text;
    if (!lines.next(&text) || !lines.next(&text))
        throw Refusal{0, QStringLiteral("the file ends before its two header lines")};
    if (!holdsColumnTitles(text)) {
        throw Refusal{2, QStringLiteral("this is not a result file: the second line does not hold "
                                        "the column titles (Trial, Cluster, Total boxes, ...)")};
    }

    tables.clusters[0] = {};
    tables.clusterCount = 0;
    int unfinishedTrialLine = 0;
    int dataLines = 0;
    int previousTrialNumber = 0;
    std::array<QByteArrayView, RequiredFields - 1> fields;
    for (int line = 3; lines.next(&text); ++line) {
        if (isBlank(text))
            continue;
        if (++dataLines > Limit::DataLines) {
            throw Refusal{line, QStringLiteral("the file has more than %1 trial lines, the most "
                                               "that can be analysed")
                                    .arg(Limit::DataLines)};
        }
        if (const int fieldCount = splitFields(text, fields)) {
            if (isUnfinishedTrial(text, fieldCount, lines.lastLineUnended())) {
                unfinishedTrialLine = line;
                break;
            }
            throw Refusal{line, QStringLiteral("the line has only %1 of the %2 fields of a trial "
                                               "line")
                                    .arg(fieldCount)
                                    .arg(RequiredFields)};
        }
        const double number = numberIn(fields[TrialField]);
        if (!(number >= Limit::TrialNumberLow && number <= Limit::TrialNumberHigh)) {
            throw Refusal{line, QStringLiteral("the trial number \"%1\" lies outside %2..%3")
                                    .arg(quoted(trimBlanks(fields[TrialField])))
                                    .arg(Limit::TrialNumberLow)
                                    .arg(Limit::TrialNumberHigh)};
        }
        const int trialNumber = int(number);
        const int slotIndex = dataLines - 1;

        if (trialNumber == 0) {
            const int finished = tables.clusterCount;
            if (finished >= 1)
                tables.closeCluster(finished, previousTrialNumber);
            if (finished + 1 > Limit::Clusters) {
                throw Refusal{line, QStringLiteral("the file has more than %1 clusters, the most "
                                                   "that can be analysed")
                                        .arg(Limit::Clusters)};
            }
            tables.clusterCount = finished + 1;
            tables.clusters[std::size_t(tables.clusterCount)] = {slotIndex, 0, 1, 0, 0};
        } else {
            tables.clusters[std::size_t(tables.clusterCount)].trials += 1;
        }

        Tables::Cluster &cluster = tables.clusters[std::size_t(tables.clusterCount)];
        cluster.lineCount += 1;
        cluster.lastLine = line;
        cluster.boxes = boxValue(fields[BoxesField], line, "\"Total boxes\"");
        TrialSlot &slot = tables.trialSlots[std::size_t(slotIndex)];
        slot.line = line;
        slot.trialNumber = trialNumber;
        slot.boxes = cluster.boxes;
        slot.clusterName = fields[ClusterField];
        slot.objects = fields[ObjectsField];
        slot.totalTime = fields[TimeField];
        const QByteArrayView clickOrder = fields[ClickOrderField];
        slot.fromTimedClicks = text.sliced(clickOrder.data() + clickOrder.size() + 1 - text.data());
        slot.target = boxValue(fields[TargetField], line, "\"Target\"");
        slot.opened = boxValue(fields[OpenedField], line, "\"Total opened\"");
        tables.readClicks(fields[ClickOrderField], line, slotIndex);
        previousTrialNumber = trialNumber;
    }
    if (tables.clusterCount >= 1)
        tables.closeCluster(tables.clusterCount, previousTrialNumber);

    SubjectResult result;
    result.subject = subject;
    result.unfinishedTrialLine = unfinishedTrialLine;
    result.clusters.reserve(tables.clusterCount);
    result.clusterNames.reserve(tables.clusterCount);
    if (score) {
        score->subject = subject;
        score->clusters.clear();
        score->clusters.reserve(tables.clusterCount);
    }
    std::vector<double> distances;
    for (int c = 1; c <= tables.clusterCount; ++c) {
        const ClusterSlots cluster = tables.slotsOf(c);
        result.clusters.append(measureCluster(cluster, c, score ? &distances : nullptr));
        result.clusterNames.append(fromWindows1252(cluster.filled.back().clusterName));
        if (score)
            score->clusters.append(scoreCluster(cluster, c, result.clusters.last(), distances));
    }
    return result;
}

ReadOutcome ResultReader::readBytes(const QString &path, QByteArrayView bytes, FileScore *score)
{
    if (score) {
        *score = {};
        score->path = path;
    }
    const std::optional<QString> subject = subjectOfResultFile(path);
    if (!subject)
        return readProblem(path, 0, QStringLiteral("the file name holds no subject name before \".bof\""));
    // A refusal is how the parse stops at the first line it cannot take; it ends here.
    try {
        return analyse(*subject, bytes, score);
    } catch (const Refusal &refusal) {
        if (score)
            score->clusters.clear();
        return readProblem(path, refusal.line, refusal.problem);
    }
}

ReadOutcome ResultReader::read(const QString &path, FileScore *score)
{
    const FileResult<QByteArrayView> bytes = m_file.read(path);
    if (!bytes) {
        if (score) {
            *score = {};
            score->path = path;
        }
        return readProblem(path, 0, QStringLiteral("the file could not be read: ") + bytes.error().reason);
    }
    return readBytes(path, *bytes, score);
}

FileError readProblem(const QString &path, int line, const QString &problem)
{
    const QString where = line > 0 ? QStringLiteral("%1, line %2").arg(path).arg(line) : path;
    return {ErrorCode::TypeMismatch, where + QStringLiteral(": ") + problem, problem, line};
}

ReadOutcome LeesFile(const QString &path)
{
    return ResultReader().read(path);
}

ReadOutcome readResultText(const QString &path, QStringView text)
{
    return ResultReader().readBytes(path, toWindows1252(text));
}

} // namespace kelvane::analyzer
