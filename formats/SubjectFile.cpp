#include "kelvane/formats/SubjectFile.h"

#include "kelvane/Windows1252.h"
#include "kelvane/formats/ResultLines.h"

namespace kelvane {

namespace {

constexpr qsizetype PrintZoneWidth = 14;

} // namespace

std::optional<QString> subjectNameProblem(const QString &name)
{
    if (name == QLatin1StringView(".") || name == QLatin1StringView(".."))
        return QStringLiteral("\".\" and \"..\" name folders, not files");
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("it holds a path separator (/ or \\)");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("it holds a control character (such as TAB or a line break)");
    }
    if (!name.isEmpty() && (name.front().isSpace() || name.back().isSpace()))
        return QStringLiteral("it begins or ends with a blank");
    QChar missing;
    toWindows1252(name, &missing);
    if (!missing.isNull())
        return QStringLiteral("it holds the character %1, which a result file (Windows-1252 text) cannot store")
            .arg(missing);
    return std::nullopt;
}

QString printZones(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            const qsizetype zones = line.size() / PrintZoneWidth + 1;
            line = line.leftJustified(zones * PrintZoneWidth, u' ');
        }
        line += fields[i];
    }
    return line;
}

QString timeFormOf(const QLocale &locale)
{
    // The long form is the one with seconds; its time zone ("t") is left out.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString form;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        form += c;
    }
    return form.trimmed();
}

QString subjectFileHead(const QString &name, const QDateTime &when, const QLocale &locale)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QString time = locale.toString(when.time(), timeFormOf(locale));
    return printZones({date, time, name}) + lineEnd + resultTitleLine();
}

} // namespace kelvane
