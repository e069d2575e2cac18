#include "TidyTables.h"

#include "kelvane/FileSaving.h"
#include "kelvane/TextNumbers.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace kelvane::analyzer {

namespace {

constexpr TidyColumn clickColumns[] = {
    {"subject", "string", "The result file's name without folder and without \".bof\"."},
    {"cluster", "integer", "Position of the cluster in the result file, from 1, as the wide table counts."},
    {"cluster_name", "string", "The cluster as the result file's \"Cluster\" field names it."},
    {"trial", "integer", "The trial's number in its cluster, from 0, as the \"Trial\" field holds it."},
    {"boxes", "integer", "Boxes on the screen in this trial."},
    {"target", "integer", "The box that held the target."},
    {"click", "integer", "Position of this click in the trial's click order, from 1."},
    {"box", "integer", "The box opened."},
    {"time_s", "number", "Seconds from the trial's start, from the \"Timed click order\"; empty if absent."},
    {"ms", "integer", "Milliseconds from the trial's start, from the event log beside the result file; empty without one."},
    {"found", "integer", "1 if the box held the target, else 0."},
    {"repeat", "integer", "1 if the box was opened before in the same trial (a within-search error), else 0."},
    {"earlier_target", "integer", "1 if the box held the target of an earlier trial of the same cluster (a between-search error), else 0."},
    {"double", "integer", "1 if the click is both a repeat and an earlier target, else 0."},
};

constexpr TidyColumn trialColumns[] = {
    {"subject", "string", "The result file's name without folder and without \".bof\"."},
    {"cluster", "integer", "Position of the cluster in the result file, from 1, as the wide table counts."},
    {"cluster_name", "string", "The cluster as the result file's \"Cluster\" field names it."},
    {"trial", "integer", "The trial's number in its cluster, from 0, as the \"Trial\" field holds it."},
    {"boxes", "integer", "Boxes on the screen in this trial."},
    {"objects", "integer", "Boxes that held an object."},
    {"target", "integer", "The box that held the target."},
    {"total_time_s", "number", "Seconds from the trial's start to its end, from the \"Total time\" field; empty if absent."},
    {"opened", "integer", "Boxes opened, from the \"Total opened\" field."},
    {"found", "integer", "1 if the trial's last click opened the target, else 0."},
    {"first_box", "integer", "The box opened first; empty without clicks."},
    {"repeats", "integer", "Clicks on a box already opened in this trial."},
    {"earlier_target_visits", "integer", "Clicks on a box that held the target of an earlier trial of the cluster."},
    {"doubles", "integer", "Clicks that are both of the two above."},
    {"w_err", "integer", "The wide table's W of this trial: each reopening counts once per earlier opening, up to an empty click item."},
    {"distance", "number", "Normalized edit distance between this click order and the previous trial's without its last click; empty for the cluster's first trial."},
};

constexpr TidyColumn clusterColumns[] = {
    {"subject", "string", "The result file's name without folder and without \".bof\"."},
    {"cluster", "integer", "Position of the cluster in the result file, from 1, as the wide table counts."},
    {"cluster_name", "string", "The cluster as its last line's \"Cluster\" field names it."},
    {"trials", "integer", "The wide table's Trials: the last trial number plus one, gaps included."},
    {"boxes", "integer", "The wide table's Boxes: boxes on the screen in the cluster's last trial."},
    {"open", "number", "The wide table's Open: boxes opened per trial slot; empty without trial slots."},
    {"w_err", "number", "The wide table's W_Err: W per trial slot; empty without trial slots."},
    {"b_err", "number", "The wide table's B_err: per click, the earlier trials whose target it opened, summed."},
    {"feigenbaum_strategy", "number", "The wide table's FeigenbaumStrategy: trial slots whose first box differs from the slot before."},
    {"normalized_levenshtein", "number", "The wide table's NormalizedLevenshtein: mean distance over the slots after the first; empty with one slot."},
    {"within_search_errors", "integer", "Sum of repeats over the cluster's trials."},
    {"between_search_errors", "integer", "Sum of earlier_target_visits over the cluster's trials."},
    {"double_errors", "integer", "Sum of doubles over the cluster's trials."},
    {"total_errors", "integer", "Clicks that are a repeat or an earlier target, each counted once."},
    {"distinct_start_boxes", "integer", "Different first boxes among the trials that have a click."},
    {"timeouts", "integer", "Trials whose target was not found."},
    {"mean_search_time_s", "number", "Mean total_time_s of the found trials; empty if none."},
    {"session", "string", "How the run in the event log ended: complete, esc or failed; empty without a log or its session line."},
};

constexpr std::array<TidyTable, 3> tables{{
    {"clicks", "One row per click of every trial line, files in the order given.", clickColumns},
    {"trials", "One row per trial line of every result file, in file order.", trialColumns},
    {"clusters", "One row per cluster of every result file.", clusterColumns},
}};

enum TableIndex { Clicks, Trials, Clusters };

// Rows are passed on to the files in pieces of about this size.
constexpr qsizetype PassOnBytes = qsizetype(1) << 20;

// Writes one CSV row straight into the table's bytes: room for the longest row is made
// first, and the table is cut back to what was written at the end, so that a million
// rows cost no more than their bytes.
class CsvRow
{
public:
    // Room for `numbers` numeric fields and `textBytes` bytes of text fields.
    CsvRow(QByteArray &out, int numbers, qsizetype textBytes) : m_out(out), m_start(out.size())
    {
        out.resize(m_start + numbers * (NumberSpace + 1) + textBytes + 2);
        m_at = out.data() + m_start;
    }
    ~CsvRow()
    {
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
    // The shortest decimal text that reads back as the same double, never in exponent
    // form, which not every reader of "number" columns takes.
    CsvRow &number(std::optional<double> value)
    {
        separate();
        if (value && !shortDecimals(*value))
            m_at = std::to_chars(m_at, m_at + NumberSpace, *value, std::chars_format::fixed).ptr;
        return *this;
    }
    // A measure as the wide table writes it, with "." for the decimal point.
    CsvRow &fixed(std::optional<double> value, int decimals)
    {
        separate();
        if (value)
            m_at = writeFixedDecimals(m_at, *value, decimals, ".");
        return *this;
    }

private:
    // The longest number: a finite double in fixed form, with a sign, at most 309 whole
    // digits or the 324 decimals of the smallest one.
    static constexpr int NumberSpace = 400;

    // Times are read from files that hold a few decimals. When the value is exactly the
    // double nearest to a number of thousandths, those thousandths without trailing
    // zeros are its shortest text (two such numbers lie further apart than two doubles
    // below 1e9), the same text as the general way's, made without its search.
    bool shortDecimals(double value)
    {
        if (!(std::fabs(value) < 1e9) || (value == 0 && std::signbit(value)))
            return false;
        const auto thousandths = std::llround(value * 1000);
        if (double(thousandths) / 1000 != value)
            return false;
        if (thousandths < 0)
            *m_at++ = '-';
        const auto magnitude = std::uint64_t(thousandths < 0 ? -thousandths : thousandths);
        m_at = std::to_chars(m_at, m_at + NumberSpace, magnitude / 1000).ptr;
        auto fraction = unsigned(magnitude % 1000);
        if (fraction == 0)
            return true;
        *m_at++ = '.';
        for (unsigned scale = 100; fraction != 0; scale /= 10) {
            *m_at++ = char('0' + fraction / scale);
            fraction %= scale;
        }
        return true;
    }

    void separate()
    {
        if (!m_first)
            *m_at++ = ',';
        m_first = false;
    }

    QByteArray &m_out;
    qsizetype m_start;
    char *m_at;
    bool m_first = true;
};

QByteArray csvText(const QString &value)
{
    QByteArray utf8 = value.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\r') && !utf8.contains('\n'))
        return utf8;
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

QByteArray titleRow(const TidyTable &table)
{
    QByteArray row;
    for (const TidyColumn &column : table.columns) {
        if (!row.isEmpty())
            row += ',';
        row += column.name;
    }
    return row + "\r\n";
}

} // namespace

std::span<const TidyTable> tidyTables()
{
    return tables;
}

QByteArray dataPackageDescriptor()
{
    QJsonArray resources;
    for (const TidyTable &table : tables) {
        QJsonArray fields;
        for (const TidyColumn &column : table.columns) {
            fields.append(QJsonObject{{QStringLiteral("name"), QLatin1StringView(column.name)},
                                      {QStringLiteral("type"), QLatin1StringView(column.type)},
                                      {QStringLiteral("description"), QLatin1StringView(column.description)}});
        }
        const QJsonObject schema{{QStringLiteral("fields"), fields},
                                 {QStringLiteral("missingValues"), QJsonArray{QString()}}};
        const QJsonObject dialect{{QStringLiteral("delimiter"), QStringLiteral(",")},
                                  {QStringLiteral("doubleQuote"), true},
                                  {QStringLiteral("quoteChar"), QStringLiteral("\"")},
                                  {QStringLiteral("lineTerminator"), QStringLiteral("\r\n")},
                                  {QStringLiteral("header"), true}};
        const QString name = QLatin1StringView(table.name);
        resources.append(QJsonObject{{QStringLiteral("name"), name},
                                     {QStringLiteral("path"), name + QStringLiteral(".csv")},
                                     {QStringLiteral("profile"), QStringLiteral("tabular-data-resource")},
                                     {QStringLiteral("description"), QLatin1StringView(table.description)},
                                     {QStringLiteral("format"), QStringLiteral("csv")},
                                     {QStringLiteral("mediatype"), QStringLiteral("text/csv")},
                                     {QStringLiteral("encoding"), QStringLiteral("utf-8")},
                                     {QStringLiteral("dialect"), dialect},
                                     {QStringLiteral("schema"), schema}});
    }
    const QJsonObject package{
        {QStringLiteral("name"), QStringLiteral("kelvane-tidy-tables")},
        {QStringLiteral("title"), QStringLiteral("Kelvane searches, click by click")},
        {QStringLiteral("profile"), QStringLiteral("tabular-data-package")},
        {QStringLiteral("resources"), resources}};
    return QJsonDocument(package).toJson(QJsonDocument::Indented);
}

TidyTables::TidyTables()
{
    for (std::size_t t = 0; t < tables.size(); ++t)
        m_text[t] = titleRow(tables[t]);
}

TidyTables::TidyTables(const QString &folder) : TidyTables()
{
    m_folder = folder;
    if (!openFolder(folder, &m_folderProblem))
        return;
    const QDir dir(folder);
    for (std::size_t t = 0; t < tables.size(); ++t) {
        m_files[t] = std::make_unique<WholeFileWriter>(
            dir.filePath(QLatin1StringView(tables[t].name) + QStringLiteral(".csv")));
        m_text[t].reserve(2 * PassOnBytes);
    }
}

TidyTables::~TidyTables() = default;

bool TidyTables::openFolder(const QString &folder, QString *problem)
{
    if (const QFileInfo info(folder); info.exists() && !info.isDir()) {
        *problem = QStringLiteral("The tidy tables were not written: %1 is a file, not a folder").arg(folder);
        return false;
    }
    if (!QDir(folder).mkpath(QStringLiteral("."))) {
        *problem = QStringLiteral("The tidy tables were not written: the folder %1 could not be created")
                       .arg(folder);
        return false;
    }
    return true;
}

// The rows gathered so far go to the files once there are enough of them to make a
// write worth its call; the buffers keep their room for the next rows.
void TidyTables::passOnFullTables()
{
    for (std::size_t t = 0; t < tables.size(); ++t) {
        if (m_files[t] && m_text[t].size() >= PassOnBytes) {
            m_files[t]->write(m_text[t]);
            m_text[t].resize(0);
        }
    }
}

void TidyTables::add(const FileScore &score)
{
    const QByteArray subject = csvText(score.subject);
    const QByteArray session = csvText(score.session);
    QString lastName;
    QByteArray name;
    for (const ClusterScore &cluster : score.clusters) {
        for (const TrialScore &trial : cluster.trials) {
            if (name.isEmpty() || trial.clusterName != lastName) {
                lastName = trial.clusterName;
                name = csvText(lastName);
            }
            const qsizetype texts = subject.size() + name.size();
            for (const ClickScore &click : trial.clicks) {
                CsvRow row(m_text[Clicks], 12, texts);
                row.text(subject).integer(cluster.number).text(name).integer(trial.trial);
                row.integer(trial.boxes).integer(trial.target).integer(click.position);
                row.integer(click.box).number(click.timeS).integer(click.ms);
                row.flag(click.found).flag(click.repeat).flag(click.earlierTarget);
                row.flag(click.doubleError());
            }
            CsvRow row(m_text[Trials], 14, texts);
            row.text(subject).integer(cluster.number).text(name).integer(trial.trial);
            row.integer(trial.boxes).integer(trial.objects).integer(trial.target);
            row.number(trial.totalTimeS).integer(trial.opened).flag(trial.found);
            row.integer(trial.firstBox).integer(trial.repeats).integer(trial.earlierTargetVisits);
            row.integer(trial.doubles).integer(trial.wErr).number(trial.distance);
        }
        const QByteArray clusterName = csvText(cluster.name);
        const ClusterMeasures &m = cluster.measures;
        CsvRow row(m_text[Clusters], 16, subject.size() + clusterName.size() + session.size());
        row.text(subject).integer(cluster.number).text(clusterName);
        row.integer(m.trials).integer(m.boxes).fixed(m.open, 3).fixed(m.wErr, 3);
        row.fixed(m.bErr, 3).fixed(m.strategy, 3).fixed(m.normalizedLevenshtein, 4);
        row.integer(cluster.withinSearchErrors).integer(cluster.betweenSearchErrors);
        row.integer(cluster.doubleErrors).integer(cluster.totalErrors);
        row.integer(cluster.distinctStartBoxes).integer(cluster.timeouts);
        row.number(cluster.meanSearchTimeS).text(session);
    }
    passOnFullTables();
}

bool TidyTables::save(const QString &folder, QString *problem)
{
    const bool streaming = !m_folder.isNull();
    if (streaming && !m_folderProblem.isEmpty()) {
        *problem = m_folderProblem;
        return false;
    }
    if (!streaming && !openFolder(folder, problem))
        return false;
    const QDir dir(streaming ? m_folder : folder);
    FileError error;
    for (std::size_t t = 0; t < tables.size(); ++t) {
        bool saved = false;
        if (streaming) {
            m_files[t]->write(m_text[t]);
            m_text[t].resize(0);
            saved = m_files[t]->commit(&error);
            m_files[t].reset();
        } else {
            const QString path = dir.filePath(QLatin1StringView(tables[t].name) + QStringLiteral(".csv"));
            saved = saveWholeFile(path, m_text[t], &error);
        }
        if (!saved) {
            *problem = error.description;
            return false;
        }
    }
    if (!saveWholeFile(dir.filePath(QStringLiteral("datapackage.json")), dataPackageDescriptor(), &error)) {
        *problem = error.description;
        return false;
    }
    return true;
}

} // namespace kelvane::analyzer
