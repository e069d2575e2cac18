#pragma once
// All stored settings together, as the Options dialog shows and saves them: reading
// them with every value that cannot be used named, the values Save refuses, and a save
// that either reaches the store's file whole or leaves the store as it was.

#include "kelvane/options/SettingsStore.h"
#include "kelvane/options/StoredSettings.h"

#include <QStringList>

#include <optional>

namespace kelvane {

struct DefaultSettings
{
    TrialDefaults trial;
    QString iconSize;              // twips, as typed
    QStringList objectPictures;    // 6 bare names
    QStringList boxPictures;       // 4
    QStringList emptyBoxPictures;  // 4
};

struct LoadedDefaults
{
    DefaultSettings settings;
    // Stored values that cannot be used as they are, each naming its key.
    QStringList problems;
};

// Reads every key. A colour that is not a number reads as its first-run colour; an icon
// size that Save would refuse is reported and kept as stored, for the researcher to mend.
LoadedDefaults readDefaultSettings(const SettingsStore &store);

struct Refusal
{
    enum class Field { ScreenSize, IconSize, BoxSize };
    Field field;
    QString text;
};

// Values that would make trials unusable: an icon size that is not a number of twips
// from 15 to 7000 (0 or a text would hide every box, more than 7000 is larger than the
// layout square) and a screen size outside 1 to 100 percent. The time and close-after
// texts stay free, since a text without a number has its own meaning there. A box size
// is empty (the icon size) or a number of millimetres from 1 to 200.
std::optional<Refusal> refusalOf(const DefaultSettings &settings);

inline constexpr double SmallestIconSize = 15;    // one pixel
inline constexpr double LargestIconSize = 7000;   // the side of the layout square
bool isUsableIconSize(const QString &text);

// Writes every key in the order of the key table and commits them. When the store's
// file could not be written, the store gets back the values it held before, so that
// nothing unsaved is read now or written later, and `problem` says why.
bool saveDefaultSettings(SettingsStore &store, const DefaultSettings &settings, QString *problem);

} // namespace kelvane
