#include "TidyRows.h"

#include "SubjectSummary.h"

#include "kelvane/TextNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace kelvane::analyzer {

namespace {

constexpr const char *SubjectText = "The result file's name without folder and without a final \".bof\".";
constexpr const char *ClusterText = "Position of the cluster in the result file, from 1, as the wide table counts.";
constexpr const char *TrialText = "The trial's number in its cluster, from 0, as the \"Trial\" field holds it.";

constexpr TidyColumn clickColumns[] = {
    {"subject", "string", SubjectText},
    {"cluster", "integer", ClusterText},
    {"cluster_name", "string", "The cluster as the result file's \"Cluster\" field names it."},
    {"trial", "integer", TrialText},
    {"boxes", "integer", "Boxes on the screen in this trial."},
    {"target", "integer", "The box that held the target."},
    {"click", "integer", "Position of this click in the trial's click order, from 1."},
    {"box", "integer", "The box opened."},
    {"time_s", "number", "Seconds from the trial's start, from the \"Timed click order\"; empty if absent."},
    {"ms", "integer", "Milliseconds from the trial's start, from the event log beside the result file; empty without one."},
    {"found", "integer", "1 if the box held the target, else 0."},
    {"repeat", "integer", "1 if the box was opened before in the same trial (a within-search error), else 0."},
    {"earlier_target", "integer", "1 if the box held the target of an earlier trial of the same cluster, found or not, else 0."},
    {"between_error", "integer", "1 if the box held a target found in an earlier trial of the same cluster and is not this trial's target (a between-search error), else 0."},
    {"double", "integer", "1 if the click is both a repeat and a between error, else 0."},
};

constexpr TidyColumn trialColumns[] = {
    {"subject", "string", SubjectText},
    {"cluster", "integer", ClusterText},
    {"cluster_name", "string", "The cluster as the result file's \"Cluster\" field names it."},
    {"trial", "integer", TrialText},
    {"boxes", "integer", "Boxes on the screen in this trial."},
    {"objects", "integer", "Boxes that held an object."},
    {"target", "integer", "The box that held the target."},
    {"total_time_s", "number", "Seconds from the trial's start to its end, from the \"Total time\" field; empty if absent."},
    {"first_response_s", "number", "Seconds from the trial's start to its first click: the event log's ms / 1000 where the log matches, else the \"Timed click order\"'s time; empty without."},
    {"opened", "integer", "Boxes opened, from the \"Total opened\" field."},
    {"found", "integer", "1 if the trial's last click opened the target, else 0."},
    {"first_box", "integer", "The box opened first; empty without clicks."},
    {"repeats", "integer", "Clicks on a box already opened in this trial."},
    {"earlier_target_visits", "integer", "Clicks on a box that held the target of an earlier trial of the cluster, found or not."},
    {"between_errors", "integer", "Between-search errors: clicks whose between_error is 1."},
    {"doubles", "integer", "Clicks that are both a repeat and a between error."},
    {"w_err", "integer", "The wide table's W of this trial: each reopening counts once per earlier opening, up to an empty click item."},
    {"distance", "number", "Normalized edit distance between this click order and the previous trial's without its last click; empty for the cluster's first trial."},
};

constexpr TidyColumn clusterColumns[] = {
    {"subject", "string", SubjectText},
    {"cluster", "integer", ClusterText},
    {"cluster_name", "string", "The cluster as its last line's \"Cluster\" field names it."},
    {"trials", "integer", "The wide table's Trials: the last trial number plus one, gaps included."},
    {"boxes", "integer", "The wide table's Boxes: boxes on the screen in the cluster's last trial."},
    {"open", "number", "The wide table's Open: boxes opened per trial slot; empty without trial slots."},
    {"w_err", "number", "The wide table's W_Err: W per trial slot; empty without trial slots."},
    {"b_err", "number", "The wide table's B_err: per click, the earlier trials whose target it opened, summed."},
    {"feigenbaum_strategy", "number", "The wide table's FeigenbaumStrategy: trial slots whose first box differs from the slot before."},
    {"normalized_levenshtein", "number", "The wide table's NormalizedLevenshtein: mean distance over the slots after the first; empty with one slot."},
    {"within_search_errors", "integer", "Sum of repeats over the cluster's trials."},
    {"between_search_errors", "integer", "Sum of between_errors over the cluster's trials."},
    {"double_errors", "integer", "Sum of doubles over the cluster's trials."},
    {"total_errors", "integer", "Clicks that are a repeat or a between error, each counted once."},
    {"distinct_start_boxes", "integer", "Different first boxes among the trials that have a click."},
    {"timeouts", "integer", "Trials whose target was not found."},
    {"mean_first_response_s", "number", "Mean first_response_s of the trials that have one; empty if none."},
    {"mean_search_time_s", "number", "Mean total_time_s of the found trials; empty if none."},
    {"session", "string", "How the run in the event log ended: complete, esc or failed; empty without a log or its session line."},
    {"practice", "integer", "1 if the cluster file's name starts with \"practice\" (any case), else 0; levels.csv and subjects.csv leave such clusters out unless asked to count them."},
};

constexpr TidyColumn levelColumns[] = {
    {"subject", "string", SubjectText},
    {"boxes", "integer", "The problem size: the box count every trial of these clusters shares."},
    {"clusters", "integer", "Clusters of this size."},
    {"trials", "integer", "Trial lines of these clusters."},
    {"between_search_errors", "integer", "Sum of between_search_errors over these clusters."},
    {"within_search_errors", "integer", "Sum of within_search_errors over these clusters."},
    {"double_errors", "integer", "Sum of double_errors over these clusters."},
    {"total_errors", "integer", "Sum of total_errors over these clusters."},
    {"distinct_start_boxes", "integer", "Sum of distinct_start_boxes over these clusters."},
    {"timeouts", "integer", "Trials of these clusters whose target was not found."},
    {"mean_first_response_s", "number", "Mean first_response_s over the trials of these clusters that have one (pooled); empty if none."},
    {"mean_search_time_s", "number", "Mean total_time_s over the found trials of these clusters (pooled); empty if none."},
};

constexpr TidyColumn subjectColumns[] = {
    {"subject", "string", SubjectText},
    {"clusters", "integer", "Clusters in the result file, practice clusters left out unless counted."},
    {"trials", "integer", "Trial lines in the result file."},
    {"between_search_errors", "integer", "Sum of between_search_errors over all the subject's clusters."},
    {"within_search_errors", "integer", "Sum of within_search_errors over all the subject's clusters."},
    {"double_errors", "integer", "Sum of double_errors over all the subject's clusters."},
    {"total_errors", "integer", "Sum of total_errors over all the subject's clusters."},
    {"strategy_6_8", "integer", "Sum of distinct_start_boxes over the clusters of 6 and of 8 boxes; empty when there are none."},
    {"mean_first_response_s", "number", "Mean first_response_s over all the subject's trials that have one (pooled); empty if none."},
    {"mean_search_time_s", "number", "Mean total_time_s over all the subject's found trials (pooled); empty if none."},
    {"timeouts", "integer", "Trials whose target was not found."},
    {"session", "string", "How the run in the event log ended, as in clusters.csv."},
};

constexpr std::array<TidyTable, TidyTableCount> tables{{
    {"clicks", "One row per click of every trial line, files in the order given.", clickColumns},
    {"trials", "One row per trial line of every result file, in file order.", trialColumns},
    {"clusters", "One row per cluster of every result file.", clusterColumns},
    {"levels", "One row per result file and problem size (box count); clusters whose trials differ in box count are left out, and so are practice clusters unless counted.", levelColumns},
    {"subjects", "One row per result file; its sums leave out practice clusters unless counted.", subjectColumns},
}};

// Seconds are written with at most this many decimals, ratios with at most RatioDecimals.
constexpr int SecondDecimals = 3;
constexpr int RatioDecimals = 4;

// Writes one CSV row straight into the table's bytes: room for the longest row is made
// first, and the table is cut back to what was written at the end, so that a million
// rows cost no more than their bytes. A row must fill every column of its table.
class CsvRow
{
public:
    // Room for the table's columns as numbers and `textBytes` bytes of text fields.
    CsvRow(QByteArray &out, const TidyTable &table, qsizetype textBytes)
        : m_out(out), m_columns(table.columns.size())
    {
        const qsizetype start = out.size();
        out.resize(start + qsizetype(m_columns) * (NumberSpace + 1) + textBytes + 2);
        m_at = out.data() + start;
    }
    ~CsvRow()
    {
        Q_ASSERT_X(m_fields == m_columns, "CsvRow", "a row's fields differ from its table's columns");
        *m_at++ = '\r';
        *m_at++ = '\n';
        m_out.resize(m_at - m_out.constData());
    }
    CsvRow(const CsvRow &) = delete;
    CsvRow &operator=(const CsvRow &) = delete;

