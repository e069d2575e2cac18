#pragma once
// Input events as the platform delivers them: each stamped with the time on the
// platform's input clock at which the subject acted, which is not when it is handled.

#include <QtGlobal>

class QWidget;

namespace kelvane::test {

// A left-button press and release in the middle of `widget`.
void sendClick(QWidget *widget, quint64 pressedAt, quint64 releasedAt);
// A key press and release.
void sendKey(QWidget *widget, int key, quint64 at);

} // namespace kelvane::test
