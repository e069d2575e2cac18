#include "kelvane/options/StoredSettings.h"

#include "kelvane/TextNumbers.h"

#include <cmath>

namespace kelvane {

namespace {

const QString Messages = QStringLiteral("Messages");
const QString Timing = QStringLiteral("Timing");
const QString Screen = QStringLiteral("Screen");
const QString DragBoxIcons = QStringLiteral("DragBoxIcons");
const QString EmptyBoxIcons = QStringLiteral("EmptyBoxIcons");
const QString EmptyIcons = QStringLiteral("EmptyIcons");

QStringList numberedNames(const QString &stem, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("%1%2.ico").arg(stem).arg(i));
    return names;
}

// A value as it may be quoted in a message: a huge or binary one must not flood it.
QString shownValue(const QString &text)
{
    constexpr qsizetype Shown = 40;
    QString shown = text.left(Shown);
    for (QChar &c : shown) {
        if (c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter)
            c = u'?';
    }
    return text.size() > Shown ? shown + QStringLiteral("...") : shown;
}

// Why a stored text cannot be used: missing from a store the program has written in
// full, not a text at all, binary bytes, or far longer than anything the program
// writes. Empty when it can be used.
QString damageOf(const SettingsStore &store, const QString &section, const QString &key,
                 const QString &text)
{
    if (!store.contains(section, key))
        return QStringLiteral("it is missing");
    if (!store.holdsText(section, key))
        return QStringLiteral("it is not a text");
    if (text.size() > MaxStoredTextLength)
        return QStringLiteral("it holds %1 characters, more than %2").arg(text.size()).arg(MaxStoredTextLength);
    for (const QChar c : text) {
        const bool lineBreak = c == u'\t' || c == u'\r' || c == u'\n';
        if ((c.category() == QChar::Other_Control && !lineBreak) || c == QChar::ReplacementCharacter)
            return QStringLiteral("it holds bytes that are not text (\"%1\")").arg(shownValue(text));
    }
    return {};
}

// The stored text, or `firstRun` with a problem naming the key when it is damaged.
QString readText(const SettingsStore &store, const QString &section, const QString &key,
                 const QString &firstRun, QStringList *problems)
{
    const QString text = store.read(section, key);
    const QString damage = damageOf(store, section, key, text);
    if (damage.isEmpty())
        return text;
    problems->append(QStringLiteral("The stored value of %1/%2 cannot be used: %3; \"%4\" is used instead.")
                         .arg(section, key, damage, firstRun));
    return firstRun;
}

QStringList readNames(const SettingsStore &store, const QString &section, const QStringList &firstRun,
                      QStringList *problems)
{
    QStringList names;
    for (qsizetype i = 0; i < firstRun.size(); ++i)
        names.append(readText(store, section, QString::number(i + 1), firstRun[i], problems));
    return names;
}

// Exactly `count` names, so that every key of the section is written.
void appendNames(QStringList &texts, const QStringList &names, int count)
{
    for (int i = 0; i < count; ++i)
        texts.append(names.value(i));
}

void readColour(const SettingsStore &store, const QString &key, const char *name,
                ColourValue *colour, QStringList *problems)
{
    const QString text = store.read(Screen, key);
    // Read as cluster files read colours, so that a hand-edited "&HFF" means red here too.
    if (const auto value = convertToWholeNumber(text); value && store.holdsText(Screen, key)) {
        *colour = *value;
        return;
    }
    problems->append(QStringLiteral("The stored %1 \"%2\" (Screen/%3) is not a colour number; "
                                    "the colour %4 is used instead.")
                         .arg(QLatin1StringView(name), shownValue(text), key).arg(*colour));
}

template <std::size_t N>
void fill(std::array<QString, N> &list, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size() && std::size_t(i) < N; ++i)
        list[std::size_t(i)] = names[i];
}

} // namespace