    CsvRow &text(const QByteArray &csvValue)
    {
        separate();
        m_at = std::copy_n(csvValue.constData(), csvValue.size(), m_at);
        return *this;
    }
    CsvRow &integer(qint64 value)
    {
        separate();
        m_at = std::to_chars(m_at, m_at + NumberSpace, value).ptr;
        return *this;
    }
    template <typename Whole>
    CsvRow &integer(std::optional<Whole> value)
    {
        if (value)
            return integer(qint64(*value));
        separate();
        return *this;
    }
    CsvRow &flag(bool value)
    {
        separate();
        *m_at++ = value ? '1' : '0';
        return *this;
    }
    CsvRow &seconds(std::optional<double> value) { return decimals(value, SecondDecimals); }
    CsvRow &ratio(std::optional<double> value) { return decimals(value, RatioDecimals); }
    // A measure as the wide table writes it, with "." for the decimal point.
    CsvRow &fixed(std::optional<double> value, int places)
    {
        separate();
        if (value)
            m_at = writeFixedDecimals(m_at, *value, places, ".");
        return *this;
    }

private:
    // The longest number: a finite double in fixed form, with a sign, at most 309 whole
    // digits and a few decimals.
    static constexpr int NumberSpace = 400;

    // At most `places` decimals, rounded as the wide table rounds, without trailing
    // zeros and never in exponent form: 2.8499999999999996 is "2.85", 12 is "12".
    CsvRow &decimals(std::optional<double> value, int places)
    {
        separate();
        if (!value)
            return *this;
        if (!exactDecimals(*value, places)) {
            char *const start = m_at;
            m_at = writeFixedDecimals(m_at, *value, places, ".");
            while (m_at[-1] == '0')
                --m_at;
            if (m_at[-1] == '.')
                --m_at;
            if (m_at - start == 2 && start[0] == '-' && start[1] == '0') {
                start[0] = '0'; // a small negative value rounded to nothing has no sign
                m_at = start + 1;
            }
        }
        return *this;
    }

