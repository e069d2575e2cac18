#pragma once
// One of the editor's icon slots. The window shows three; the table has room for four.

#include <QString>

#include <array>

namespace kelvane {

struct IconSlot
{
    qint16 Index = 0;
    bool InUse = false;   // the slot holds an icon, shown in its panel
    QString FileSpec;     // the file it came from or was saved to; "Untitled"; empty
    bool Loaded = false;  // its icon is in the editing planes and may be edited
    bool Changed = false; // edited since it was created, opened, saved or shown
};

inline constexpr int SlotCount = 3;
using IconSlotTable = std::array<IconSlot, 4>;

} // namespace kelvane
