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

QStringList readNames(const SettingsStore &store, const QString &section, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(store.read(section, QString::number(i)));
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
    if (const auto value = convertToWholeNumber(text)) {
        *colour = *value;
        return;
    }
    problems->append(QStringLiteral("The stored %1 \"%2\" (Screen/%3) is not a colour number; "
                                    "the colour %4 is used instead.")
                         .arg(QLatin1StringView(name), text, key).arg(*colour));
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
            trial.CloseAfter, trial.ChangeColor, trial.ChangeForeColor, trial.ScreenSize};
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
    d = current;
    d.TimeUpMessage = store.read(Messages, QStringLiteral("TimeUpMessage"));
    d.StartMessage = store.read(Messages, QStringLiteral("StartMessage"));
    d.EndMessage = store.read(Messages, QStringLiteral("EndMessage"));
    d.Time = store.read(Timing, QStringLiteral("Time"));
    d.CloseAfter = store.read(Timing, QStringLiteral("CloseAfter"));
    readColour(store, QStringLiteral("BackColor"), "background colour", &d.BackColor, &stored.problems);
    readColour(store, QStringLiteral("ForeColor"), "foreground colour", &d.ForeColor, &stored.problems);
    d.ScreenSize = store.read(Screen, QStringLiteral("ScreenSize"));
    stored.objectPictures = readNames(store, DragBoxIcons, PictureNameLists::ObjectCount);
    stored.boxPictures = readNames(store, EmptyBoxIcons, PictureNameLists::BoxCount);
    stored.emptyBoxPictures = readNames(store, EmptyIcons, PictureNameLists::BoxCount);
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

double readIconSize(const SettingsStore &store, QString *problem)
{
    const QString text = store.read(Screen, QStringLiteral("IconSize"));
    if (const auto size = iconSizeTwips(text); size && *size >= 0)
        return *size;
    if (problem)
        *problem = QStringLiteral("The stored icon size \"%1\" (Screen/IconSize) is not a number of "
                                  "twips; %2 is used.")
                       .arg(text).arg(FirstRunIconSize);
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
