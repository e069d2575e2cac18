#include "kelvane/model/ClusterFileReader.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/ValueReader.h"
#include "kelvane/Windows1252.h"
#include "kelvane/model/LayoutGeometry.h"

namespace kelvane {

namespace {

// Thrown inside the reader only; readClusterText turns it into a problem.
struct Stop
{
    int code = 0;
    int line = 0;
    QString text;
};

QString plainText(double number)
{
    return shortNumberForm(number).trimmed();
}

// Reads one value after another and notes, with the value's line, whatever is read in
// a form the writer would not have used.
class ClusterTextReader
{
public:
    ClusterTextReader(const QString &text, QList<ClusterProblem> &notes)
        : m_values(text), m_notes(notes) {}

    QString text(const QString &what)
    {
        return next(what).text;
    }

    Value value(const QString &what)
    {
        return next(what);
    }

    bool boolean(const QString &what)
    {
        const Value value = next(what);
        if (value.kind == Value::Kind::Boolean)
            return value.boolean;
        if (value.kind == Value::Kind::Number) {
            const bool read = leadingNumber(value.text) != 0.0;
            warn(value, QStringLiteral("%1 is \"%2\" instead of #TRUE# or #FALSE#; read as %3")
                            .arg(what, value.text, read ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#")));
            return read;
        }
        stop(value.line, ErrorCode::TypeMismatch,
             QStringLiteral("%1 is \"%2\", not #TRUE# or #FALSE#").arg(what, value.text));
    }

    ColourValue colour(const QString &what)
    {
        const Value value = next(what);
        const auto number = convertToWholeNumber(value.text);
        if (!number)
            stop(value.line, ErrorCode::TypeMismatch,
                 QStringLiteral("%1 is \"%2\", not a colour number").arg(what, value.text));
        qint64 decimal = 0;
        if (!parseWholeNumber(value.text, &decimal))
            warn(value, QStringLiteral("%1 is \"%2\"; read as %3").arg(what, value.text).arg(*number));
        return *number;
    }

    qint16 position(const QString &what)
    {
        const Value value = next(what);
        const std::optional<double> fraction = findLeadingNumber(value.text);
        if (!fraction)
            problem(value, QStringLiteral("%1 is \"%2\", not a number; the box is placed at 0")
                               .arg(what, value.text));
        else if (!isPlainNumber(value.text))
            warn(value, QStringLiteral("%1 is \"%2\"; read as %3").arg(what, value.text, plainText(*fraction)));
        const auto position = positionFromFraction(fraction.value_or(0.0));
        if (!position)
            stop(value.line, ErrorCode::TypeMismatch,
                 QStringLiteral("%1 \"%2\" lies outside the layout area's range").arg(what, value.text));
        return *position;
    }

    // A count of trials or boxes, by the leading-number rule, rounded to whole (halves
    // to even). Nothing when the text holds no number at all.
    std::optional<double> count(const QString &what, Value *value)
    {
        *value = next(what);
        const std::optional<double> number = findLeadingNumber(value->text);
        if (!number)
            return std::nullopt;
        const double whole = roundHalfEven(*number);
        qint64 plain = 0;
        if (!parseWholeNumber(value->text, &plain))
            warn(*value, QStringLiteral("%1 is \"%2\"; read as %3").arg(what, value->text, plainText(whole)));
        return whole;
    }

    void warn(const Value &value, const QString &text)
    {
        m_notes.append({-1, 0, text, Severity::Warning, value.line});
    }

    void problem(const Value &value, const QString &text)
    {
        m_notes.append({-1, 0, text, Severity::Problem, value.line});
    }

    void note(const ClusterProblem &found)
    {
        m_notes.append(found);
    }

    [[noreturn]] void stop(int line, int code, const QString &text)
    {
        throw Stop{code, line, text};
    }

    [[noreturn]] void stop(const Value &value, int code, const QString &text)
    {
        stop(value.line, code, text);
    }

    // The first value left over once everything the file should hold has been read.
    std::optional<Value> leftOver() { return m_values.next(); }

private:
    Value next(const QString &what)
    {
        auto value = m_values.next();
        if (!value)
            stop(m_lastLine, ErrorCode::InputPastEndOfFile, QStringLiteral("the file ends before %1").arg(what));
        m_lastLine = value->line;
        if (value->unclosed)
            problem(*value, QStringLiteral("%1 has no closing double quote, so it runs to the end of the file")
                                .arg(what));
        else if (!value->skipped.isEmpty())
            problem(*value, QStringLiteral("%1 ends at its second double quote (a value cannot hold one), "
                                           "so the rest of it is dropped: %2")
                                .arg(what, value->skipped));
        return *value;
    }

    ValueReader m_values;
    QList<ClusterProblem> &m_notes;
    int m_lastLine = 1;
};

QString trialField(int trial, const char *field)
{
    return QStringLiteral("the %1 of trial %2").arg(QLatin1StringView(field)).arg(trial + 1);
}

QString boxField(int trial, int box, const char *field)
{
    return QStringLiteral("the %1 of box %2 in trial %3")
        .arg(QLatin1StringView(field)).arg(box).arg(trial + 1);
}

int readBoxCount(ClusterTextReader &in, int t)
{
    const QString what = trialField(t, "box count");
    Value value;
    const std::optional<double> count = in.count(what, &value);
    if (!count) {
        in.problem(value, QStringLiteral("%1 is \"%2\", not a number; read as no boxes").arg(what, value.text));
        return 0;
    }
    if (*count < 0) {
        in.warn(value, QStringLiteral("%1 is \"%2\"; read as no boxes").arg(what, value.text));
        return 0;
    }
    if (*count > ClusterModel::MaxBoxesPerTrial)
        in.stop(value, ErrorCode::SubscriptOutOfRange,
                QStringLiteral("trial %1 has %2 boxes; a trial holds at most %3")
                    .arg(t + 1).arg(*count).arg(ClusterModel::MaxBoxesPerTrial));
    return int(*count);
}

void readTrial(ClusterTextReader &in, ClusterModel &cluster, int t)
{
    TrialSettings &s = cluster.Trials[std::size_t(t)];
    s.time = in.text(trialField(t, "time"));
    s.TimeUpMessage = in.text(trialField(t, "message on timeout"));
    s.TargetNumberText = in.text(trialField(t, "target"));
    s.StartMessage = in.text(trialField(t, "start message"));
    s.EndMessage = in.text(trialField(t, "end message"));
    s.CloseAfter = in.text(trialField(t, "close-after time"));
    s.ChangeColor = in.colour(trialField(t, "background colour"));
    s.ChangeForeColor = in.colour(trialField(t, "foreground colour"));
    s.ScreenSize = in.text(trialField(t, "screen size"));

    const int count = readBoxCount(in, t);
    ClusterProblem gap; // the first box without a closed-box picture, which ends the trial's boxes
    for (int k = 1; k <= count; ++k) {
        BoxRecord &b = cluster.box(t, k);
        const Value picture = in.value(boxField(t, k, "closed-box picture"));
        b.BoxIconFile = picture.text;
        b.EmptyIconFile = in.text(boxField(t, k, "empty-box picture"));
        b.ContentFile = in.text(boxField(t, k, "object picture"));
        b.Empty = in.boolean(boxField(t, k, "empty flag"));
        b.Left = in.position(boxField(t, k, "left position"));
        b.Top = in.position(boxField(t, k, "top position"));
        if (b.BoxIconFile.isEmpty() && gap.box == 0)
            gap = {t, k, {}, Severity::Problem, picture.line};
    }
    if (gap.box != 0) {
        gap.text = QStringLiteral("the box has no closed-box picture, and a trial's boxes end at the first "
                                  "box without one: the subject sees %1 of the trial's %2 boxes")
                       .arg(gap.box - 1).arg(count);
        in.note(gap);
    }
}

} // namespace

ClusterFileContent readClusterText(const QString &text, ObjectRow objectRow)
{
    ClusterFileContent content;
    ClusterTextReader in(text, content.notes);
    try {
        const QString what = QStringLiteral("the number of trials");
        Value value;
        const std::optional<double> trials = in.count(what, &value);
        if (!trials)
            in.stop(value, ErrorCode::TypeMismatch, QStringLiteral("%1 is \"%2\", not a number").arg(what, value.text));
        if (*trials < 1 || *trials > ClusterModel::MaxTrials)
            in.stop(value, ErrorCode::SubscriptOutOfRange,
                    QStringLiteral("the cluster has %1 trials; a cluster holds 1 to %2")
                        .arg(*trials).arg(ClusterModel::MaxTrials));
        content.cluster.Trials.resize(std::size_t(*trials));
        for (int t = 0; t < int(*trials); ++t)
            readTrial(in, content.cluster, t);
        if (objectRow == ObjectRow::Read) {
            for (int i = 0; i < 6; ++i)
                content.objectRow.append(
                    in.text(QStringLiteral("object picture %1 of the picture row").arg(i + 1)));
            if (const auto extra = in.leftOver())
                in.warn(*extra, QStringLiteral("the file goes on after the picture row (\"%1\" and what "
                                               "follows); that is not read")
                                    .arg(extra->text));
        }
    } catch (const Stop &stop) {
        content.problem = FileError{stop.code, QStringLiteral("line %1: %2").arg(stop.line).arg(stop.text)};
        content.notes.append({-1, 0, stop.text, Severity::Problem, stop.line});
    }
    return content;
}

ClusterFileContent readClusterFile(const QString &path, ObjectRow objectRow)
{
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(path, &bytes, &error)) {
        ClusterFileContent content;
        content.notes.append({-1, 0, QStringLiteral("cannot be read: %1").arg(error.reason)});
        content.problem = error;
        return content;
    }
    ClusterFileContent content = readClusterText(fromWindows1252(bytes), objectRow);
    if (content.problem)
        content.problem->description = path + QStringLiteral(", ") + content.problem->description;
    return content;
}

} // namespace kelvane
