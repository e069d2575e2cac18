#include "kelvane/app/ProgramStart.h"
#include "kelvane/options/SettingsStore.h"
#include "kelvane/options/StoredSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;

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
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
