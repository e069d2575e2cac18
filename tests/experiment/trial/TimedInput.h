#pragma once
// Input events as the platform delivers them: each stamped with the time on the
// platform's input clock at which the subject acted, which is not when it is handled.

#include <QHash>
#include <QPoint>
#include <QTest>
#include <QtGlobal>

class QPointingDevice;
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

// The touch screen the tests touch, registered with the platform once per program.
QPointingDevice *touchScreen();
// A left-button press and release in the middle of `widget`, marked as the platform marks
// the mouse events it makes from a touch.
void sendClickMadeFromTouch(QWidget *widget, quint64 pressedAt, quint64 releasedAt);

// A pen that touches down in the middle of `widget` and lifts again, as a tablet delivers
// it; Qt Test has no tablet events of its own.
void sendPenTap(QWidget *widget, quint64 downAt, quint64 upAt);

// Fingers on the touch screen over `window`, through the platform's own touch path, which
// stamps each touch event itself on its input clock: every step returns that stamp.
class Fingers
{
public:
    explicit Fingers(QWidget *window);
    // Finger `finger` goes down in the middle of `on`, or at `at` of it; the others stay.
    quint64 press(int finger, QWidget *on);
    quint64 press(int finger, QWidget *on, QPoint at);
    quint64 release(int finger);
    // Down and up again in the middle of `on`; returns the lift's stamp.
    quint64 tap(QWidget *on);

private:
    quint64 commit();

    QTest::QTouchEventWidgetSequence m_sequence;
    QHash<int, QPair<QWidget *, QPoint>> m_down;
};

} // namespace kelvane::test
