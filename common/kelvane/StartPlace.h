#pragma once
// Where a program was started from, as far as it decides who can see a window and who
// can answer a message box. A run started from a script must never wait for a click
// that nobody is there to give, and a window program started where no window can open
// says so in words rather than failing inside Qt.

#include <QProcessEnvironment>
#include <QString>

namespace kelvane {

struct StartPlace
{
    bool displayNamed = false;   // DISPLAY or WAYLAND_DISPLAY is set
    bool platformNamed = false;  // QT_QPA_PLATFORM is set
    bool desktopSession = false; // XDG_CURRENT_DESKTOP or DESKTOP_SESSION is set
    bool inputIsTerminal = false;

    static StartPlace from(const QProcessEnvironment &environment, bool inputIsTerminal);
    // This process's environment and standard input.
    static StartPlace current();
};

// Whether Qt has somewhere to open windows: a display in the environment, or a platform
// chosen by QT_QPA_PLATFORM or -platform (which then is Qt's business).
bool windowsPossible(const StartPlace &place, bool platformOption);

// What a window program says, after its name, when windowsPossible() is false.
QString noDisplayText();

// Whether windows on this Qt platform reach a person ("offscreen" and "minimal" draw
// into memory only).
bool platformShowsWindows(const QString &platformName);

// Whether a person is there to answer a message box: kelvane was started from the
// desktop (a launcher, a file manager: a desktop session, standard input not a
// terminal) on a platform that shows windows. Started from a terminal or a script,
// the messages go to stderr only.
bool personAtDesktop(const StartPlace &place, const QString &platformName);

} // namespace kelvane
