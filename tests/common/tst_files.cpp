#include "kelvane/Dialogs.h"
#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"

#include "FailingPlace.h"
#include "ReadOnlyFolder.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <functional>
#include <sys/stat.h>

using namespace kelvane;
using test::FailingPlace;

namespace {

struct Sync
{
    QString path;
    qint64 size; // bytes in the file when it was synced
};

// Records every sync while it lives, and syncs for real.
class SyncRecorder
{
public:
    SyncRecorder()
    {
        setSyncFunction([this](int fd, const QString &path) {
            struct stat status;
            ::fstat(fd, &status);
            syncs.append({path, S_ISDIR(status.st_mode) ? -1 : qint64(status.st_size)});
            return ::fsync(fd);
        });
    }
    ~SyncRecorder() { setSyncFunction({}); }

    QList<Sync> syncs;
};

using Save = std::function<bool(const QString &, const QByteArray &, FileError *)>;

// Earlier content that nearly fills its last block, so that an append on a full disk
// gets partly written before it fails.
const QByteArray earlierContent = QByteArray("earlier line\r\n").repeated(285) + "0123456789";

} // namespace

class FilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windows1252RoundTrip()
    {
        const QString text = QString::fromUtf8("caf\u00e9 \u20ac \u201cq\u201d");
        const QByteArray bytes = toWindows1252(text);
        QCOMPARE(bytes, QByteArray("caf\xe9 \x80 \x93q\x94"));
        QCOMPARE(fromWindows1252(bytes), text);
        // Every byte decodes alike alone and beside a byte only the code page knows.
        for (int byte = 1; byte < 256; ++byte) {
            const QByteArray alone(1, char(byte));
            QCOMPARE(fromWindows1252(alone), fromWindows1252("\x80" + alone).mid(1));
        }
    }

    void unmappableCharactersAreReported()
    {
        QChar bad;
        const QByteArray bytes = toWindows1252(QString::fromUtf8("a\u0101b"), &bad);
        QCOMPARE(bytes, QByteArray("a?b"));
        QCOMPARE(bad, QChar(0x0101));

        // Of several, the first is named, wherever the others stand.
        bad = QChar();
        QCOMPARE(toWindows1252(QString::fromUtf8("\u0142\u00e9\u20ac\u0101\u0107"), &bad), QByteArray("?\xe9\x80??"));
        QCOMPARE(bad, QChar(0x0142));
        bad = QChar();
        toWindows1252(QString::fromUtf8("ok \u03b1\u03b2"), &bad);
        QCOMPARE(bad, QChar(0x03b1));
    }

    void linesSplitAtCrLfAndLf()
    {
        QCOMPARE(splitLines(u"a\r\nb\nc"),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QCOMPARE(splitLines(u"a\r\n\r\nb\r\n"),
                 (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
        QCOMPARE(splitLines(u""), QStringList());
    }

    void failedSaveKeepsEarlierFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.box"));
        FileError error;
        QVERIFY(saveWholeFile(path, "first", &error));
        QCOMPARE(test::readBytes(path), QByteArray("first"));

        // A folder that cannot be written: the save fails and the file stays as it was.
        bool saved = false;
        {
            test::ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.holds())
                QSKIP("this file system cannot make a folder read-only for this user");
            saved = saveWholeFile(path, "second", &error);
        }
        QVERIFY(!saved);
        QVERIFY(error.description.contains(path));
        QCOMPARE(test::readBytes(path), QByteArray("first"));
    }

    void saveIntoMissingFolderNamesIt()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing/a.box"));
        FileError error;
        QVERIFY(!saveWholeFile(path, "x", &error));
        QCOMPARE(error.code, ErrorCode::PathNotFound);
        QVERIFY(error.description.contains(path));
    }

    void durableAppendAndReplace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.bof"));
        FileError error;
        QVERIFY(replaceDurably(path, "one\r\n", &error));
        QVERIFY(appendDurably(path, "two\t", &error));
        QVERIFY(appendDurably(path, "three\r\n", &error));
        QCOMPARE(test::readBytes(path), QByteArray("one\r\ntwo\tthree\r\n"));
        QVERIFY(replaceDurably(path, "new", &error));
        QCOMPARE(test::readBytes(path), QByteArray("new"));
        QVERIFY(!appendDurably(dir.filePath(QStringLiteral("no/r.bof")), "x", &error));
        QCOMPARE(error.code, ErrorCode::PathNotFound);
    }

    void everyDurableWriteIsSyncedOnceItIsComplete()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.bof"));
        SyncRecorder recorder;
        FileError error;
        QVERIFY(appendDurably(path, "one\t", &error));
        QVERIFY(appendDurably(path, "two\r\n", &error));
        QCOMPARE(recorder.syncs.size(), 2);
        QCOMPARE(recorder.syncs[0].path, path);
        QCOMPARE(recorder.syncs[0].size, 4);
        QCOMPARE(recorder.syncs[1].size, 9);

        // A whole-file save syncs the new content before it takes the name, then the
        // folder that now holds the name.
        recorder.syncs.clear();
        QVERIFY(replaceDurably(path, "fresh", &error));
        QCOMPARE(recorder.syncs.size(), 2);
        QCOMPARE(recorder.syncs[0].path, path);
        QCOMPARE(recorder.syncs[0].size, 5);
        QCOMPARE(recorder.syncs[1].path, dir.path());
        recorder.syncs.clear();
        QVERIFY(saveWholeFile(dir.filePath(QStringLiteral("a.box")), "cluster", &error));
        QCOMPARE(recorder.syncs.size(), 2);
        QCOMPARE(recorder.syncs[0].size, 7);
    }

    void aFailedSyncIsAFailedWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.bof"));
        FileError error;
        QVERIFY(appendDurably(path, "kept\r\n", &error));
        setSyncFunction([](int, const QString &) {
            errno = EIO;
            return -1;
        });
        const bool appended = appendDurably(path, "lost\t", &error);
        const bool saved = saveWholeFile(dir.filePath(QStringLiteral("a.box")), "cluster", &error);
        setSyncFunction({});
        QVERIFY(!appended);
        QVERIFY(!saved);
        QCOMPARE(error.description, QStringLiteral("Could not write %1: Input/output error")
                                        .arg(dir.filePath(QStringLiteral("a.box"))));
        // What could not be made durable is taken back.
        QCOMPARE(test::readBytes(path), QByteArray("kept\r\n"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("a.box"))));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("r.bof")});
    }

    void failedSavesKeepTheEarlierFile_data()
    {
        QTest::addColumn<int>("kind");
        for (const FailingPlace::Kind kind : FailingPlace::AllKinds)
            QTest::newRow(FailingPlace::name(kind)) << int(kind);
    }

    void failedSavesKeepTheEarlierFile()
    {
        QFETCH(int, kind);
        // Handed over in pieces, a failure in one must still fail the whole save.
        const Save inPieces = [](const QString &path, const QByteArray &content, FileError *error) {
            WholeFileWriter file(path);
            for (qsizetype at = 0; at < content.size(); at += 1000)
                file.write(QByteArrayView(content).sliced(at, std::min<qsizetype>(1000, content.size() - at)));
            return file.commit(error);
        };
        const QList<std::pair<const char *, Save>> saves{{"whole-file save", saveWholeFile},
                                                         {"durable replace", replaceDurably},
                                                         {"durable append", appendDurably},
                                                         {"save in pieces", inPieces}};
        for (const auto &[what, save] : saves) {
            // An existing file in a folder that takes no new files can still be appended to.
            if (kind == FailingPlace::ImmutableFolder && save.target<decltype(&appendDurably)>()
                && *save.target<decltype(&appendDurably)>() == appendDurably)
                continue;
            FailingPlace place(FailingPlace::Kind(kind), QStringLiteral("r.bof"), earlierContent);
            if (!place.unavailable().isEmpty())
                QSKIP(qPrintable(place.unavailable()));
            FileError error;
            QVERIFY2(!save(place.path(), QByteArray(8000, 'n'), &error), what);
            QVERIFY2(error.description.startsWith(QStringLiteral("Could not ")), qPrintable(error.description));
            QVERIFY2(error.description.contains(place.path() + QStringLiteral(": ")), qPrintable(error.description));
            QString damage;
            QVERIFY2(place.intact(&damage), qPrintable(QStringLiteral("%1: %2").arg(QLatin1StringView(what), damage)));
            if (kind == FailingPlace::FullDisk || kind == FailingPlace::Device)
                QCOMPARE(error.code, ErrorCode::DiskFull);
        }
    }

    void whyAFileCannotBeWritten_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full disk") << int(FailingPlace::FullDisk) << QStringLiteral("No space left on device");
        QTest::newRow("immutable file") << int(FailingPlace::ImmutableFile) << QStringLiteral("Operation not permitted");
        QTest::newRow("immutable folder") << int(FailingPlace::ImmutableFolder) << QStringLiteral("Operation not permitted");
        QTest::newRow("folder that is a file") << int(FailingPlace::ThroughFile) << QStringLiteral("Not a directory");
        QTest::newRow("missing folder") << int(FailingPlace::MissingFolder) << QStringLiteral("No such file or directory");
    }

    void whyAFileCannotBeWritten()
    {
        QFETCH(int, kind);
        QFETCH(QString, reason);
        FailingPlace place(FailingPlace::Kind(kind), QStringLiteral("Kelvane.conf"), earlierContent);
        if (!place.unavailable().isEmpty())
            QSKIP(qPrintable(place.unavailable()));
        const FileError error = whyCannotReplace(place.path());
        QVERIFY2(error.description.endsWith(place.path() + QStringLiteral(": ") + reason),
                 qPrintable(error.description));
        QString damage;
        QVERIFY2(place.intact(&damage), qPrintable(damage));
    }

    // The probe before a run must neither create the subject's file nor touch its bytes.
    void probingForWritingCreatesAndChangesNothing()
    {
        QTemporaryDir dir;
        FileError error;
        const QString fresh = dir.filePath(QStringLiteral("anna.bof"));
        QVERIFY(canCreateOrAppend(fresh, &error));
        QVERIFY(!QFile::exists(fresh));

        const QString existing = dir.filePath(QStringLiteral("old.bof"));
        test::writeBytes(existing, "kept\r\n");
        QVERIFY(canCreateOrAppend(existing, &error));
        QCOMPARE(test::readBytes(existing), QByteArray("kept\r\n"));

        const QString missing = dir.filePath(QStringLiteral("gone/anna.bof"));
        QVERIFY(!canCreateOrAppend(missing, &error));
        QCOMPARE(error.code, ErrorCode::PathNotFound);
        QVERIFY(error.description.contains(missing));

        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.bof")));
        QVERIFY(!canCreateOrAppend(dir.filePath(QStringLiteral("folder.bof")), &error));
        QVERIFY(error.description.contains(QStringLiteral("not a file")));

        QVERIFY(!canCreateOrAppend(dir.filePath(QString(300, u'n') + QStringLiteral(".bof")), &error));

        const QString later = dir.filePath(QStringLiteral("later.bof"));
        bool creatable = true;
        {
            test::ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.holds())
                QSKIP("this file system cannot make a folder read-only for this user");
            creatable = canCreateOrAppend(later, &error);
        }
        QVERIFY(!creatable);
        QVERIFY(error.description.contains(later));
        QVERIFY(!QFile::exists(later));
    }

    void readingMissingFileNamesIt()
    {
        QByteArray content;
        FileError error;
        QVERIFY(!readWholeFile(QStringLiteral("/nonexistent/x.box"), &content, &error));
        QCOMPARE(error.code, ErrorCode::FileNotFound);
        QVERIFY(error.description.contains(QStringLiteral("/nonexistent/x.box")));
        QVERIFY(!error.reason.isEmpty());
        QVERIFY(!error.reason.contains(QStringLiteral("x.box")));
    }

    void dialogHelpers()
    {
        QCOMPARE(qtFilterFromPairs(QStringLiteral("Kelvane Files (*.box)|*.box")),
                 QStringLiteral("Kelvane Files (*.box)"));
        QCOMPARE(qtFilterFromPairs(QStringLiteral("Text|*.dat|All files (*.*)|*.*")),
                 QStringLiteral("Text (*.dat);;All files (*.*)"));
        QCOMPARE(fileTitle(QStringLiteral("C:\\study\\cluster1.box")), QStringLiteral("cluster1.box"));
        QCOMPARE(fileTitle(QStringLiteral("/data/s1.bof")), QStringLiteral("s1.bof"));
        QCOMPARE(fileTitle(QStringLiteral("plain")), QStringLiteral("plain"));
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
