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

void writeNames(SettingsStore &store, const QString &section, const QStringList &names)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        store.write(section, QString::number(i + 1), names[i]);
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
                                    "the colour %4 is kept.")
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

void writeAllSettings(SettingsStore &store, const TrialDefaults &trial, const QString &iconSize,
                      const QStringList &objects, const QStringList &boxes,
                      const QStringList &emptyBoxes)
{
    store.write(Messages, QStringLiteral("TimeUpMessage"), trial.TimeUpMessage);
    store.write(Messages, QStringLiteral("StartMessage"), trial.StartMessage);
    store.write(Messages, QStringLiteral("EndMessage"), trial.EndMessage);
    store.write(Timing, QStringLiteral("Time"), trial.Time);
    store.write(Timing, QStringLiteral("CloseAfter"), trial.CloseAfter);
    store.write(Screen, QStringLiteral("BackColor"), QString::number(trial.BackColor));
    store.write(Screen, QStringLiteral("ForeColor"), QString::number(trial.ForeColor));
    store.write(Screen, QStringLiteral("ScreenSize"), trial.ScreenSize);
    store.write(Screen, QStringLiteral("IconSize"), iconSize);
    writeNames(store, DragBoxIcons, objects);
    writeNames(store, EmptyBoxIcons, boxes);
    writeNames(store, EmptyIcons, emptyBoxes);
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

double readIconSize(const SettingsStore &store, QString *problem)
{
    const QString text = store.read(Screen, QStringLiteral("IconSize"));
    bool ok = false;
    const double size = text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(size) && size >= 0)
        return size;
    if (problem)
        *problem = QStringLiteral("The stored icon size \"%1\" (Screen/IconSize) is not a number of "
                                  "twips; %2 is used.")
                       .arg(text).arg(FirstRunIconSize);
    return FirstRunIconSize;
}

QStringList GetRegistrySettings(SettingsStore &store, Program &program)
{
    TrialSettings &first = program.Cluster.Trials.front();
    applyFirstRunRule(store, trialDefaultsOf(first));
    const StoredDefaults stored = readStoredDefaults(store, trialDefaultsOf(first));
    applyTrialDefaults(stored.trial, first);
    fill(program.Pictures.DragBoxIconNames, stored.objectPictures);
    fill(program.Pictures.EmptyBoxIconNames, stored.boxPictures);
    fill(program.Pictures.EmptyIconNames, stored.emptyBoxPictures);
    return stored.problems;
}

} // namespace kelvane
