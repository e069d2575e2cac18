#include "kelvane/model/ClusterFileReader.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/ValueReader.h"
#include "kelvane/Windows1252.h"
#include "kelvane/model/LayoutGeometry.h"

#include <cmath>
#include <limits>

namespace kelvane {

namespace {

// Thrown inside the reader only; readClusterText turns it into a problem.
struct Stop
{
    FileError error;
};

class ClusterTextReader
{
public:
    explicit ClusterTextReader(const QString &text) : m_values(text) {}

    QString text(const QString &what)
    {
        return next(what).text;
    }

    bool boolean(const QString &what)
    {
        const Value value = next(what);
        if (value.kind == Value::Kind::Boolean)
            return value.boolean;
        if (value.kind == Value::Kind::Number)
            return leadingNumber(value.text) != 0.0;
        stop(ErrorCode::TypeMismatch,
             QStringLiteral("%1 is \"%2\", not #TRUE# or #FALSE#").arg(what, value.text));
    }

    ColourValue colour(const QString &what)
    {
        const Value value = next(what);
        qint64 number = 0;
        if (!parseWholeNumber(value.text, &number) || number < std::numeric_limits<qint32>::min()
            || number > std::numeric_limits<qint32>::max()) {
            stop(ErrorCode::TypeMismatch,
                 QStringLiteral("%1 is \"%2\", not a colour number").arg(what, value.text));
        }
        return ColourValue(number);
    }

    qint16 position(const QString &what)
    {
        const Value value = next(what);
        const auto position = positionFromFraction(leadingNumber(value.text));
        if (!position)
            stop(ErrorCode::TypeMismatch,
                 QStringLiteral("%1 \"%2\" lies outside the layout area's range").arg(what, value.text));
        return *position;
    }

    double number(const QString &what)
    {
        return leadingNumber(next(what).text);
    }

    [[noreturn]] void stop(int code, const QString &description)
    {
        throw Stop{{code, QStringLiteral("line %1: %2").arg(m_values.line()).arg(description)}};
    }

private:
    Value next(const QString &what)
    {
        if (auto value = m_values.next())
            return *value;
        stop(ErrorCode::InputPastEndOfFile, QStringLiteral("the file ends before %1").arg(what));
    }

    ValueReader m_values;
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

    const double count = roundHalfEven(in.number(trialField(t, "box count")));
    if (count < 0 || count > ClusterModel::MaxBoxesPerTrial) {
        in.stop(ErrorCode::SubscriptOutOfRange,
                QStringLiteral("trial %1 has %2 boxes; a trial holds at most %3")
                    .arg(t + 1).arg(count).arg(ClusterModel::MaxBoxesPerTrial));
    }
    for (int k = 1; k <= int(count); ++k) {
        BoxRecord &b = cluster.box(t, k);
        b.BoxIconFile = in.text(boxField(t, k, "closed-box picture"));
        b.EmptyIconFile = in.text(boxField(t, k, "empty-box picture"));
        b.ContentFile = in.text(boxField(t, k, "object picture"));
        b.Empty = in.boolean(boxField(t, k, "empty flag"));
        b.Left = in.position(boxField(t, k, "left position"));
        b.Top = in.position(boxField(t, k, "top position"));
        if (b.BoxIconFile.isEmpty()) {
            // A box without a picture would end the trial's boxes early and hide the rest.
            in.stop(ErrorCode::TypeMismatch,
                    QStringLiteral("box %1 in trial %2 has no closed-box picture").arg(k).arg(t + 1));
        }
    }
}

} // namespace

ClusterFileContent readClusterText(const QString &text, ObjectRow objectRow)
{
    ClusterFileContent content;
    ClusterTextReader in(text);
    try {
        const QString countText = in.text(QStringLiteral("the number of trials"));
        qint64 trials = 0;
        if (!parseWholeNumber(countText, &trials))
            in.stop(ErrorCode::TypeMismatch,
                    QStringLiteral("the number of trials is \"%1\", not a whole number").arg(countText));
        if (trials < 1 || trials > ClusterModel::MaxTrials)
            in.stop(ErrorCode::SubscriptOutOfRange,
                    QStringLiteral("the cluster has %1 trials; a cluster holds 1 to %2")
                        .arg(trials).arg(ClusterModel::MaxTrials));
        content.cluster.Trials.resize(std::size_t(trials));
        for (int t = 0; t < int(trials); ++t)
            readTrial(in, content.cluster, t);
        if (objectRow == ObjectRow::Read) {
            for (int i = 0; i < 6; ++i)
                content.objectRow.append(
                    in.text(QStringLiteral("object picture %1 of the picture row").arg(i + 1)));
        }
    } catch (const Stop &stop) {
        content.problem = stop.error;
    }
    return content;
}

ClusterFileContent readClusterFile(const QString &path, ObjectRow objectRow)
{
    QByteArray bytes;
    FileError error;
    if (!readWholeFile(path, &bytes, &error)) {
        ClusterFileContent content;
        content.problem = error;
        return content;
    }
    ClusterFileContent content = readClusterText(fromWindows1252(bytes), objectRow);
    if (content.problem)
        content.problem->description = path + QStringLiteral(", ") + content.problem->description;
    return content;
}

} // namespace kelvane
