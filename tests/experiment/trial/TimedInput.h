#pragma once
// Input events as the platform delivers them: each stamped with the time on the
// platform's input clock at which the subject acted, which is not when it is handled.

#include <QtGlobal>

class QWidget;

namespace kelvane::test {

// The platform's input clock reads this when the monotonic clock of a manual time source
// reads 0: the two clocks have different origins, as on a real display server.
inline constexpr quint64 InputClockOrigin = 7'000'000;

// The platform's stamp for an input event that happens at `monotonicNs`.
inline quint64 inputStamp(qint64 monotonicNs)
{
    return InputClockOrigin + quint64(monotonicNs / 1'000'000);
}

// A left-button press and release in the middle of `widget`.
void sendClick(QWidget *widget, quint64 pressedAt, quint64 releasedAt);
// A key press and release.
void sendKey(QWidget *widget, int key, quint64 at);

} // namespace kelvane::test
