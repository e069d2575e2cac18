#include "FailingPlace.h"
#include "ReadOnlyFolder.h"
#include "TestFiles.h"

#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/DefaultSettings.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/options/StoredSettings.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

struct TempStore
{
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Kelvane.ini"));
    QSettingsStore store{path};
};

QString read(const SettingsStore &store, const char *section, const char *key)
{
    return store.read(QString::fromLatin1(section), QString::fromLatin1(key));
}

// The store as the program's first start writes it.
QByteArray firstRunFile()
{
    TempStore temp;
    Program program;
    startProgram(program, temp.store);
    temp.store.commit(nullptr);
    return test::readBytes(temp.path);
}

// The problem that names `key`, or nothing.
QString problemNaming(const QStringList &problems, const QString &key)
{
    for (const QString &problem : problems) {
        if (problem.contains(key))
            return problem;
    }
    return {};
}

// A store whose file cannot be written while `blocker` is a plain file where its folder
// should be; this holds for root too, which ignores permission bits.
struct BlockedStore
{
    BlockedStore()
    {
        QFile file(blocker);
        file.open(QIODevice::WriteOnly);
        file.write("not a folder");
    }
    void unblock() { QFile::remove(blocker); }

    QTemporaryDir dir;
    QString blocker = dir.filePath(QStringLiteral("settings"));
    QString path = blocker + QStringLiteral("/Kelvane.ini");
    QSettingsStore store{path};
};

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartWritesFirstRunValues()
    {
        TempStore temp;
        Program program;
        QVERIFY(startProgram(program, temp.store).isEmpty());

        const char *expected[][3] = {
            {"Messages", "TimeUpMessage", "Uw tijd is om."},
            {"Messages", "StartMessage", "Klik op START om te beginnen."},
            {"Messages", "EndMessage", "Klik op START om door te gaan."},
            {"Timing", "Time", "10"},
            {"Timing", "CloseAfter", "2"},
            {"Screen", "BackColor", "0"},
            {"Screen", "ForeColor", "16777215"},
            {"Screen", "ScreenSize", "85"},
            {"Screen", "IconSize", "480"},
            {"DragBoxIcons", "1", "Content1.ico"},
            {"DragBoxIcons", "6", "Content6.ico"},
            {"EmptyBoxIcons", "4", "Box4.ico"},
            {"EmptyIcons", "1", "EmptyBox1.ico"},
        };
        for (const auto &[section, key, value] : expected)
            QCOMPARE(read(temp.store, section, key), QString::fromLatin1(value));

        const TrialSettings &first = program.Cluster.Trials.front();
        QCOMPARE(first.TimeUpMessage, QStringLiteral("Uw tijd is om."));
        QCOMPARE(first.time, QStringLiteral("10"));
        QCOMPARE(first.ChangeColor, 0);
        QCOMPARE(first.ChangeForeColor, 16777215);
        QVERIFY(first.TargetNumberText.isEmpty());
        QCOMPARE(program.Pictures.DragBoxIconNames[5], QStringLiteral("Content6.ico"));
        QCOMPARE(program.Pictures.EmptyBoxIconNames[0], QStringLiteral("Box1.ico"));
        QCOMPARE(program.Pictures.EmptyIconNames[3], QStringLiteral("EmptyBox4.ico"));
        QVERIFY(program.Pictures.EmptyIconNames[4].isEmpty());
        QCOMPARE(readIconSize(temp.store), 480.0);

        // The values are in the file itself, not only in memory.
        QSettings file(temp.path, QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Timing/Time")).toString(), QStringLiteral("10"));
    }

    void laterReadsApplyStoredValuesToFirstTrialOnly()
    {
        TempStore temp;
        Program program;
        startProgram(program, temp.store);
        program.Cluster.Trials.push_back(program.Cluster.Trials.front());
        program.Cluster.Trials[0].time = QStringLiteral("99");
        temp.store.write(QStringLiteral("Timing"), QStringLiteral("Time"), QStringLiteral("30"));
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("BackColor"), QStringLiteral("255"));
        temp.store.write(QStringLiteral("EmptyIcons"), QStringLiteral("2"), QStringLiteral("Open.ico"));
        QVERIFY(GetRegistrySettings(temp.store, program).isEmpty());
        QCOMPARE(program.Cluster.Trials[0].time, QStringLiteral("30"));
        QCOMPARE(program.Cluster.Trials[0].ChangeColor, 255);
        QCOMPARE(program.Cluster.Trials[1].time, QStringLiteral("10"));
        QCOMPARE(program.Pictures.EmptyIconNames[1], QStringLiteral("Open.ico"));
    }

    void emptyTimeoutMessageIsASettingNotANewStore()
    {
        TempStore temp;
        Program program;
        startProgram(program, temp.store);
        temp.store.write(QStringLiteral("Messages"), QStringLiteral("TimeUpMessage"), QString());
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("960"));
        temp.store.write(QStringLiteral("DragBoxIcons"), QStringLiteral("3"), QStringLiteral("Key.ico"));
        temp.store.write(QStringLiteral("Timing"), QStringLiteral("Time"), QStringLiteral("abc"));

        Program again;
        QVERIFY(startProgram(again, temp.store).isEmpty());
        QCOMPARE(read(temp.store, "Messages", "TimeUpMessage"), QString());
        QCOMPARE(read(temp.store, "Screen", "IconSize"), QStringLiteral("960"));
        QCOMPARE(read(temp.store, "DragBoxIcons", "3"), QStringLiteral("Key.ico"));
        QCOMPARE(again.Cluster.Trials[0].TimeUpMessage, QString());
        QCOMPARE(again.Cluster.Trials[0].time, QStringLiteral("abc"));
        QCOMPARE(again.Pictures.DragBoxIconNames[2], QStringLiteral("Key.ico"));
        QCOMPARE(readIconSize(temp.store), 960.0);
    }

    void numbersThatAreNotNumbersAreReported()
    {
        TempStore temp;
        Program program;
        startProgram(program, temp.store);
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("ForeColor"), QStringLiteral("white"));
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("big"));
        const QStringList problems = startProgram(program, temp.store);
        QCOMPARE(problems.size(), 2);
        QVERIFY(problems[0].contains(QStringLiteral("\"white\"")));
        QVERIFY(problems[0].contains(QStringLiteral("Screen/ForeColor")));
        QVERIFY(problems[1].contains(QStringLiteral("Screen/IconSize")));
        // The colour keeps what the first trial had; the icon size falls back.
        QCOMPARE(program.Cluster.Trials[0].ChangeForeColor, 16777215);
        QCOMPARE(readIconSize(temp.store), 480.0);

        // A colour in hexadecimal is a number like any other.
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("ForeColor"), QStringLiteral("&HFF"));
        QCOMPARE(startProgram(program, temp.store).size(), 1); // the icon size is still "big"
        QCOMPARE(program.Cluster.Trials[0].ChangeForeColor, 255);
    }

    // A file damaged by hand starts the program; each damaged value is reported by its
    // key, and the first-run value takes its place.
    void damagedFileIsReportedByKey_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("damage");
        QTest::newRow("binary junk in a text") << QByteArray("Time=10") << QByteArray("Time=\x01\x02\xff\xfe")
                                               << QStringLiteral("Timing/Time") << QStringLiteral("bytes that are not text");
        QTest::newRow("binary junk in a picture name")
            << QByteArray("2=Box2.ico") << QByteArray("2=Box") + '\0' + "\x9b.ico" << QStringLiteral("EmptyBoxIcons/2")
            << QStringLiteral("bytes that are not text");
        QTest::newRow("huge text") << QByteArray("StartMessage=Klik op START om te beginnen.")
                                   << "StartMessage=" + QByteArray(1 << 20, 'a') << QStringLiteral("Messages/StartMessage")
                                   << QStringLiteral("holds 1048576 characters, more than 4096");
        QTest::newRow("a value of another type") << QByteArray("EndMessage=Klik op START om door te gaan.")
                                                 << QByteArray("EndMessage=@Rect(1 2 3 4)")
                                                 << QStringLiteral("Messages/EndMessage") << QStringLiteral("not a text");
        QTest::newRow("a colour of another type") << QByteArray("BackColor=0") << QByteArray("BackColor=@ByteArray(255)")
                                                  << QStringLiteral("Screen/BackColor") << QStringLiteral("not a colour number");
        QTest::newRow("the last line cut off") << QByteArray("Time=10") << QByteArray("Tim")
                                               << QStringLiteral("Timing/Time") << QStringLiteral("it is missing");
    }

    void damagedFileIsReportedByKey()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(QString, key);
        QFETCH(QString, damage);
        TempStore temp;
        QByteArray file = firstRunFile();
        QVERIFY(file.contains(from));
        test::writeBytes(temp.path, file.replace(from, to));
        QSettingsStore store(temp.path);
        Program program;
        const QStringList problems = startProgram(program, store);

        const QString problem = problemNaming(problems, key);
        QVERIFY2(problem.contains(damage), qPrintable(problems.join(u'\n')));
        QVERIFY2(problem.size() < 300, "a damaged value must not flood the message");
        QCOMPARE(problems.size(), 1);
        // Everything the program took is what a first start gives.
        Program fresh;
        TempStore clean;
        startProgram(fresh, clean.store);
        QCOMPARE(trialDefaultsOf(program.Cluster.Trials[0]).Time, trialDefaultsOf(fresh.Cluster.Trials[0]).Time);
        QCOMPARE(program.Cluster.Trials[0], fresh.Cluster.Trials[0]);
        QCOMPARE(program.Pictures.DragBoxIconNames, fresh.Pictures.DragBoxIconNames);
        QCOMPARE(program.Pictures.EmptyBoxIconNames, fresh.Pictures.EmptyBoxIconNames);
        QCOMPARE(program.Pictures.EmptyIconNames, fresh.Pictures.EmptyIconNames);
    }

    void handWrittenTextsAreTaken()
    {
        TempStore temp;
        QByteArray file = firstRunFile();
        file.replace("StartMessage=Klik op START om te beginnen.", "StartMessage=Klik op START, en zoek.");
        file.replace("IconSize=480", "IconSize=7.2e2");
        test::writeBytes(temp.path, file);
        QSettingsStore store(temp.path);
        Program program;
        QCOMPARE(startProgram(program, store), QStringList());
        QCOMPARE(program.Cluster.Trials[0].StartMessage, QStringLiteral("Klik op START, en zoek."));
        QCOMPARE(readIconSize(store), 720.0);
    }

    void iconSizeMustFitAScreen_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("used");
        QTest::newRow("0") << QStringLiteral("0") << 0.0;
        QTest::newRow("largest") << QStringLiteral("491505") << 491505.0;
        QTest::newRow("too large") << QStringLiteral("491506") << 480.0;
        QTest::newRow("negative") << QStringLiteral("-15") << 480.0;
        QTest::newRow("infinite") << QStringLiteral("1e999") << 480.0;
        QTest::newRow("not a number") << QStringLiteral("nan") << 480.0;
    }

    void iconSizeMustFitAScreen()
    {
        QFETCH(QString, stored);
        QFETCH(double, used);
        TempStore temp;
        temp.store.write(QStringLiteral("Screen"), QStringLiteral("IconSize"), stored);
        QString problem;
        QCOMPARE(readIconSize(temp.store, &problem), used);
        QCOMPARE(problem.isEmpty(), used != 480.0);
    }

    void junkFileStartsAsANewStore()
    {
        TempStore temp;
        QByteArray junk(4000, '\0');
        QRandomGenerator random(14);
        for (char &byte : junk)
            byte = char(random.bounded(256));
        test::writeBytes(temp.path, junk);
        Program program;
        startProgram(program, temp.store);
        QCOMPARE(read(temp.store, "Messages", "TimeUpMessage"), QStringLiteral("Uw tijd is om."));
        QCOMPARE(program.Cluster.Trials[0].time, QStringLiteral("10"));
        QCOMPARE(readIconSize(temp.store), 480.0);
    }

    // The store's own file cannot be written: the first start says where and why, and
    // leaves the earlier file as it was.
    void unwritableStoreIsReported_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << int(FailingPlace::FullDisk) << QStringLiteral("No space left on device");
        QTest::newRow("immutable file") << int(FailingPlace::ImmutableFile) << QStringLiteral("Operation not permitted");
        QTest::newRow("immutable folder") << int(FailingPlace::ImmutableFolder) << QStringLiteral("Operation not permitted");
        QTest::newRow("folder that is a file") << int(FailingPlace::ThroughFile) << QStringLiteral("Not a directory");
    }

    void unwritableStoreIsReported()
    {
        QFETCH(int, kind);
        QFETCH(QString, reason);
        // An earlier store without a time-up message: the start writes every key.
        FailingPlace place(FailingPlace::Kind(kind), QStringLiteral("Kelvane.conf"), "[Screen]\nIconSize=960\n");
        if (!place.unavailable().isEmpty())
            QSKIP(qPrintable(place.unavailable()));
        QString damage;
        {
            QSettingsStore store(place.path());
            Program program;
            const QStringList problems = startProgram(program, store);
            const QString problem = problemNaming(problems, QStringLiteral("could not be saved"));
            QVERIFY2(problem.startsWith(QStringLiteral("The settings could not be saved in %1: ").arg(place.path())),
                     qPrintable(problems.join(u'\n')));
            QVERIFY2(problem.endsWith(reason), qPrintable(problem));
            QCOMPARE(program.Cluster.Trials[0].time, QStringLiteral("10"));
            QVERIFY(place.intact(&damage));
        }
        // Nor does the store's last attempt, when it closes, change anything.
        QVERIFY2(place.intact(&damage), qPrintable(damage));
    }

    void commitSucceedsAgainOnceTheCauseHasGone()
    {
        TempStore temp;
        test::writeBytes(temp.path, "[Timing]\nTime=10\n");
        if (!test::setImmutable(temp.path, true))
            QSKIP("cannot mark a file immutable here");
        temp.store.write(QStringLiteral("Timing"), QStringLiteral("Time"), QStringLiteral("30"));
        QString problem;
        const bool committed = temp.store.commit(&problem);
        test::setImmutable(temp.path, false);
        QVERIFY(!committed);
        QVERIFY(problem.contains(temp.path));
        QCOMPARE(test::readBytes(temp.path), QByteArray("[Timing]\nTime=10\n"));

        QVERIFY(temp.store.commit(&problem));
        QCOMPARE(QSettings(temp.path, QSettings::IniFormat).value(QStringLiteral("Timing/Time")).toString(),
                 QStringLiteral("30"));
    }

    void storeTellsAbsentFromEmpty()
    {
        TempStore temp;
        const QString section = QStringLiteral("Messages");
        const QString key = QStringLiteral("EndMessage");
        QVERIFY(!temp.store.contains(section, key));
        QCOMPARE(temp.store.read(section, key), QString());
        temp.store.write(section, key, QString());
        QVERIFY(temp.store.contains(section, key));
        // A second store on the same file sees what the first wrote.
        QSettingsStore other(temp.path);
        QVERIFY(other.contains(section, key));
    }

    void failedCommitNamesTheFileAndALaterCommitStillWrites()
    {
        BlockedStore blocked;
        const QString section = QStringLiteral("Timing");
        const QString key = QStringLiteral("Time");
        blocked.store.write(section, key, QStringLiteral("30"));
        QString problem;
        QVERIFY(!blocked.store.commit(&problem));
        QVERIFY2(problem.contains(QDir::toNativeSeparators(blocked.path)), qPrintable(problem));
        QVERIFY(!QFile::exists(blocked.path));
        QCOMPARE(blocked.store.read(section, key), QStringLiteral("30"));
        QVERIFY(!blocked.store.commit(&problem));

        // Once the folder can be made, the next commit succeeds and says so.
        blocked.unblock();
        blocked.store.write(QStringLiteral("Screen"), QStringLiteral("ScreenSize"), QStringLiteral("70"));
        problem.clear();
        QVERIFY(blocked.store.commit(&problem));
        QVERIFY(problem.isEmpty());
        const QByteArray written = readBytes(blocked.path);
        QVERIFY2(written.contains("[Timing]\nTime=30\n"), written.constData());
        QVERIFY2(written.contains("ScreenSize=70\n"), written.constData());
    }

    void damagedStoreFileIsRewrittenWithoutAFalseAlarm()
    {
        TempStore temp;
        {
            QFile file(temp.path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Timing\nTime=5\n[Screen]\nScreenSize=70\n");
        }
        QSettingsStore store(temp.path);
        QCOMPARE(read(store, "Screen", "ScreenSize"), QStringLiteral("70"));
        store.write(QStringLiteral("Messages"), QStringLiteral("EndMessage"), QStringLiteral("Next"));
        QString problem;
        QVERIFY2(store.commit(&problem), qPrintable(problem));
        const QByteArray written = readBytes(temp.path);
        QVERIFY2(written.contains("[Messages]\nEndMessage=Next\n"), written.constData());
    }

    void firstRunValuesThatCannotBeWrittenAreReported()
    {
        BlockedStore blocked;
        Program program;
        const QStringList problems = startProgram(program, blocked.store);
        QCOMPARE(problems.size(), 1);
        QVERIFY(problems[0].contains(QDir::toNativeSeparators(blocked.path)));
        // The program still starts with the first-run values.
        QCOMPARE(program.Cluster.Trials[0].time, QStringLiteral("10"));
        QCOMPARE(program.Pictures.EmptyBoxIconNames[0], QStringLiteral("Box1.ico"));
    }

    void refusesValuesThatCannotWork_data()
    {
        QTest::addColumn<QString>("screenSize");
        QTest::addColumn<QString>("iconSize");
        QTest::addColumn<QString>("boxSize");
        QTest::addColumn<int>("refused"); // -1 none, else Refusal::Field
        const int none = -1;
        const int screen = int(Refusal::Field::ScreenSize);
        const int icon = int(Refusal::Field::IconSize);
        QTest::newRow("first-run values") << "85" << "480" << QString() << none;
        QTest::newRow("smallest") << "1" << "15" << QString() << none;
        QTest::newRow("largest") << "100" << "7000" << QString() << none;
        QTest::newRow("screen size read by its leading number") << "85 %" << "480" << QString() << none;
        QTest::newRow("icon size with blanks and decimals") << "85" << " 487.5 " << QString() << none;
        QTest::newRow("screen size 0") << "0" << "480" << QString() << screen;
        QTest::newRow("screen size 101") << "101" << "480" << QString() << screen;
        QTest::newRow("screen size text") << "abc" << "480" << QString() << screen;
        QTest::newRow("screen size empty") << "" << "480" << QString() << screen;
        QTest::newRow("icon size below a pixel") << "85" << "14" << QString() << icon;
        QTest::newRow("icon size above the layout square") << "85" << "7001" << QString() << icon;
        QTest::newRow("icon size 0") << "85" << "0" << QString() << icon;
        QTest::newRow("icon size text") << "85" << "big" << QString() << icon;
        QTest::newRow("icon size with text after it") << "85" << "480px" << QString() << icon;
        QTest::newRow("icon size empty") << "85" << "" << QString() << icon;
        QTest::newRow("both: screen size first") << "0" << "0" << QString() << screen;
        const int box = int(Refusal::Field::BoxSize);
        QTest::newRow("box size in millimetres") << "85" << "480" << "12.5" << none;
        QTest::newRow("box size 200 mm") << "85" << "480" << "200" << none;
        QTest::newRow("box size 0") << "85" << "480" << "0" << box;
        QTest::newRow("box size 201") << "85" << "480" << "201" << box;
        QTest::newRow("box size text") << "85" << "480" << "big" << box;
    }

    void refusesValuesThatCannotWork()
    {
        QFETCH(QString, screenSize);
        QFETCH(QString, iconSize);
        QFETCH(QString, boxSize);
        QFETCH(int, refused);
        DefaultSettings settings;
        settings.trial = firstRunTrialDefaults();
        settings.trial.ScreenSize = screenSize;
        settings.iconSize = iconSize;
        settings.trial.BoxSizeMm = boxSize;
        const auto refusal = refusalOf(settings);
        QCOMPARE(refusal ? int(refusal->field) : -1, refused);
        if (refusal)
            QVERIFY2(refusal->text.contains(u'"' + (refused == int(Refusal::Field::ScreenSize) ? screenSize
                                           : refused == int(Refusal::Field::IconSize) ? iconSize
                                                                                    : boxSize) + u'"'),
                     qPrintable(refusal->text));
    }

    void failedSaveLeavesTheStoreAsItWas()
    {
        TempStore temp;
        Program program;
        startProgram(program, temp.store);
        const QByteArray before = readBytes(temp.path);

        LoadedDefaults changed = readDefaultSettings(temp.store);
        QVERIFY(changed.problems.isEmpty());
        changed.settings.trial.Time = QStringLiteral("30");
        changed.settings.boxPictures[0] = QStringLiteral("Crate.ico");
        QString problem;
        {
            ReadOnlyFolder locked(temp.dir.path());
            if (!locked.holds())
                QSKIP("this file system cannot make a folder refuse new files");
            QVERIFY(!saveDefaultSettings(temp.store, changed.settings, &problem));
        }
        QVERIFY2(problem.contains(QDir::toNativeSeparators(temp.path)), qPrintable(problem));
        QCOMPARE(readBytes(temp.path), before);
        // Nothing of the failed save is read now, nor written by a later commit.
        QCOMPARE(read(temp.store, "Timing", "Time"), QStringLiteral("10"));
        QCOMPARE(read(temp.store, "EmptyBoxIcons", "1"), QStringLiteral("Box1.ico"));
        QVERIFY(temp.store.commit(&problem));
        QVERIFY(readBytes(temp.path).contains("Time=10"));
        QVERIFY(!readBytes(temp.path).contains("Crate.ico"));

        // The same values save once the folder takes files again.
        QVERIFY2(saveDefaultSettings(temp.store, changed.settings, &problem), qPrintable(problem));
        QVERIFY(readBytes(temp.path).contains("Time=30"));
        QVERIFY(readBytes(temp.path).contains("1=Crate.ico"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
