#include "TestFiles.h"

#include "kelvane/ProgramFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kelvane;
using kelvane::test::readBytes;
using kelvane::test::writeBytes;

class ProgramFilesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
    void makeFolder(const QString &relative) { QVERIFY(QDir().mkpath(path(relative))); }

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void buildTreeKeepsPicturesBesideTheProgram()
    {
        makeFolder(QStringLiteral("build/bin/ico"));
        // An installed copy above the build tree must not be taken for ours.
        makeFolder(QStringLiteral("build/share/kelvane/ico"));
        const ProgramFiles files = locateProgramFiles(path(QStringLiteral("build/bin/")),
                                                      path(QStringLiteral("user")));
        QVERIFY(!files.installed);
        QCOMPARE(files.programFolder, path(QStringLiteral("build/bin")));
        QCOMPARE(files.iconFolder, path(QStringLiteral("build/bin/ico/")));
    }

    void installedProgramUsesTheDataFolderAndThePerUserPictures()
    {
        // Any prefix, also a staging folder: the data folder is found from the binary.
        makeFolder(QStringLiteral("stage/usr/local/bin"));
        makeFolder(QStringLiteral("stage/usr/local/share/kelvane/ico"));
        const ProgramFiles files = locateProgramFiles(path(QStringLiteral("stage/usr/local/bin")),
                                                      path(QStringLiteral("user/kelvane")));
        QVERIFY(files.installed);
        QCOMPARE(files.programFolder, path(QStringLiteral("stage/usr/local/share/kelvane")));
        QCOMPARE(files.shippedIcons, path(QStringLiteral("stage/usr/local/share/kelvane/ico/")));
        QCOMPARE(files.iconFolder, path(QStringLiteral("user/kelvane/ico/")));
    }

    void missingPicturesAreCopiedButTheResearchersOwnAreKept()
    {
        makeFolder(QStringLiteral("shipped"));
        writeBytes(path(QStringLiteral("shipped/Box1.ico")), "shipped box");
        writeBytes(path(QStringLiteral("shipped/Content1.ico")), "shipped apple");
        makeFolder(QStringLiteral("mine/ico"));
        writeBytes(path(QStringLiteral("mine/ico/Box1.ico")), "drawn by the researcher");
        QFile::setPermissions(path(QStringLiteral("shipped/Content1.ico")), QFile::ReadOwner | QFile::ReadOther);

        const QStringList problems = copyMissingPictures(path(QStringLiteral("shipped")),
                                                         path(QStringLiteral("mine/ico")));
        QCOMPARE(problems, QStringList());
        QCOMPARE(readBytes(path(QStringLiteral("mine/ico/Box1.ico"))), QByteArray("drawn by the researcher"));
        QCOMPARE(readBytes(path(QStringLiteral("mine/ico/Content1.ico"))), QByteArray("shipped apple"));
        // The icon editor must be able to save over the copy.
        QVERIFY(QFileInfo(path(QStringLiteral("mine/ico/Content1.ico"))).permissions() & QFile::WriteOwner);
    }

    void aFolderThatCannotBeMadeIsNamed()
    {
        makeFolder(QStringLiteral("shipped"));
        writeBytes(path(QStringLiteral("shipped/Box1.ico")), "box");
        writeBytes(path(QStringLiteral("plainfile")), "not a folder");
        const QStringList problems = copyMissingPictures(path(QStringLiteral("shipped")),
                                                         path(QStringLiteral("plainfile/ico")));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.front().contains(QDir::toNativeSeparators(path(QStringLiteral("plainfile/ico")))),
                 qPrintable(problems.front()));
    }
};

QTEST_GUILESS_MAIN(ProgramFilesTest)
#include "tst_programfiles.moc"
