#include "kelvane/app/ProgramStart.h"

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
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
