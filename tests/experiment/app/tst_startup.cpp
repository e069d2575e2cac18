#include "TestFiles.h"

#include "kelvane/app/DefaultsWindow.h"
#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/StoredSettings.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;

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
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
