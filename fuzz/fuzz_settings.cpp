// A settings file damaged in any way must start the program without a crash: the
// values that cannot be used are reported, and the ones used are texts the windows can
// show and an icon size a screen can hold.

#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/trial/TrialGeometry.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

using namespace kelvane;

namespace {

// The program reads its store inside a running application, where the store's binary
// forms can hold pictures and other types of the GUI; so does this target. It lives
// until the process ends: Qt cannot take it down during exit.
QGuiApplication *application = nullptr;

// Every input is written here and removed after use; the empty folder goes at exit.
struct ScratchFolder
{
    std::string path;
    ~ScratchFolder() { ::rmdir(path.c_str()); }
} folder;

void checkUsable(const QString &text)
{
    if (text.size() > MaxStoredTextLength)
        std::abort();
    for (const QChar c : text) {
        if (c == QChar::ReplacementCharacter
            || (c.category() == QChar::Other_Control && c != u'\t' && c != u'\r' && c != u'\n'))
            std::abort();
    }
}

template <std::size_t N>
void checkNames(const std::array<QString, N> &names)
{
    for (const QString &name : names)
        checkUsable(name);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    std::string pattern = QDir::tempPath().toStdString() + "/kelvane-fuzz-settings-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        std::abort();
    folder.path = pattern;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A new name for every input: the store caches files it has read by name.
    static int inputs = 0;
    const QString path = QString::fromStdString(folder.path) + QStringLiteral("/Kelvane-%1.conf").arg(++inputs);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    {
        QSettingsStore store(path);
        Program program;
        setProgramFolders(program, QString::fromStdString(folder.path));
        startProgram(program, store);

        const TrialSettings &first = program.Cluster.Trials.front();
        for (const QString *text : {&first.TimeUpMessage, &first.StartMessage, &first.EndMessage,
                                    &first.time, &first.CloseAfter, &first.ScreenSize})
            checkUsable(*text);
        checkNames(program.Pictures.DragBoxIconNames);
        checkNames(program.Pictures.EmptyBoxIconNames);
        checkNames(program.Pictures.EmptyIconNames);

        const int pixels = twipsToPixels(readIconSize(store));
        if (pixels < 0 || pixels > 32767)
            std::abort();
    }
    QFile::remove(path);
    QFile::remove(path + QStringLiteral(".lock"));
    return 0;
}
