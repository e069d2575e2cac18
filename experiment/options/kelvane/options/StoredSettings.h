#pragma once
// The defaults kept in the settings store: their keys, first-run values, and how the
// editor takes them over.

#include "kelvane/Dialogs.h"
#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace kelvane {

// The trial defaults as the editor's first trial holds them.
struct TrialDefaults
{
    QString TimeUpMessage;
    QString StartMessage;
    QString EndMessage;
    QString Time;
    QString CloseAfter;
    ColourValue BackColor = 0;
    ColourValue ForeColor = 16777215;
    QString ScreenSize;
    QString BoxSizeMm; // empty: boxes take the icon size
};

// The values the editor's fields hold at its very first start.
TrialDefaults firstRunTrialDefaults();
inline constexpr double FirstRunIconSize = 480; // twips: 32 pixels at 96 dots per inch
// X11 cannot show a window side of more than 32767 pixels.
inline constexpr double MaxIconSize = 32767.0 * 15;
// Far more than any message or name the program writes: a stored text beyond it is a
// damaged store, not a setting.
inline constexpr qsizetype MaxStoredTextLength = 4096;
QStringList firstRunObjectPictures();     // Content1.ico .. Content6.ico
QStringList firstRunBoxPictures();        // Box1.ico .. Box4.ico
QStringList firstRunEmptyBoxPictures();   // EmptyBox1.ico .. EmptyBox4.ico

TrialDefaults trialDefaultsOf(const TrialSettings &trial);
void applyTrialDefaults(const TrialDefaults &defaults, TrialSettings &trial);

// Writes every key when the store has never been written: the trial defaults from
// `editorFields`, the icon size 480 and the first-run picture names. The store counts
// as new only when the time-up message key is absent; an empty message is a setting.
// Returns true when it wrote.
bool applyFirstRunRule(SettingsStore &store, const TrialDefaults &editorFields);

struct SettingKey
{
    QString section;
    QString key;
};

// Every key of the store, in the order of the key table, which is also the order in
// which all of them are written.
QList<SettingKey> allSettingKeys();

// Writes every key in the order of the key table. The picture lists give exactly six,
// four and four names; missing ones are written empty.
void writeAllSettings(SettingsStore &store, const TrialDefaults &trial, const QString &iconSize,
                      const QStringList &objects, const QStringList &boxes,
                      const QStringList &emptyBoxes);

struct StoredDefaults
{
    TrialDefaults trial;
    QStringList objectPictures;    // 6
    QStringList boxPictures;       // 4
    QStringList emptyBoxPictures;  // 4
    QStringList problems;          // stored values that cannot be used, each named by key
};

// Reads every key but the icon size. A colour that is not a number is reported in
// `problems` and left at `current`'s value; a damaged text (missing, not a text,
// binary bytes, longer than MaxStoredTextLength) is reported and its first-run value
// used. The first-run rule writes every key, so only damage leaves one out.
StoredDefaults readStoredDefaults(const SettingsStore &store, const TrialDefaults &current);

// The number an icon size text holds as a whole (blanks around it allowed), as every
// reader of the icon size takes it; nothing for any other text.
std::optional<double> iconSizeTwips(const QString &text);

// Boxes sized in millimetres keep their size on any screen that reports its physical
// size; a fingertip needs about 10 mm.
inline constexpr double SmallestBoxSizeMm = 1;
inline constexpr double LargestBoxSizeMm = 200;
// The millimetres a box size text gives: its leading number, when that is from 1 to 200.
// Anything else leaves the boxes at the icon size.
std::optional<double> boxSizeMillimetres(const QString &text);

// The box picture size in twips; a stored text that is not a number from 0 to
// MaxIconSize is reported and the first-run size used.
double readIconSize(const SettingsStore &store, QString *problem = nullptr);

// The editor's start-up and after-Options step: first-run rule, then the stored
// defaults into the first trial and the picture name lists. Returns the problems found,
// among them first-run values that could not be written to the store's file.
QStringList GetRegistrySettings(SettingsStore &store, Program &program);

} // namespace kelvane
