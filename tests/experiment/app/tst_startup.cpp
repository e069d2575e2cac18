#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/NamedFileOpening.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/app/RunDevices.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/runexp/ExperimentFile.h"
#include "kelvane/runexp/RunExp.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using kelvane::test::ScriptedDialogs;

class StartupTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void foldersFollowTheProgram()
    {
        Program program;
        setProgramFolders(program, QStringLiteral("/opt/kelvane/bin/"));
        QCOMPARE(program.ProgramFolder, QStringLiteral("/opt/kelvane/bin"));
        QCOMPARE(program.IconFolder, QStringLiteral("/opt/kelvane/bin/ico/"));
        QCOMPARE(program.iconPath(QStringLiteral("Box1.ico")), QStringLiteral("/opt/kelvane/bin/ico/Box1.ico"));
    }

    void windowShowsDefaultsAndMissingPictures()
    {
        QTemporaryDir dir;
        QDir(dir.path()).mkdir(QStringLiteral("ico"));
        Program program;
        setProgramFolders(program, dir.path());
        QSettingsStore store(dir.filePath(QStringLiteral("Kelvane.ini")));
        startProgram(program, store);
        // Only one picture exists; the window shows it and names the others as missing.
        QImage box(32, 32, QImage::Format_ARGB32);
        box.fill(Qt::darkYellow);
        QVERIFY(box.save(program.iconPath(QStringLiteral("Box1.ico")), "ICO"));

        DefaultsWindow window(program, readIconSize(store));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Settings"));
        QCOMPARE(window.missingPictures().size(), 13);
        QVERIFY(!window.missingPictures().contains(QStringLiteral("Box1.ico")));
        const auto *picture = window.findChild<QLabel *>(QStringLiteral("Box1.ico"));
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(32, 32));
        QVERIFY(!picture->pixmap().isNull());
        bool startMessageShown = false;
        for (const QLabel *label : window.findChildren<QLabel *>())
            startMessageShown |= label->text() == QStringLiteral("Klik op START om te beginnen.");
        QVERIFY(startMessageShown);
    }

    // kelvane FILE.bex: the experiment window takes the main window's place with the
    // file's list, and the main window returns when it closes.
    void anExperimentFileOpensTheExperimentWindow()
    {
        QTemporaryDir dir;
        Program program;
        setProgramFolders(program, dir.path());
        QSettingsStore store(dir.filePath(QStringLiteral("Kelvane.ini")));
        startProgram(program, store);
        const QString path = dir.filePath(QStringLiteral("study.bex"));
        const QStringList entries{dir.filePath(QStringLiteral("A.box")), QStringLiteral("Message: Pauze"),
                                  dir.filePath(QStringLiteral("B.box"))};
        FileError error;
        QVERIFY(saveExperimentFile(path, entries, &error));

        QWidget mainWindow;
        mainWindow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
        ScriptedDialogs dialogs;
        RunDevices devices;
        const RunExpServices services{dialogs, store, devices.targetSound, devices.clickSound, devices.pointer};

        RunExp *window = openExperimentWindow(program, services, path, &mainWindow);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QVERIFY(!mainWindow.isVisible());
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(window->entries(), entries);
        QVERIFY(window->windowTitle().contains(QStringLiteral("study.bex")));
        QVERIFY(!window->listChanged());

        QVERIFY(window->close());
        QVERIFY(mainWindow.isVisible());
        QVERIFY(dialogs.messages.isEmpty());
    }

    void anExperimentFileThatCannotBeReadIsNamed()
    {
        QTemporaryDir dir;
        Program program;
        setProgramFolders(program, dir.path());
        QSettingsStore store(dir.filePath(QStringLiteral("Kelvane.ini")));
        startProgram(program, store);
        const QString path = dir.filePath(QStringLiteral("gone.bex"));

        QWidget mainWindow;
        ScriptedDialogs dialogs;
        RunDevices devices;
        RunExp *window = openExperimentWindow(
            program, {dialogs, store, devices.targetSound, devices.clickSound, devices.pointer}, path, &mainWindow);
        QVERIFY(window->isVisible());
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().text.contains(QStringLiteral("gone.bex")),
                 qPrintable(dialogs.messages.first().text));
        QCOMPARE(window->clusters->count(), 0);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
