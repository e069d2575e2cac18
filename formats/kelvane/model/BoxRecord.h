#pragma once

#include <QString>

namespace kelvane {

// One box of a trial. A slot whose BoxIconFile is empty is free.
struct BoxRecord
{
    bool Empty = false;       // true: the box hides nothing; false: it holds ContentFile
    QString EmptyIconFile;    // picture of the opened, empty box
    QString BoxIconFile;      // picture of the closed box
    QString ContentFile;      // picture of the object inside, or "leeg" if it never got one
    qint16 Top = 0;           // twips in the editor's 7000 x 7000 layout area
    qint16 Left = 0;
    bool IsOpen = false;      // shown open on the trial screen; never stored

    bool isFree() const { return BoxIconFile.isEmpty(); }
    friend bool operator==(const BoxRecord &, const BoxRecord &) = default;
};

// ContentFile of a box that never received an object.
inline constexpr QLatin1StringView NoContent{"leeg"};

} // namespace kelvane
