#include "SavWriter.h"

#include "ClusterColumns.h"
#include "TableWriter.h"

#include <readstat.h>

#include <array>
#include <memory>
#include <optional>
#include <vector>

namespace kelvane::analyzer {

namespace {

constexpr std::array<const char *, MeasuresPerCluster> variableStems{
    "Trials", "Boxes", "Open", "W_Err", "B_err", "Strategy", "NormLev"};
constexpr std::array<const char *, MeasuresPerCluster> printFormats{
    "F8.0", "F8.0", "F8.3", "F8.3", "F8.3", "F8.3", "F8.4"};

struct WriterFree
{
    void operator()(readstat_writer_t *writer) const { readstat_writer_free(writer); }
};

ssize_t appendTo(const void *data, size_t length, void *context)
{
    static_cast<QByteArray *>(context)->append(static_cast<const char *>(data), qsizetype(length));
    return ssize_t(length);
}

readstat_variable_t *addNumeric(readstat_writer_t *writer, const QString &name,
                                const QString &label, const char *format)
{
    readstat_variable_t *variable = readstat_add_variable(writer, name.toUtf8().constData(),
                                                          READSTAT_TYPE_DOUBLE, 0);
    readstat_variable_set_label(variable, label.toUtf8().constData());
    readstat_variable_set_format(variable, format);
    readstat_variable_set_measure(variable, READSTAT_MEASURE_SCALE);
    readstat_variable_set_alignment(variable, READSTAT_ALIGNMENT_RIGHT);
    readstat_variable_set_display_width(variable, 8);
    return variable;
}

std::array<std::optional<double>, MeasuresPerCluster> valuesOf(const ClusterMeasures &cluster)
{
    return {double(cluster.trials), double(cluster.boxes), cluster.open, cluster.wErr,
            cluster.bErr, cluster.strategy, cluster.normalizedLevenshtein};
}

} // namespace

QString savVariableName(int cluster, int measure)
{
    return QStringLiteral("%1_%2")
        .arg(QLatin1StringView(variableStems[std::size_t(measure)]))
        .arg(cluster);
}

FileResult<QByteArray> savBytes(const QList<SubjectResult> &subjects,
              const NamedColumns *byName)
{
    qsizetype clusterColumns = byName ? byName->labels.size() : 0;
    qsizetype subjectWidth = 1;
    std::vector<QByteArray> names;
    names.reserve(std::size_t(subjects.size()));
    for (const SubjectResult &subject : subjects) {
        if (!byName)
            clusterColumns = std::max(clusterColumns, subject.clusters.size());
        names.push_back(subject.subject.toUtf8());
        subjectWidth = std::max(subjectWidth, names.back().size());
    }

    const std::unique_ptr<readstat_writer_t, WriterFree> writer(readstat_writer_init());
    readstat_set_data_writer(writer.get(), appendTo);
    readstat_writer_set_file_label(writer.get(), "Kelvane Analyzer measures");

    readstat_variable_t *subjectVariable = readstat_add_variable(
        writer.get(), "Subject", READSTAT_TYPE_STRING, std::size_t(subjectWidth));
    readstat_variable_set_label(subjectVariable, "Subject");
    readstat_variable_set_measure(subjectVariable, READSTAT_MEASURE_NOMINAL);
    readstat_variable_set_alignment(subjectVariable, READSTAT_ALIGNMENT_LEFT);
    readstat_variable_t *clustersVariable = addNumeric(
        writer.get(), QStringLiteral("Clusters"), QStringLiteral("Clusters"), "F8.0");

    std::vector<readstat_variable_t *> measureVariables;
    for (int c = 1; c <= clusterColumns; ++c) {
        for (int m = 0; m < MeasuresPerCluster; ++m) {
            const QString label = byName ? measureTitle(byName->labels[c - 1], m) : measureTitle(c, m);
            measureVariables.push_back(addNumeric(writer.get(), savVariableName(c, m), label,
                                                  printFormats[std::size_t(m)]));
        }
    }

    QByteArray out;
    readstat_error_t status = readstat_begin_writing_sav(writer.get(), &out, long(subjects.size()));
    for (qsizetype s = 0; s < subjects.size() && status == READSTAT_OK; ++s) {
        const SubjectResult &subject = subjects[s];
        status = readstat_begin_row(writer.get());
        if (status == READSTAT_OK)
            status = readstat_insert_string_value(writer.get(), subjectVariable,
                                                  names[std::size_t(s)].constData());
        if (status == READSTAT_OK)
            status = readstat_insert_double_value(writer.get(), clustersVariable,
                                                  double(subject.clusters.size()));
        std::size_t column = 0;
        for (int c = 0; c < clusterColumns && status == READSTAT_OK; ++c) {
            std::array<std::optional<double>, MeasuresPerCluster> values{};
            const qsizetype at = byName ? byName->clusterAt[s][c] : c;
            if (at >= 0 && at < subject.clusters.size())
                values = valuesOf(subject.clusters[at]);
            for (const std::optional<double> &value : values) {
                readstat_variable_t *variable = measureVariables[column++];
                if (status != READSTAT_OK)
                    break;
                status = value ? readstat_insert_double_value(writer.get(), variable, *value)
                               : readstat_insert_missing_value(writer.get(), variable);
            }
        }
        if (status == READSTAT_OK)
            status = readstat_end_row(writer.get());
    }
    if (status == READSTAT_OK)
        status = readstat_end_writing(writer.get());
    if (status != READSTAT_OK) {
        const QString why = QStringLiteral("the SPSS data file could not be composed: %1")
                                .arg(QString::fromUtf8(readstat_error_message(status)));
        return FileError{ErrorCode::TypeMismatch, why, why};
    }
    return out;
}

} // namespace kelvane::analyzer