TrialDefaults firstRunTrialDefaults()
{
    TrialDefaults d;
    d.TimeUpMessage = QStringLiteral("Uw tijd is om.");
    d.StartMessage = QStringLiteral("Klik op START om te beginnen.");
    d.EndMessage = QStringLiteral("Klik op START om door te gaan.");
    d.Time = QStringLiteral("10");
    d.CloseAfter = QStringLiteral("2");
    d.BackColor = 0;
    d.ForeColor = 16777215;
    d.ScreenSize = QStringLiteral("85");
    return d;
}

QStringList firstRunObjectPictures()
{
    return numberedNames(QStringLiteral("Content"), PictureNameLists::ObjectCount);
}

QStringList firstRunBoxPictures()
{
    return numberedNames(QStringLiteral("Box"), PictureNameLists::BoxCount);
}

QStringList firstRunEmptyBoxPictures()
{
    return numberedNames(QStringLiteral("EmptyBox"), PictureNameLists::BoxCount);
}

TrialDefaults trialDefaultsOf(const TrialSettings &trial)
{
    return {trial.TimeUpMessage, trial.StartMessage, trial.EndMessage, trial.time,
            trial.CloseAfter, trial.ChangeColor, trial.ChangeForeColor, trial.ScreenSize, trial.BoxSizeMm};
}

void applyTrialDefaults(const TrialDefaults &defaults, TrialSettings &trial)
{
    trial.TimeUpMessage = defaults.TimeUpMessage;
    trial.StartMessage = defaults.StartMessage;
    trial.EndMessage = defaults.EndMessage;
    trial.time = defaults.Time;
    trial.CloseAfter = defaults.CloseAfter;
    trial.ChangeColor = defaults.BackColor;
    trial.ChangeForeColor = defaults.ForeColor;
    trial.ScreenSize = defaults.ScreenSize;
    trial.BoxSizeMm = defaults.BoxSizeMm;
}

QList<SettingKey> allSettingKeys()
{
    QList<SettingKey> keys;
    for (const char *key : {"TimeUpMessage", "StartMessage", "EndMessage"})
        keys.append({Messages, QString::fromLatin1(key)});
    for (const char *key : {"Time", "CloseAfter"})
        keys.append({Timing, QString::fromLatin1(key)});
    for (const char *key : {"BackColor", "ForeColor", "ScreenSize", "IconSize"})
        keys.append({Screen, QString::fromLatin1(key)});
    const auto addNumbered = [&keys](const QString &section, int count) {
        for (int i = 1; i <= count; ++i)
            keys.append({section, QString::number(i)});
    };
    addNumbered(DragBoxIcons, PictureNameLists::ObjectCount);
    addNumbered(EmptyBoxIcons, PictureNameLists::BoxCount);
    addNumbered(EmptyIcons, PictureNameLists::BoxCount);
    // Ours, after the keys every copy of the program knows.
    keys.append({Screen, QStringLiteral("BoxSizeMm")});
    return keys;
}

void writeAllSettings(SettingsStore &store, const TrialDefaults &trial, const QString &iconSize,
                      const QStringList &objects, const QStringList &boxes,
                      const QStringList &emptyBoxes)
{
    QStringList texts = {trial.TimeUpMessage,
                         trial.StartMessage,
                         trial.EndMessage,
                         trial.Time,
                         trial.CloseAfter,
                         QString::number(trial.BackColor),
                         QString::number(trial.ForeColor),
                         trial.ScreenSize,
                         iconSize};
    appendNames(texts, objects, PictureNameLists::ObjectCount);
    appendNames(texts, boxes, PictureNameLists::BoxCount);
    appendNames(texts, emptyBoxes, PictureNameLists::BoxCount);
    texts.append(trial.BoxSizeMm);
    const QList<SettingKey> keys = allSettingKeys();
    for (qsizetype i = 0; i < keys.size(); ++i)
        store.write(keys[i].section, keys[i].key, texts[i]);
}

