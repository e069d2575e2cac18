#include "ClusterExamples.h"
#include "FailingPlace.h"
#include "ReadOnlyFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/model/ClusterCommands.h"
#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/OpenFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace kelvane;
using namespace kelvane::test;

namespace {

// Stands in for the editor window.
class FakeEditor final : public ClusterEditorView
{
public:
    explicit FakeEditor(Program &program) : m_program(program) {}

    int shownTrial() const override { return shown; }
    bool shownLayoutHasBoxes() const override { return m_program.Cluster.CountBoxes(shown) > 0; }
    void selectTrial(int trial) override { shown = trial; }
    void setCaption(const QString &text) override { caption = text; }
    QStringList objectRowNames() const override { return objectRow; }
    void setObjectRowNames(const QStringList &names) override { objectRow = names; }
    bool askToSaveChanges() override
    {
        ++saveQuestions;
        return goOnAfterQuestion;
    }
    void clearClusterWithoutAsking() override
    {
        ++clears;
        m_program.Cluster = ClusterModel();
    }
    void showCluster() override { ++rebuilds; }

    int shown = 0;
    QString caption = QStringLiteral("Settings");
    QStringList objectRow = firstRunObjectRow();
    int saveQuestions = 0;
    bool goOnAfterQuestion = true;
    int clears = 0;
    int rebuilds = 0;

private:
    Program &m_program;
};

struct Fixture
{
    Fixture()
    {
        program.ProgramFolder = dir.path();
        program.Cluster = twoTrialExample();
        program.ClusterSaved = false;
    }
    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    Program program;
    ScriptedDialogs dialogs;
    FakeEditor editor{program};
    ClusterCommands commands{program, dialogs, editor};
};

} // namespace

class ClusterCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openFileReplacesModelAndNames()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cluster1.box"));
        writeBytes(path, twoTrialExampleBytes());
        Program program;
        program.Cluster.Trials.resize(5);
        program.Cluster.box(4, 1).BoxIconFile = QStringLiteral("stale.ico");
        FileError error;
        QVERIFY(OpenFile(program, path, &error));
        QVERIFY(program.Cluster == twoTrialExample());
        QCOMPARE(program.ClusterFile, path);
        QCOMPARE(program.ClusterName, path);

        // A damaged file: the names stay, the reason names the file.
        const QString damaged = dir.filePath(QStringLiteral("damaged.box"));
        writeBytes(damaged, twoTrialExampleBytes().left(200));
        QVERIFY(!OpenFile(program, damaged, &error));
        QCOMPARE(program.ClusterFile, path);
        QVERIFY(error.description.startsWith(damaged));
        QVERIFY(!OpenFile(program, dir.filePath(QStringLiteral("none.box")), &error));
        QCOMPARE(error.code, ErrorCode::FileNotFound);

        // The notes leave naming the file to whoever prints them.
        const ClusterFileContent missing = readClusterFile(dir.filePath(QStringLiteral("none.box")), ObjectRow::Read);
        QCOMPARE(missing.notes.size(), 1);
        QVERIFY2(missing.notes[0].text.startsWith(QStringLiteral("cannot be read: ")), qPrintable(missing.notes[0].text));
        QVERIFY(!missing.notes[0].text.contains(QStringLiteral("none.box")));
    }

    void boxSizesLiveBesideTheClusterFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("cluster1.box"));
        const QString sizes = dir.filePath(QStringLiteral("cluster1.sizes.csv"));
        writeBytes(path, twoTrialExampleBytes());
        ClusterModel cluster = twoTrialExample();
        cluster.Trials[1].BoxSizeMm = QStringLiteral("12,5");
        FileError error;
        QVERIFY(saveBoxSizes(path, cluster));
        QCOMPARE(readBytes(sizes), QByteArray("trial,box_mm\r\n1,\"12,5\"\r\n"));

        // Opened, the sizes come back; the cluster file is read as any other.
        Program program;
        QVERIFY(OpenFile(program, path, &error));
        QCOMPARE(program.Cluster.Trials[0].BoxSizeMm, QString());
        QCOMPARE(program.Cluster.Trials[1].BoxSizeMm, QStringLiteral("12,5"));
        QCOMPARE(readBytes(path), twoTrialExampleBytes());

        // Saved without sizes, the earlier file goes, so it cannot speak for this cluster.
        QVERIFY(saveBoxSizes(path, twoTrialExample()));
        QVERIFY(!QFileInfo::exists(sizes));
        QVERIFY(OpenFile(program, path, &error));
        QCOMPARE(program.Cluster.Trials[1].BoxSizeMm, QString());

        // A damaged file is named with its line, and no trial keeps a size from it.
        for (const QByteArray &damaged : {QByteArray("trial,box_mm\r\n0,20\r\n2,20\r\n"),
                                          QByteArray("trial,box_mm\n0,20\nzero,20\n"), QByteArray("0,20\r\n")}) {
            writeBytes(sizes, damaged);
            QVERIFY(!OpenFile(program, path, &error));
            QVERIFY2(error.description.startsWith(QDir::toNativeSeparators(sizes) + QStringLiteral(", line ")),
                     qPrintable(error.description));
            QCOMPARE(error.line, damaged.startsWith("0") ? 1 : 3);
        }
        QVERIFY(!readBoxSizes(path, cluster));
        QCOMPARE(cluster.Trials[1].BoxSizeMm, QString());
    }

    void saveWritesAndUpdatesNames()
    {
        Fixture f;
        f.dialogs.savePaths.push_back(f.path("cluster1.box"));
        QVERIFY(f.commands.SaveCluster());
        QCOMPARE(readBytes(f.path("cluster1.box")), twoTrialExampleBytes());
        QCOMPARE(f.editor.caption, QStringLiteral("Kelvane Settings - cluster1.box"));
        QCOMPARE(f.program.ClusterFile, f.path("cluster1.box"));
        QCOMPARE(f.program.ClusterName, QStringLiteral("cluster1.box"));
        QVERIFY(f.program.ClusterSaved);
        const FileDialogRequest &request = f.dialogs.fileRequests.front();
        QCOMPARE(request.filter, QStringLiteral("Kelvane Files (*.box)|*.box"));
        // A cluster without a file never starts in the program's folder: the folder
        // memory chooses, by the kind of file.
        QVERIFY(request.initialFolder.isEmpty());
        QCOMPARE(request.kind, FolderKind::Clusters);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void saveRefusesEmptyLayoutAndMissingTarget()
    {
        Fixture f;
        f.program.Cluster.Trials.push_back(f.program.Cluster.Trials[1]);
        f.program.Cluster.Trials[1].TargetNumberText.clear();
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("No target set"));
        QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("No target set. Please set a target in trial 2."));
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(f.editor.shown, 1);
        QVERIFY(f.dialogs.fileRequests.isEmpty());

        // Trial 3 has no boxes and is shown now.
        f.editor.shown = 2;
        f.dialogs.messages.clear();
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Save"));
        QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("Can't save an empty layout!"));
        QVERIFY(QDir(f.dir.path()).entryList(QDir::Files).isEmpty());
    }

    void overwriteQuestionLoops()
    {
        Fixture f;
        writeBytes(f.path("old.box"), "old");
        // No: the dialog comes back; then Cancel: nothing is written.
        f.dialogs.savePaths = {f.path("old.box"), f.path("old.box")};
        f.dialogs.answers = {Answer::No, Answer::Cancel};
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.fileRequests.size(), 2);
        QCOMPARE(f.dialogs.messages[0].text,
                 f.path("old.box") + QStringLiteral(" already exists. Would you like to overwrite it?"));
        QCOMPARE(f.dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(readBytes(f.path("old.box")), QByteArray("old"));
        QVERIFY(!f.program.ClusterSaved);

        f.dialogs.savePaths = {f.path("old.box")};
        f.dialogs.answers = {Answer::Yes};
        QVERIFY(f.commands.SaveCluster());
        QCOMPARE(readBytes(f.path("old.box")), twoTrialExampleBytes());
    }

    void failedSaveChangesNothing()
    {
        Fixture f;
        f.program.ClusterFile = QStringLiteral("/earlier/file.box");
        f.program.ClusterName = QStringLiteral("file.box");
        f.dialogs.savePaths.push_back(f.path("missing-folder/c.box"));
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Critical);
        QVERIFY(f.dialogs.messages[0].text.startsWith(QStringLiteral("An unknown error occurred: code ")));
        QVERIFY(f.dialogs.messages[0].text.contains(f.path("missing-folder/c.box")));
        QVERIFY(!f.program.ClusterSaved);
        QCOMPARE(f.program.ClusterFile, QStringLiteral("/earlier/file.box"));
        QCOMPARE(f.editor.caption, QStringLiteral("Settings"));

        // Overwriting a file in a folder that takes no new files: the old file stays whole.
        writeBytes(f.path("kept.box"), "earlier cluster");
        f.dialogs.messages.clear();
        f.dialogs.savePaths.push_back(f.path("kept.box"));
        f.dialogs.answers.push_back(Answer::Yes);
        {
            ReadOnlyFolder readOnly(f.dir.path());
            if (!readOnly.holds())
                QSKIP("this file system cannot make a folder read-only for this user");
            QVERIFY(!f.commands.SaveCluster());
        }
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Error"));
        QCOMPARE(readBytes(f.path("kept.box")), QByteArray("earlier cluster"));
        QVERIFY(!f.program.ClusterSaved);
    }

    void failedSaveKeepsTheEarlierFile_data()
    {
        QTest::addColumn<int>("kind");
        for (const FailingPlace::Kind kind : FailingPlace::AllKinds)
            QTest::newRow(FailingPlace::name(kind)) << int(kind);
    }

    void failedSaveKeepsTheEarlierFile()
    {
        QFETCH(int, kind);
        Fixture f;
        FailingPlace place(FailingPlace::Kind(kind), QStringLiteral("c.box"), "earlier cluster\r\n");
        if (!place.unavailable().isEmpty())
            QSKIP(qPrintable(place.unavailable()));
        f.dialogs.savePaths.push_back(place.path());
        f.dialogs.answers.push_back(Answer::Yes); // overwrite it, where it exists
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Error"));
        QVERIFY2(f.dialogs.messages.last().text.contains(place.path() + QStringLiteral(": ")),
                 qPrintable(f.dialogs.messages.last().text));
        QString damage;
        QVERIFY2(place.intact(&damage), qPrintable(damage));
        QVERIFY(!f.program.ClusterSaved);
    }

    void saveRefusesTextWithQuote()
    {
        Fixture f;
        f.program.Cluster.Trials[0].StartMessage = QStringLiteral("Press \"START\"");
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("start message of trial 1")));
        QVERIFY(f.dialogs.fileRequests.isEmpty());
    }

    void openReadsFileAndRow()
    {
        Fixture f;
        QByteArray bytes = twoTrialExampleBytes();
        bytes.replace("\"Content3.ico\",\"Content4", "\"Apple.ico\",\"Content4");
        writeBytes(f.path("c.box"), bytes);
        f.program.ClusterFile = f.path("earlier.box");
        f.dialogs.openPaths.push_back(f.path("c.box"));
        QVERIFY(f.commands.OpenCluster());
        QCOMPARE(f.editor.saveQuestions, 1); // the cluster was unsaved
        QCOMPARE(f.editor.clears, 1);
        QVERIFY(f.program.Cluster == twoTrialExample());
        QCOMPARE(f.editor.objectRow[2], QStringLiteral("Apple.ico"));
        QCOMPARE(f.editor.caption, QStringLiteral("Kelvane Settings - c.box"));
        QCOMPARE(f.program.ClusterFile, f.path("c.box"));
        QCOMPARE(f.program.ClusterName, QStringLiteral("c.box"));
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(f.dialogs.fileRequests[0].proposedName, f.path("earlier.box"));
    }

    void saveAddsTheClusterExtension()
    {
        Fixture f;
        f.dialogs.savePaths.push_back(f.path("study1"));
        QVERIFY(f.commands.SaveCluster());
        QCOMPARE(f.program.ClusterFile, f.path("study1.box"));
        QCOMPARE(f.program.ClusterName, QStringLiteral("study1.box"));
        QCOMPARE(readBytes(f.path("study1.box")), twoTrialExampleBytes());
        QVERIFY(!QFileInfo::exists(f.path("study1")));
        // The next dialog starts in that file's folder and proposes it.
        QCOMPARE(f.dialogs.fileRequests.size(), 1);

        // The overwrite question asks about the name that will be written.
        f.dialogs.savePaths.push_back(f.path("study1"));
        f.dialogs.answers.push_back(Answer::Cancel);
        QVERIFY(!f.commands.SaveCluster());
        QCOMPARE(f.dialogs.messages.last().text,
                 f.path("study1.box") + QStringLiteral(" already exists. Would you like to overwrite it?"));
        QCOMPARE(f.dialogs.fileRequests.last().initialFolder, f.dir.path());
        QCOMPARE(f.dialogs.fileRequests.last().proposedName, f.path("study1.box"));

        // A name with an extension of its own is kept as typed.
        f.dialogs.savePaths.push_back(f.path("pilot.v2"));
        QVERIFY(f.commands.SaveCluster());
        QCOMPARE(f.program.ClusterFile, f.path("pilot.v2"));
    }

    void openStopsWhenTheQuestionSaysSo()
    {
        Fixture f;
        f.editor.goOnAfterQuestion = false;
        const ClusterModel before = f.program.Cluster;
        QVERIFY(!f.commands.OpenCluster());
        QCOMPARE(f.editor.saveQuestions, 1);
        QVERIFY(f.dialogs.fileRequests.isEmpty());
        QCOMPARE(f.editor.clears, 0);
        QVERIFY(f.program.Cluster == before);
        QVERIFY(!f.program.ClusterSaved);
    }

    void openReportsAndClearsUnusableTargets()
    {
        Fixture f;
        QByteArray bytes = twoTrialExampleBytes();
        // Trial 1 names its empty box 1, trial 2 a box it does not have.
        bytes.replace("\"Uw tijd is om.\",\"2\"", "\"Uw tijd is om.\",\"1\"");
        bytes.replace("\"Uw tijd is om.\",\"1\",\"Klik op START om te beginnen.\",\"Klik op START om door te gaan.\",\"2\",\" 0\",\" 16777215\",\"85\",\" 1\"",
                      "\"Uw tijd is om.\",\"4\",\"Klik op START om te beginnen.\",\"Klik op START om door te gaan.\",\"2\",\" 0\",\" 16777215\",\"85\",\" 1\"");
        writeBytes(f.path("hand.box"), bytes);
        f.dialogs.openPaths.push_back(f.path("hand.box"));
        QVERIFY(f.commands.OpenCluster());
        QVERIFY(f.program.Cluster.Trials[0].TargetNumberText.isEmpty());
        QVERIFY(f.program.Cluster.Trials[1].TargetNumberText.isEmpty());
        QCOMPARE(f.dialogs.messages.size(), 1);
        const QString text = f.dialogs.messages[0].text;
        QVERIFY2(text.contains(QStringLiteral("trial 1, box 1: the target box holds no object")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("trial 2: the target \"4\" is not one of the trial's 1 boxes")),
                 qPrintable(text));
        QVERIFY(text.contains(f.path("hand.box")));
        // The model no longer equals the file.
        QVERIFY(!f.program.ClusterSaved);
        QCOMPARE(f.program.ClusterFile, f.path("hand.box"));
    }

    void openCancelledOrDamaged()
    {
        Fixture f;
        f.program.ClusterSaved = true;
        f.dialogs.openPaths.push_back(std::nullopt);
        QVERIFY(!f.commands.OpenCluster());
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.editor.clears, 0);

        writeBytes(f.path("bad.box"), twoTrialExampleBytes().left(150));
        f.dialogs.openPaths.push_back(f.path("bad.box"));
        QVERIFY(!f.commands.OpenCluster());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(f.path("bad.box")));
        QVERIFY(f.program.ClusterFile.isEmpty());
        QVERIFY(!f.program.ClusterSaved);
        QCOMPARE(f.editor.rebuilds, 1);
    }
};

QTEST_GUILESS_MAIN(ClusterCommandsTest)
#include "tst_clustercommands.moc"
