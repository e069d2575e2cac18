#include "kelvane/Dialogs.h"
#include "kelvane/FileSaving.h"
#include "kelvane/Windows1252.h"

#include "ReadOnlyFolder.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;

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
    }

    void unmappableCharactersAreReported()
    {
        QChar bad;
        const QByteArray bytes = toWindows1252(QString::fromUtf8("a\u0101b"), &bad);
        QCOMPARE(bytes, QByteArray("a?b"));
        QCOMPARE(bad, QChar(0x0101));
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
