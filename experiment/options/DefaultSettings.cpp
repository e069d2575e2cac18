#include "kelvane/options/DefaultSettings.h"

#include "kelvane/TextNumbers.h"

namespace kelvane {

namespace {

const QString Screen = QStringLiteral("Screen");

struct KeptValue
{
    bool present = false;
    QString text;
};

QList<KeptValue> keepAll(const SettingsStore &store, const QList<SettingKey> &keys)
{
    QList<KeptValue> kept;
    for (const SettingKey &k : keys)
        kept.append({store.contains(k.section, k.key), store.read(k.section, k.key)});
    return kept;
}

void putBack(SettingsStore &store, const QList<SettingKey> &keys, const QList<KeptValue> &kept)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (kept[i].present)
            store.write(keys[i].section, keys[i].key, kept[i].text);
        else
            store.remove(keys[i].section, keys[i].key);
    }
}

} // namespace

bool isUsableIconSize(const QString &text)
{
    const auto twips = iconSizeTwips(text);
    return twips && *twips >= SmallestIconSize && *twips <= LargestIconSize;
}

LoadedDefaults readDefaultSettings(const SettingsStore &store)
{
    StoredDefaults stored = readStoredDefaults(store, firstRunTrialDefaults());
    LoadedDefaults loaded;
    loaded.settings.trial = stored.trial;
    loaded.settings.iconSize = store.read(Screen, QStringLiteral("IconSize"));
    loaded.settings.objectPictures = stored.objectPictures;
    loaded.settings.boxPictures = stored.boxPictures;
    loaded.settings.emptyBoxPictures = stored.emptyBoxPictures;
    loaded.problems = stored.problems;
    if (!isUsableIconSize(loaded.settings.iconSize))
        loaded.problems.append(QStringLiteral("The stored icon size \"%1\" (Screen/IconSize) is not a "
                                              "number of twips from %2 to %3; it is shown as stored.")
                                   .arg(loaded.settings.iconSize)
                                   .arg(SmallestIconSize)
                                   .arg(LargestIconSize));
    return loaded;
}

std::optional<Refusal> refusalOf(const DefaultSettings &settings)
{
    const double percent = leadingNumber(settings.trial.ScreenSize);
    if (!(percent >= 1 && percent <= 100))
        return Refusal{Refusal::Field::ScreenSize,
                       QStringLiteral("The screen size \"%1\" cannot be used: it must be a number "
                                      "from 1 to 100 percent.")
                           .arg(settings.trial.ScreenSize)};
    if (!isUsableIconSize(settings.iconSize))
        return Refusal{Refusal::Field::IconSize,
                       QStringLiteral("The icon size \"%1\" cannot be used: it must be a number of "
                                      "twips from %2 to %3 (480 twips are 32 pixels).")
                           .arg(settings.iconSize)
                           .arg(SmallestIconSize)
                           .arg(LargestIconSize)};
    if (!settings.trial.BoxSizeMm.isEmpty() && !boxSizeMillimetres(settings.trial.BoxSizeMm))
        return Refusal{Refusal::Field::BoxSize,
                       QStringLiteral("The box size \"%1\" cannot be used: it must be empty (the icon size) "
                                      "or a number of millimetres from %2 to %3.")
                           .arg(settings.trial.BoxSizeMm)
                           .arg(SmallestBoxSizeMm)
                           .arg(LargestBoxSizeMm)};
    return std::nullopt;
}

bool saveDefaultSettings(SettingsStore &store, const DefaultSettings &settings, QString *problem)
{
    const QList<SettingKey> keys = allSettingKeys();
    const QList<KeptValue> before = keepAll(store, keys);
    writeAllSettings(store, settings.trial, settings.iconSize, settings.objectPictures,
                     settings.boxPictures, settings.emptyBoxPictures);
    if (store.commit(problem))
        return true;
    putBack(store, keys, before);
    return false;
}

} // namespace kelvane