    // Times are read from files that hold a few decimals. When the value is exactly the
    // double nearest to a whole number of 10^-places, its digits are written without the
    // general rounding's work.
    bool exactDecimals(double value, int places)
    {
        static constexpr double scales[] = {1, 10, 100, 1000, 10000};
        const double scale = scales[places];
        if (!(std::fabs(value) < 1e9))
            return false;
        const auto units = std::llround(value * scale);
        if (double(units) / scale != value)
            return false;
        if (units < 0)
            *m_at++ = '-';
        const auto magnitude = std::uint64_t(units < 0 ? -units : units);
        const auto whole = std::uint64_t(scale);
        m_at = std::to_chars(m_at, m_at + NumberSpace, magnitude / whole).ptr;
        auto fraction = magnitude % whole;
        if (fraction == 0)
            return true;
        *m_at++ = '.';
        for (auto unit = whole / 10; fraction != 0; unit /= 10) {
            *m_at++ = char('0' + fraction / unit);
            fraction %= unit;
        }
        return true;
    }

    void separate()
    {
        if (m_fields++ > 0)
            *m_at++ = ',';
    }

    QByteArray &m_out;
    std::size_t m_columns;
    std::size_t m_fields = 0;
    char *m_at;
};

QByteArray csvText(const QString &value)
{
    QByteArray utf8 = value.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\r') && !utf8.contains('\n'))
        return utf8;
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

void appendClickRows(QByteArray &out, const QByteArray &subject, int cluster, const QByteArray &name,
                     const TrialScore &trial)
{
    for (const ClickScore &click : trial.clicks) {
        CsvRow row(out, tables[ClicksTable], subject.size() + name.size());
        row.text(subject).integer(cluster).text(name).integer(trial.trial);
        row.integer(trial.boxes).integer(trial.target).integer(click.position);
        row.integer(click.box).seconds(click.timeS).integer(click.ms);
        row.flag(click.found).flag(click.repeat).flag(click.earlierTarget).flag(click.betweenError);
        row.flag(click.doubleError());
    }
}

void appendTrialRow(QByteArray &out, const QByteArray &subject, int cluster, const QByteArray &name,
                    const TrialScore &trial)
{
    CsvRow row(out, tables[TrialsTable], subject.size() + name.size());
    row.text(subject).integer(cluster).text(name).integer(trial.trial);
    row.integer(trial.boxes).integer(trial.objects).integer(trial.target);
    row.seconds(trial.totalTimeS).seconds(trial.firstResponseS()).integer(trial.opened);
    row.flag(trial.found).integer(trial.firstBox).integer(trial.repeats);
    row.integer(trial.earlierTargetVisits).integer(trial.betweenErrors).integer(trial.doubles);
    row.integer(trial.wErr).ratio(trial.distance);
}

void appendClusterRow(QByteArray &out, const QByteArray &subject, const QByteArray &session,
                      const ClusterScore &cluster)
{
    const QByteArray name = csvText(cluster.name);
    const ClusterMeasures &m = cluster.measures;
    CsvRow row(out, tables[ClustersTable], subject.size() + name.size() + session.size());
    row.text(subject).integer(cluster.number).text(name);
    row.integer(m.trials).integer(m.boxes).fixed(m.open, 3).fixed(m.wErr, 3);
    row.fixed(m.bErr, 3).fixed(m.strategy, 3).fixed(m.normalizedLevenshtein, 4);
    row.integer(cluster.withinSearchErrors).integer(cluster.betweenSearchErrors);
    row.integer(cluster.doubleErrors).integer(cluster.totalErrors);
    row.integer(cluster.distinctStartBoxes).integer(cluster.timeouts);
    row.seconds(cluster.meanFirstResponseS()).seconds(cluster.meanSearchTimeS).text(session);
    row.flag(cluster.practice());
}

void appendErrorTotals(CsvRow &row, const ErrorTotals &totals)
{
    row.integer(totals.betweenSearchErrors).integer(totals.withinSearchErrors);
    row.integer(totals.doubleErrors).integer(totals.totalErrors);
}

void appendLevelRows(QByteArray &out, const QByteArray &subject, const SubjectSummary &summary)
{
    for (const LevelTotals &level : summary.levels) {
        const ErrorTotals &totals = level.totals;
        CsvRow row(out, tables[LevelsTable], subject.size());
        row.text(subject).integer(level.boxes).integer(totals.clusters).integer(totals.trials);
        appendErrorTotals(row, totals);
        row.integer(totals.distinctStartBoxes).integer(totals.timeouts);
        row.seconds(totals.meanFirstResponseS()).seconds(totals.meanSearchTimeS());
    }
}

void appendSubjectRow(QByteArray &out, const QByteArray &subject, const QByteArray &session,
                      const SubjectSummary &summary)
{
    const ErrorTotals &totals = summary.totals;
    CsvRow row(out, tables[SubjectsTable], subject.size() + session.size());
    row.text(subject).integer(totals.clusters).integer(totals.trials);
    appendErrorTotals(row, totals);
    row.integer(summary.strategy6And8);
    row.seconds(totals.meanFirstResponseS()).seconds(totals.meanSearchTimeS());
    row.integer(totals.timeouts).text(session);
}

} // namespace

std::span<const TidyTable> tidyTables()
{
    return tables;
}

QByteArray tidyTitleRow(const TidyTable &table)
{
    QByteArray row;
    for (const TidyColumn &column : table.columns) {
        if (!row.isEmpty())
            row += ',';
        row += column.name;
    }
    return row + "\r\n";
}

void appendTidyRows(const FileScore &score, TidyTexts &out, PracticeInSummaries practice)
{
    const QByteArray subject = csvText(score.subject);
    const QByteArray session = csvText(score.session);
    // A cluster's lines nearly always share one name: it is quoted once.
    QString lastName;
    QByteArray name;
    bool named = false;
    for (const ClusterScore &cluster : score.clusters) {
        for (const TrialScore &trial : cluster.trials) {
            if (!named || trial.clusterName != lastName) {
                lastName = trial.clusterName;
                name = csvText(lastName);
                named = true;
            }
            appendClickRows(out[ClicksTable], subject, cluster.number, name, trial);
            appendTrialRow(out[TrialsTable], subject, cluster.number, name, trial);
        }
        appendClusterRow(out[ClustersTable], subject, session, cluster);
    }
    const SubjectSummary summary = summarizeSubject(score, practice);
    appendLevelRows(out[LevelsTable], subject, summary);
    appendSubjectRow(out[SubjectsTable], subject, session, summary);
}

} // namespace kelvane::analyzer