bool applyFirstRunRule(SettingsStore &store, const TrialDefaults &editorFields)
{
    if (store.contains(Messages, QStringLiteral("TimeUpMessage")))
        return false;
    writeAllSettings(store, editorFields, QString::number(FirstRunIconSize), firstRunObjectPictures(),
                     firstRunBoxPictures(), firstRunEmptyBoxPictures());
    return true;
}

StoredDefaults readStoredDefaults(const SettingsStore &store, const TrialDefaults &current)
{
    StoredDefaults stored;
    TrialDefaults &d = stored.trial;
    QStringList *problems = &stored.problems;
    const TrialDefaults firstRun = firstRunTrialDefaults();
    d = current;
    d.TimeUpMessage = readText(store, Messages, QStringLiteral("TimeUpMessage"), firstRun.TimeUpMessage, problems);
    d.StartMessage = readText(store, Messages, QStringLiteral("StartMessage"), firstRun.StartMessage, problems);
    d.EndMessage = readText(store, Messages, QStringLiteral("EndMessage"), firstRun.EndMessage, problems);
    d.Time = readText(store, Timing, QStringLiteral("Time"), firstRun.Time, problems);
    d.CloseAfter = readText(store, Timing, QStringLiteral("CloseAfter"), firstRun.CloseAfter, problems);
    readColour(store, QStringLiteral("BackColor"), "background colour", &d.BackColor, problems);
    readColour(store, QStringLiteral("ForeColor"), "foreground colour", &d.ForeColor, problems);
    d.ScreenSize = readText(store, Screen, QStringLiteral("ScreenSize"), firstRun.ScreenSize, problems);
    // A store written before boxes had sizes in millimetres lacks the key: no size.
    const QString boxSizeKey = QStringLiteral("BoxSizeMm");
    d.BoxSizeMm = store.contains(Screen, boxSizeKey) ? readText(store, Screen, boxSizeKey, {}, problems) : QString();
    stored.objectPictures = readNames(store, DragBoxIcons, firstRunObjectPictures(), problems);
    stored.boxPictures = readNames(store, EmptyBoxIcons, firstRunBoxPictures(), problems);
    stored.emptyBoxPictures = readNames(store, EmptyIcons, firstRunEmptyBoxPictures(), problems);
    return stored;
}

std::optional<double> iconSizeTwips(const QString &text)
{
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(size))
        return std::nullopt;
    return size;
}

std::optional<double> boxSizeMillimetres(const QString &text)
{
    const std::optional<double> mm = findLeadingNumber(text);
    if (!mm || *mm < SmallestBoxSizeMm || *mm > LargestBoxSizeMm)
        return std::nullopt;
    return mm;
}

double readIconSize(const SettingsStore &store, QString *problem)
{
    const QString key = QStringLiteral("IconSize");
    const QString text = store.read(Screen, key);
    if (const auto size = iconSizeTwips(text); size && store.holdsText(Screen, key) && *size >= 0 && *size <= MaxIconSize)
        return *size;
    if (problem)
        *problem = QStringLiteral("The stored icon size \"%1\" (Screen/IconSize) is not a number of "
                                  "twips from 0 to %2; %3 is used.")
                       .arg(shownValue(text)).arg(MaxIconSize).arg(FirstRunIconSize);
    return FirstRunIconSize;
}

QStringList GetRegistrySettings(SettingsStore &store, Program &program)
{
    TrialSettings &first = program.Cluster.Trials.front();
    QString unwritten;
    if (applyFirstRunRule(store, trialDefaultsOf(first)))
        store.commit(&unwritten);
    StoredDefaults stored = readStoredDefaults(store, trialDefaultsOf(first));
    applyTrialDefaults(stored.trial, first);
    fill(program.Pictures.DragBoxIconNames, stored.objectPictures);
    fill(program.Pictures.EmptyBoxIconNames, stored.boxPictures);
    fill(program.Pictures.EmptyIconNames, stored.emptyBoxPictures);
    if (!unwritten.isEmpty())
        stored.problems.prepend(unwritten);
    return stored.problems;
}

} // namespace kelvane
