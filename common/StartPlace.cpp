#include "kelvane/StartPlace.h"

#include <unistd.h>

namespace kelvane {

namespace {

bool isSet(const QProcessEnvironment &environment, const char *name)
{
    return !environment.value(QString::fromLatin1(name)).isEmpty();
}

} // namespace

StartPlace StartPlace::from(const QProcessEnvironment &environment, bool inputIsTerminal)
{
    StartPlace place;
    place.displayNamed = isSet(environment, "DISPLAY") || isSet(environment, "WAYLAND_DISPLAY");
    place.platformNamed = isSet(environment, "QT_QPA_PLATFORM");
    place.desktopSession = isSet(environment, "XDG_CURRENT_DESKTOP") || isSet(environment, "DESKTOP_SESSION");
    place.inputIsTerminal = inputIsTerminal;
    return place;
}

StartPlace StartPlace::current()
{
    return from(QProcessEnvironment::systemEnvironment(), ::isatty(STDIN_FILENO) != 0);
}

bool windowsPossible(const StartPlace &place, bool platformOption)
{
    return place.displayNamed || place.platformNamed || platformOption;
}

QString noDisplayText()
{
    return QStringLiteral("there is no display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set)");
}

bool platformShowsWindows(const QString &platformName)
{
    return platformName != QLatin1StringView("offscreen") && platformName != QLatin1StringView("minimal")
           && platformName != QLatin1StringView("minimalegl");
}

bool personAtDesktop(const StartPlace &place, const QString &platformName)
{
    return place.desktopSession && !place.inputIsTerminal && platformShowsWindows(platformName);
}

} // namespace kelvane
