// kelvane's command line, parsed and run through the programs themselves, as a script or
// a newcomer at a terminal would use them.

#include "RunProgram.h"
#include "TestFiles.h"

#include "kelvane/app/CommandLine.h"
#include "kelvane/app/SilentDialogs.h"
#include "kelvane/StartPlace.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

// The environment of a script: no desktop session, settings kept in `home`, and, unless
// `platform` is given, no display at all.
RunOptions scriptEnvironment(const QString &home, const QString &platform = {})
{
    RunOptions options;
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_CURRENT_DESKTOP",
                             "DESKTOP_SESSION"})
        options.environment.remove(QString::fromLatin1(name));
    options.environment.insert(u"HOME"_s, home);
    options.environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    if (!platform.isEmpty())
        options.environment.insert(u"QT_QPA_PLATFORM"_s, platform);
    // Each of these must answer at once; a program still running waits for somebody.
    options.timeoutMs = 20000;
    return options;
}

ProgramRun runKelvane(const QStringList &arguments, const RunOptions &options)
{
    return runProgram(QStringLiteral(KELVANE_BINARY), arguments, options);
}

const QByteArray GoodCluster =
    "1\r\n\"10\",\"Time is up.\",\"1\",\"Click START.\",\"Done.\",\"2\",\" 0\",\" 16777215\",\"85\",\" 1\","
    "\"Box1.ico\",\"EmptyBox1.ico\",\"Content1.ico\",#FALSE#,\" .5\",\" .5\","
    "\"Content1.ico\",\"Content2.ico\",\"Content3.ico\",\"Content4.ico\",\"Content5.ico\",\"Content6.ico\",";

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void argumentsAreParsed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("kind");
        const auto A = [](CommandAction a) { return int(a); };
        const auto K = [](FileKind k) { return int(k); };
        QTest::newRow("nothing") << QStringList{} << A(CommandAction::OpenWindow) << QString() << K(FileKind::None);
        QTest::newRow("cluster") << QStringList{u"a.box"_s} << A(CommandAction::OpenWindow) << u"a.box"_s
                                 << K(FileKind::Cluster);
        QTest::newRow("experiment, upper case") << QStringList{u"/data/STUDY.BEX"_s} << A(CommandAction::OpenWindow)
                                                << u"/data/STUDY.BEX"_s << K(FileKind::Experiment);
        QTest::newRow("run") << QStringList{u"--run-cluster"_s, u"c.box"_s} << A(CommandAction::RunCluster)
                             << u"c.box"_s << K(FileKind::None);
        QTest::newRow("run, one word") << QStringList{u"--run-cluster=c d.box"_s} << A(CommandAction::RunCluster)
                                       << u"c d.box"_s << K(FileKind::None);
        QTest::newRow("file after --") << QStringList{u"--"_s, u"-odd.box"_s} << A(CommandAction::OpenWindow)
                                       << u"-odd.box"_s << K(FileKind::Cluster);
        QTest::newRow("qt's own options") << QStringList{u"-style"_s, u"fusion"_s, u"-reverse"_s, u"a.box"_s}
                                          << A(CommandAction::OpenWindow) << u"a.box"_s << K(FileKind::Cluster);
        QTest::newRow("new study") << QStringList{u"--new-study"_s, u"s"_s, u"--sizes"_s, u"2,16"_s, u"--problems"_s,
                                                  u"3,1"_s, u"--replace"_s}
                                   << A(CommandAction::NewStudy) << u"s"_s << K(FileKind::None);
        QTest::newRow("help") << QStringList{u"-h"_s} << A(CommandAction::Help) << QString() << K(FileKind::None);
        QTest::newRow("help among others") << QStringList{u"a.box"_s, u"--help"_s} << A(CommandAction::Help)
                                           << QString() << K(FileKind::None);
        QTest::newRow("version") << QStringList{u"--version"_s} << A(CommandAction::Version) << QString()
                                 << K(FileKind::None);
        for (const QStringList &wrong : {QStringList{u"--bogus"_s}, QStringList{u"-x"_s},
                                         QStringList{u"notes.txt"_s}, QStringList{u"a.box"_s, u"b.bex"_s},
                                         QStringList{u"--run-cluster"_s},
                                         QStringList{u"--run-cluster"_s, u"a.box"_s, u"b.box"_s},
                                         QStringList{u"--run-cluster=a.box"_s, u"--run-cluster=b.box"_s},
                                         QStringList{u"--replace"_s, u"a.box"_s},
                                         QStringList{u"--output"_s, u"r.bof"_s},
                                         QStringList{u"--seed"_s, u"5"_s, u"a.box"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"a.box"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"--sizes"_s, u"3,x"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"--sizes"_s, u"1,3"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"--problems"_s, u"4,4"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"--seed"_s, u"-1"_s},
                                         QStringList{u"--new-study"_s, u"s"_s, u"--language"_s, u"de"_s}})
            QTest::newRow(qPrintable(wrong.join(u' '))) << wrong << A(CommandAction::UsageError) << QString()
                                                        << K(FileKind::None);
    }
    void argumentsAreParsed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, file);
        QFETCH(int, kind);
        const CommandLine command = parseCommandLine(QStringList{u"kelvane"_s} + arguments);
        QCOMPARE(int(command.action), action);
        QCOMPARE(command.file, file);
        QCOMPARE(int(command.kind), kind);
        QCOMPARE(command.error.isEmpty(), command.action != CommandAction::UsageError);
    }

    void aPlatformOptionOpensWindowsWithoutADisplay()
    {
        const CommandLine command = parseCommandLine({u"kelvane"_s, u"-platform"_s, u"offscreen"_s});
        QCOMPARE(command.action, CommandAction::OpenWindow);
        QVERIFY(command.platformGiven);
        const StartPlace nowhere = StartPlace::from(QProcessEnvironment(), false);
        QVERIFY(windowsPossible(nowhere, true));
        QVERIFY(!windowsPossible(nowhere, false));
    }

    void messageBoxesOnlyForAPersonAtTheDesktop()
    {
        QProcessEnvironment desktop;
        desktop.insert(u"DISPLAY"_s, u":0"_s);
        desktop.insert(u"XDG_CURRENT_DESKTOP"_s, u"GNOME"_s);
        QProcessEnvironment script;
        script.insert(u"DISPLAY"_s, u":99"_s);
        QProcessEnvironment session;
        session.insert(u"DESKTOP_SESSION"_s, u"xfce"_s);

        // Started from a launcher or a file manager.
        QVERIFY(personAtDesktop(StartPlace::from(desktop, false), u"xcb"_s));
        QVERIFY(personAtDesktop(StartPlace::from(session, false), u"wayland"_s));
        // From a terminal: the person reads stderr.
        QVERIFY(!personAtDesktop(StartPlace::from(desktop, true), u"xcb"_s));
        // From a script on a display of its own, or where no window is seen.
        QVERIFY(!personAtDesktop(StartPlace::from(script, false), u"xcb"_s));
        QVERIFY(!personAtDesktop(StartPlace::from(desktop, false), u"offscreen"_s));
        QVERIFY(!platformShowsWindows(u"minimal"_s));
        QVERIFY(platformShowsWindows(u"xcb"_s));
    }

    void silentDialogsGiveTheCautiousAnswer()
    {
        SilentDialogs dialogs;
        QCOMPARE(dialogs.message(u"t"_s, u"m"_s, MessageIcon::Critical), Answer::Ok);
        QCOMPARE(dialogs.message(u"t"_s, u"m"_s, MessageIcon::Question, MessageButtons::YesNo), Answer::No);
        QCOMPARE(dialogs.message(u"t"_s, u"m"_s, MessageIcon::Question, MessageButtons::YesNoCancel),
                 Answer::Cancel);
        QCOMPARE(dialogs.saveFile({}), std::nullopt);
        QCOMPARE(dialogs.input(u"t"_s, u"p"_s, u"d"_s), std::nullopt);
    }

    void helpAndVersionAnswerWithoutADisplay()
    {
        QTemporaryDir home;
        ProgramRun run = runKelvane({u"--help"_s}, scriptEnvironment(home.path()));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith(u"Usage: kelvane [FILE.box | FILE.bex]\n"_s), qPrintable(run.out));
        QVERIFY(run.out.contains(u"--run-cluster FILE.box"_s));
        QCOMPARE(run.err, QString());

        run = runKelvane({u"--version"_s}, scriptEnvironment(home.path()));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"kelvane "_s + QStringLiteral(KELVANE_PROJECT_VERSION) + u'\n');
    }

    void mistakesAreUsageErrorsNotWindows()
    {
        QTemporaryDir home;
        // A platform that would open a window that nobody closes, had the mistake been missed.
        const RunOptions options = scriptEnvironment(home.path(), u"offscreen"_s);
        ProgramRun run = runKelvane({u"--bogus"_s}, options);
        QCOMPARE(run.status, 2);
        QCOMPARE(run.err, u"kelvane: Unknown option 'bogus'.\nTry 'kelvane --help'.\n"_s);
        QCOMPARE(run.out, QString());
        run = runKelvane({u"notes.txt"_s}, options);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(u"notes.txt is neither a cluster file (.box) nor an experiment file (.bex)"_s),
                 qPrintable(run.err));
        QCOMPARE(runKelvane({u"--run-cluster"_s}, options).status, 2);
    }

    void aRunNeverWaitsWhenNobodyIsThere()
    {
        QTemporaryDir home;
        QTemporaryDir dir;
        const QString missing = dir.filePath(u"missing.box"_s);
        const RunOptions offscreen = scriptEnvironment(home.path(), u"offscreen"_s);

        // A file that cannot be read: said on stderr, no box waits for a click.
        ProgramRun run = runKelvane({u"--run-cluster"_s, missing}, offscreen);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"The cluster cannot be run:\nCould not open "_s + missing), qPrintable(run.err));

        // A good cluster, but no screen anybody sees: not even the start screen.
        const QString good = dir.filePath(u"good.box"_s);
        writeBytes(good, GoodCluster);
        run = runKelvane({u"--run-cluster"_s, good}, offscreen);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"there is no screen to show the trial on"_s), qPrintable(run.err));
        QVERIFY(!QFile::exists(dir.filePath(u"good.bof"_s)));

        // Without any display the answer comes before Qt would give up.
        run = runKelvane({u"--run-cluster"_s, good}, scriptEnvironment(home.path()));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.startsWith(u"kelvane: there is no display to open a window on"_s), qPrintable(run.err));
    }

    void aStudyIsMadeWithoutADisplay()
    {
        QTemporaryDir home;
        QTemporaryDir dir;
        const QString folder = dir.filePath(u"study"_s);
        const QStringList make{u"--new-study"_s, folder, u"--seed"_s, u"77"_s, u"--sizes"_s, u"4,3"_s,
                               u"--problems"_s, u"1"_s};
        ProgramRun run = runKelvane(make, scriptEnvironment(home.path()));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, u"Made %1 with 3 problems (10 searches), seed 77.\nMake it again with:\n"
                          "  kelvane --new-study \"%2\" --seed 77 --sizes 4,3 --problems 1,1 --practice 3 "
                          "--language en --order increasing\n"_s
                              .arg(QDir::toNativeSeparators(folder + u"/STUDY.bex"_s), QDir::toNativeSeparators(folder)));
        const QByteArray made = readBytes(folder + u"/boxes4-1.box"_s);

        // A folder holding a study is kept unless replacing is asked for; the same seed
        // makes the same files.
        run = runKelvane(make, scriptEnvironment(home.path()));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"already holds cluster or experiment files"_s), qPrintable(run.err));
        QCOMPARE(runKelvane(make + QStringList{u"--replace"_s}, scriptEnvironment(home.path())).status, 0);
        QCOMPARE(readBytes(folder + u"/boxes4-1.box"_s), made);

        const QString crowded = dir.filePath(u"crowded"_s);
        run = runKelvane({u"--new-study"_s, crowded, u"--sizes"_s, u"3,40"_s, u"--min-distance"_s, u"4"_s},
                         scriptEnvironment(home.path()));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(u"no study was made in "_s + QDir::toNativeSeparators(crowded)
                                  + u": 40 boxes of 480 twips do not fit"_s),
                 qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(crowded));
    }

    void aResultFileThatCannotBeWrittenIsToldBeforeTheRun()
    {
        QTemporaryDir home;
        QTemporaryDir dir;
        const QString cluster = dir.filePath(u"c.box"_s);
        writeBytes(cluster, GoodCluster);
        QVERIFY(QDir(dir.path()).mkdir(u"c.bof"_s));
        const ProgramRun run = runKelvane({u"--run-cluster"_s, cluster}, scriptEnvironment(home.path(), u"offscreen"_s));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(cluster + u": its results cannot be written: "_s),
                 qPrintable(run.err));
        QVERIFY2(run.err.contains(dir.filePath(u"c.bof"_s)), qPrintable(run.err));
    }

    void makeMediaExplainsItselfInsteadOfMakingAFolder()
    {
        QTemporaryDir dir;
        RunOptions options;
        options.workingDirectory = dir.path();
        ProgramRun run = runProgram(QStringLiteral(KELVANE_MAKE_MEDIA_BINARY), {u"--help"_s}, options);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.contains(u"OUTDIR"_s), qPrintable(run.out));
        run = runProgram(QStringLiteral(KELVANE_MAKE_MEDIA_BINARY), {u"--bogus"_s}, options);
        QCOMPARE(run.status, 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
