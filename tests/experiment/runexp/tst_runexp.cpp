// The experiment window driven as a researcher drives it: clicks on its buttons and
// list, Enter and Esc, dialogs answered by script, and whole runs played through the
// trial window.

#include "RecordingSoundPlayer.h"
#include "ReadOnlyFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "TrialAutopilot.h"
#include "TrialFixture.h"

#include "kelvane/FolderMemory.h"
#include "kelvane/runexp/RunExp.h"
#include "kelvane/runexp/UpDownButtons.h"
#include "kelvane/trial/ClusterRunCommand.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QToolButton>

#include <functional>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

const QByteArray titles = "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
                          "Click order\tTimed click order\tWithin Error\r\n";

// The experiment window over a program folder of its own, with the run's date, time
// and locale fixed and the trial clock in the test's hands.
struct Window
{
    Window()
    {
        folder.store->write(u"Experiment"_s, u"ResultsFolder"_s, folder.dir.path());
        writeBytes(folder.path(u"sound.wav"_s), "RIFF");
        writeBytes(folder.path(u"click.wav"_s), "RIFF");
        LaunchSettings &launch = window.launchSettings();
        launch.now = [] { return QDateTime(QDate(2026, 12, 7), QTime(9, 0, 0)); };
        launch.locale = QLocale(QLocale::Dutch, QLocale::Netherlands);
        launch.drive = TrialClock::Drive::Manual;
        launch.touchScreenPresent = [this] { return touchScreen; };
        window.show();
        window.activateWindow();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning("the experiment window was not shown");
    }
    ~Window()
    {
        // Closing asks nothing more once the list counts as saved.
        while (pointer.count() < 0)
            pointer.show();
    }

    void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void clickRow(int row)
    {
        QListWidget *list = window.clusters;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    void addCluster(const QString &path)
    {
        dialogs.openPaths.push_back(path);
        click(window.AddCluster);
    }
    void addMessage(const QString &text)
    {
        dialogs.inputs.push_back(text);
        click(window.AddComment);
    }
    int selectedRow() const
    {
        const QList<QListWidgetItem *> selected = window.clusters->selectedItems();
        return selected.isEmpty() ? -1 : window.clusters->row(selected.first());
    }
    void run(const QString &subject)
    {
        window.Subject->setText(subject);
        click(window.btnRunExp);
    }
    // Cluster A: two trials of two boxes; cluster B: one trial of three.
    void writeClusters()
    {
        setTrial(folder.program.Cluster, 0, u"10"_s, u"2"_s, 2, {false, true});
        setTrial(folder.program.Cluster, 1, u"10"_s, u"2"_s, 1, {true, true});
        folder.saveCluster(u"A.box"_s);
        folder.program.Cluster = ClusterModel();
        setTrial(folder.program.Cluster, 0, u"0"_s, u"2"_s, 3, {true, true, true});
        folder.saveCluster(u"B.box"_s);
        folder.program.Cluster = ClusterModel();
        folder.program.ClusterFile.clear();
    }
    QString a() const { return folder.path(u"A.box"_s); }
    QString b() const { return folder.path(u"B.box"_s); }
    // The subject file of a run of A and B with the target clicked first every time.
    QByteArray subjectFileOfAB(const QByteArray &name) const
    {
        const QByteArray pathA = a().toLocal8Bit();
        const QByteArray pathB = b().toLocal8Bit();
        return "07-12-2026    09:00:00      " + name + "\r\n" + titles
               + " 0 \t" + pathA + "\t 2 \t 1 \t 2 \t 0\t 1 \t 2\t 2@ 0\t\r\n"
               + " 1 \t" + pathA + "\t 2 \t 2 \t 1 \t 0\t 1 \t 1\t 1@ 0\t\r\n"
               + " 0 \t" + pathB + "\t 3 \t 3 \t 3 \t 0\t 1 \t 3\t 3@ 0\t\r\n";
    }
    std::optional<ShownMessage> onlyMessage() const
    {
        if (dialogs.messages.size() != 1)
            return std::nullopt;
        return dialogs.messages.first();
    }

    TrialFolder folder;
    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;
    bool touchScreen = true;
    RunExp window{folder.program, {dialogs, *folder.store, targetSound, clickSound, pointer}};
};

// Answers as the scripted dialogs do, and does something on the researcher's behalf
// while a question is open.
class HookedDialogs final : public Dialogs
{
public:
    HookedDialogs(ScriptedDialogs &script, std::function<void()> duringQuestion)
        : m_script(script), m_duringQuestion(std::move(duringQuestion)) {}

    Answer message(const QString &title, const QString &text, MessageIcon icon, MessageButtons buttons,
                   Answer defaultAnswer) override
    {
        if (buttons != MessageButtons::Ok)
            m_duringQuestion();
        return m_script.message(title, text, icon, buttons, defaultAnswer);
    }
    std::optional<QString> input(const QString &title, const QString &prompt, const QString &text) override
    {
        return m_script.input(title, prompt, text);
    }
    std::optional<QString> openFile(const FileDialogRequest &r) override { return m_script.openFile(r); }
    std::optional<QStringList> openFiles(const FileDialogRequest &r) override { return m_script.openFiles(r); }
    std::optional<QString> saveFile(const FileDialogRequest &r) override { return m_script.saveFile(r); }
    std::optional<QString> chooseFolder(const FileDialogRequest &r) override { return m_script.chooseFolder(r); }
    std::optional<ColourValue> chooseColour(ColourValue c) override { return m_script.chooseColour(c); }
    std::optional<int> chooseItem(const QString &title, const QString &prompt, const QStringList &items,
                                  int current) override
    {
        return m_script.chooseItem(title, prompt, items, current);
    }

private:
    ScriptedDialogs &m_script;
    std::function<void()> m_duringQuestion;
};

} // namespace

class RunExpTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void opensWithItsCaptionsAndInitialValues()
    {
        Window w;
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);
        QCOMPARE(w.window.label1->text(), u"Clusters to run:"_s);
        QCOMPARE(w.window.Label2->text(), u"Subject name:"_s);
        const QList<std::pair<QAbstractButton *, QString>> captions = {
            {w.window.AddCluster, u"Add Cluster"_s},         {w.window.RemoveCluster, u"Remove Event"_s},
            {w.window.AddComment, u"Add Message"_s},         {w.window.LoadExp, u"Open Experiment"_s},
            {w.window.SaveExp, u"Save Experiment"_s},        {w.window.HideMouse, u"Hide Mouse"_s},
            {w.window.btnRunExp, u"Run"_s},                  {w.window.Command1, u"Mouse"_s},
            {w.window.checkButton, u"Check"_s},                 {w.window.resultsFolderButton, u"Results Folder..."_s},
            {w.window.ordersButton, u"Orders..."_s},
        };
        for (const auto &[button, caption] : captions)
            QCOMPARE(button->text(), caption);
        QVERIFY(w.window.HideMouse->isChecked());
        QVERIFY(w.window.btnRunExp->isDefault());
        QCOMPARE(w.window.clusters->count(), 0);
        QVERIFY(w.window.Subject->text().isEmpty());
        QCOMPARE(w.window.ResultFile->text(), QDir::toNativeSeparators(w.folder.dir.path()) + QDir::separator());
        // Every control can be found by a screen reader.
        for (QWidget *control : w.window.findChildren<QWidget *>()) {
            if (qobject_cast<QAbstractButton *>(control) || qobject_cast<QListWidget *>(control)
                || qobject_cast<QLineEdit *>(control)) {
                const auto *button = qobject_cast<QAbstractButton *>(control);
                QVERIFY2(!control->accessibleName().isEmpty() || (button && !button->text().isEmpty()),
                         control->metaObject()->className());
            }
        }
    }

    void listEditingAndMoves()
    {
        Window w;
        w.addCluster(u"/study/A.box"_s);
        QCOMPARE(w.dialogs.fileRequests.last().filter, u"Kelvane Files (*.box)|*.box"_s);
        QVERIFY(w.dialogs.fileRequests.last().proposedName.isEmpty());
        w.addCluster(u"/study/A.box"_s);
        w.addMessage(u"Pause"_s);
        w.addMessage(QString());
        w.dialogs.inputs.push_back(std::nullopt);
        w.click(w.window.AddComment);
        w.dialogs.openPaths.push_back(std::nullopt);
        w.click(w.window.AddCluster);
        QCOMPARE(w.window.entries(), (QStringList{u"/study/A.box"_s, u"/study/A.box"_s, u"Message: Pause"_s}));
        QVERIFY(w.dialogs.unexpected.isEmpty());
        QVERIFY(w.dialogs.messages.isEmpty());

        w.addCluster(u"/study/B.box"_s);
        w.clickRow(0);
        w.click(w.window.UpDown1->up);
        QCOMPARE(w.window.entries().first(), u"/study/A.box"_s);
        QCOMPARE(w.selectedRow(), 0);
        w.clickRow(3);
        w.click(w.window.UpDown1->down);
        QCOMPARE(w.window.entries().last(), u"/study/B.box"_s);
        w.clickRow(2);
        w.click(w.window.UpDown1->up);
        QCOMPARE(w.window.entries(),
                 (QStringList{u"/study/A.box"_s, u"Message: Pause"_s, u"/study/A.box"_s, u"/study/B.box"_s}));
        QCOMPARE(w.selectedRow(), 1);
        w.click(w.window.UpDown1->down);
        w.click(w.window.UpDown1->down);
        QCOMPARE(w.window.entries(),
                 (QStringList{u"/study/A.box"_s, u"/study/A.box"_s, u"/study/B.box"_s, u"Message: Pause"_s}));
        QCOMPARE(w.selectedRow(), 3);

        w.click(w.window.RemoveCluster);
        QCOMPARE(w.window.clusters->count(), 3);
        QCOMPARE(w.selectedRow(), -1);
        w.click(w.window.RemoveCluster);
        QCOMPARE(w.window.clusters->count(), 3);
        w.clickRow(0);
        w.click(w.window.RemoveCluster);
        QCOMPARE(w.window.entries(), (QStringList{u"/study/A.box"_s, u"/study/B.box"_s}));
        w.click(w.window.UpDown1->up);
        QCOMPARE(w.window.entries(), (QStringList{u"/study/A.box"_s, u"/study/B.box"_s}));
    }

    void addRefusesWhatAnExperimentFileCannotHold()
    {
        Window w;
        w.addMessage(u"say \"hi\""_s);
        w.addMessage(u"Pauze \u0101"_s);
        w.addCluster(u"/study/\"odd\".box"_s);
        QCOMPARE(w.window.clusters->count(), 0);
        QCOMPARE(w.dialogs.messages.size(), 3);
        QCOMPARE(w.dialogs.messages[0].title, u"Add message"_s);
        QCOMPARE(w.dialogs.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(w.dialogs.messages[0].text.contains(u"double quote"_s));
        QVERIFY(w.dialogs.messages[1].text.contains(u"\u0101"_s));
        QCOMPARE(w.dialogs.messages[2].title, u"Add Cluster"_s);
        QVERIFY(w.dialogs.messages[2].text.contains(u"/study/\"odd\".box"_s));
    }

    void saveAndOpenRoundTrip()
    {
        Window w;
        w.addCluster(u"/data/study/A.box"_s);
        w.addMessage(u"Rest"_s);
        w.addMessage(u" Pauze van \u00e9\u00e9n minuut, \u20ac"_s);
        w.addCluster(u"/data/study/B.box"_s);
        QVERIFY(w.window.listChanged());
        // A name typed without extension gets ".bex".
        w.dialogs.savePaths.push_back(w.folder.path(u"study"_s));
        w.click(w.window.SaveExp);
        QCOMPARE(w.dialogs.fileRequests.last().filter, u"Kelvane Experiment Files (*.bex)|*.bex"_s);
        const QByteArray expected = "\"/data/study/A.box\"\r\n"
                                    "\"Message: Rest\"\r\n"
                                    "\"Message:  Pauze van \xe9\xe9n minuut, \x80\"\r\n"
                                    "\"/data/study/B.box\"\r\n";
        QCOMPARE(readBytes(w.folder.path(u"study.bex"_s)), expected);
        QVERIFY(!QFile::exists(w.folder.path(u"study"_s)));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment - study.bex"_s);
        QVERIFY(!w.window.listChanged());

        // Opening appends to what is listed.
        w.dialogs.openPaths.push_back(w.folder.path(u"study.bex"_s));
        w.click(w.window.LoadExp);
        const QStringList four = {u"/data/study/A.box"_s, u"Message: Rest"_s,
                                  u"Message:  Pauze van \u00e9\u00e9n minuut, \u20ac"_s, u"/data/study/B.box"_s};
        QCOMPARE(w.window.entries(), four + four);
        QVERIFY(w.window.listChanged());
        QVERIFY(w.dialogs.messages.isEmpty());

        // Into an empty window, the file is the list as saved. Its dialogs start where
        // the last file of their kind was chosen, else in the documents folder.
        QHash<QString, QString> remembered{{FolderKind::Clusters, w.folder.path(u"since removed"_s)}};
        FolderMemory placed(w.dialogs, [&](const QString &kind) { return remembered.value(kind); },
                            [&](const QString &kind, const QString &folder) { remembered.insert(kind, folder); });
        RunExp second(w.folder.program, {placed, *w.folder.store, w.targetSound, w.clickSound, w.pointer});
        QVERIFY(second.openExperimentFile(w.folder.path(u"study.bex"_s)));
        QCOMPARE(second.entries(), four);
        QCOMPARE(second.experimentFile(), w.folder.path(u"study.bex"_s));
        QCOMPARE(second.windowTitle(), u"Run Experiment - study.bex"_s);
        QVERIFY(!second.listChanged());
        w.dialogs.savePaths.push_back(w.folder.path(u"copy.bex"_s));
        QVERIFY(second.SaveExp_Click());
        QCOMPARE(readBytes(w.folder.path(u"copy.bex"_s)), expected);
        const QString documents = placed.startFolder(QString());
        QCOMPARE(w.dialogs.fileRequests.last().initialFolder, documents);
        w.dialogs.openPaths.push_back(std::nullopt);
        second.LoadExp_Click();
        QCOMPARE(w.dialogs.fileRequests.last().initialFolder, w.folder.dir.path());
        w.dialogs.openPaths.push_back(std::nullopt);
        second.AddCluster_Click();
        QCOMPARE(w.dialogs.fileRequests.last().initialFolder, documents);
        // Every other dialog passes through to the one beneath, the choice of an order
        // scheme too.
        w.dialogs.choices.push_back(std::nullopt);
        w.click(second.ordersButton);
        QCOMPARE(w.dialogs.choiceLists.size(), 1);
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void dialogsStartOnlyInAFolderThatExists()
    {
        QTemporaryDir home;
        const QByteArray homeBefore = qgetenv("HOME");
        const QByteArray configBefore = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", home.filePath(u".config"_s).toLocal8Bit());
        ScriptedDialogs beneath;
        QString remembered = home.filePath(u"since removed"_s);
        FolderMemory placed(beneath, [&](const QString &) { return remembered; }, [](const QString &, const QString &) {});
        // No Documents folder: the home folder, never a name that would be taken for a file.
        const QString atHome = placed.startFolder(FolderKind::Clusters, home.filePath(u"gone too"_s));
        QVERIFY(QDir(home.path()).mkdir(u"Documents"_s));
        const QString inDocuments = placed.startFolder(FolderKind::Clusters);
        remembered = home.path();
        const QString inRemembered = placed.startFolder(FolderKind::Clusters, home.filePath(u"Documents"_s));
        qputenv("HOME", homeBefore);
        qputenv("XDG_CONFIG_HOME", configBefore);
        if (configBefore.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        QCOMPARE(atHome, home.path());
        QCOMPARE(inDocuments, home.filePath(u"Documents"_s));
        QCOMPARE(inRemembered, home.path());
    }

    void saveAsksBeforeOverwritingAndLoops()
    {
        Window w;
        w.addCluster(u"/data/A.box"_s);
        writeBytes(w.folder.path(u"one.bex"_s), "\"earlier\"\r\n");
        writeBytes(w.folder.path(u"two.bex"_s), "\"earlier too\"\r\n");
        w.dialogs.savePaths = {w.folder.path(u"one.bex"_s), w.folder.path(u"two.bex"_s)};
        w.dialogs.answers = {Answer::No, Answer::Cancel};
        w.click(w.window.SaveExp);
        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(w.dialogs.messages[0].title, u"Save"_s);
        QCOMPARE(w.dialogs.messages[0].text, w.folder.path(u"one.bex"_s) + u" already exists. Would you like to overwrite it?"_s);
        QCOMPARE(w.dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
        QCOMPARE(readBytes(w.folder.path(u"one.bex"_s)), QByteArray("\"earlier\"\r\n"));
        QCOMPARE(readBytes(w.folder.path(u"two.bex"_s)), QByteArray("\"earlier too\"\r\n"));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);

        w.dialogs.savePaths = {w.folder.path(u"two.bex"_s)};
        w.dialogs.answers = {Answer::Yes};
        w.click(w.window.SaveExp);
        QCOMPARE(readBytes(w.folder.path(u"two.bex"_s)), QByteArray("\"/data/A.box\"\r\n"));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment - two.bex"_s);
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void aFailedSaveIsReportedOnceAndKeepsTheEarlierFile()
    {
        Window w;
        w.addCluster(u"/data/A.box"_s);
        w.dialogs.savePaths = {w.folder.path(u"missing/study.bex"_s)};
        w.click(w.window.SaveExp);
        const auto message = w.onlyMessage();
        QVERIFY(message);
        QCOMPARE(message->title, u"Error"_s);
        QCOMPARE(message->icon, MessageIcon::Critical);
        QVERIFY(message->text.startsWith(u"An unknown error occurred: code "_s));
        QVERIFY(message->text.contains(w.folder.path(u"missing/study.bex"_s)));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);
        QVERIFY(w.window.listChanged());

        QDir(w.folder.dir.path()).mkdir(u"locked"_s);
        const QString kept = w.folder.path(u"locked/study.bex"_s);
        writeBytes(kept, "\"earlier\"\r\n");
        w.dialogs.messages.clear();
        w.dialogs.savePaths = {kept};
        w.dialogs.answers = {Answer::Yes};
        {
            ReadOnlyFolder locked(w.folder.path(u"locked"_s));
            if (!locked.holds())
                QSKIP("this file system cannot make a folder read-only for this user");
            QVERIFY(!w.window.SaveExp_Click());
        }
        QCOMPARE(w.dialogs.messages.size(), 2); // the overwrite question, then one error
        QCOMPARE(w.dialogs.messages[1].title, u"Error"_s);
        QCOMPARE(readBytes(kept), QByteArray("\"earlier\"\r\n"));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);
    }

    void openLeavesTheListAloneForAFileItCannotTake()
    {
        Window w;
        w.addCluster(u"/data/A.box"_s);
        writeBytes(w.folder.path(u"broken.bex"_s), "\"/data/B.box\"\r\n\"Message: never closed\r\n");
        w.dialogs.openPaths.push_back(w.folder.path(u"broken.bex"_s));
        w.click(w.window.LoadExp);
        auto message = w.onlyMessage();
        QVERIFY(message);
        QCOMPARE(message->title, u"Error"_s);
        QVERIFY2(message->text.contains(w.folder.path(u"broken.bex"_s) + u", line 2"_s), qPrintable(message->text));
        QCOMPARE(w.window.entries(), QStringList{u"/data/A.box"_s});
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);

        w.dialogs.messages.clear();
        QVERIFY(!w.window.openExperimentFile(w.folder.path(u"gone.bex"_s)));
        message = w.onlyMessage();
        QVERIFY(message && message->text.contains(w.folder.path(u"gone.bex"_s)));
        QCOMPARE(w.window.entries(), QStringList{u"/data/A.box"_s});

        // An empty file adds nothing and is no error; empty items are dropped.
        w.dialogs.messages.clear();
        writeBytes(w.folder.path(u"empty.bex"_s), "");
        QVERIFY(w.window.openExperimentFile(w.folder.path(u"empty.bex"_s)));
        QCOMPARE(w.window.windowTitle(), u"Run Experiment - empty.bex"_s);
        writeBytes(w.folder.path(u"gaps.bex"_s), "\"\"\r\n,,\"/data/C.box\"\r\n");
        QVERIFY(w.window.openExperimentFile(w.folder.path(u"gaps.bex"_s)));
        QCOMPARE(w.window.entries(), (QStringList{u"/data/A.box"_s, u"/data/C.box"_s}));
        QVERIFY(w.dialogs.messages.isEmpty());
        w.dialogs.openPaths.push_back(std::nullopt);
        w.click(w.window.LoadExp);
        QCOMPARE(w.window.entries().size(), 2);
    }

    void closingAsksToSaveAChangedList()
    {
        Window w;
        QSignalSpy closed(&w.window, &RunExp::closed);
        w.addMessage(u"Rest"_s);
        w.dialogs.answers = {Answer::Cancel};
        w.window.close();
        QVERIFY(w.window.isVisible());
        QCOMPARE(w.dialogs.messages.last().buttons, MessageButtons::YesNoCancel);
        QCOMPARE(w.dialogs.messages.last().title, u"Run Experiment"_s);
        // Yes whose save is cancelled keeps the window open too.
        w.dialogs.answers = {Answer::Yes};
        w.dialogs.savePaths.push_back(std::nullopt);
        w.window.close();
        QVERIFY(w.window.isVisible());
        QCOMPARE(closed.count(), 0);

        w.dialogs.answers = {Answer::Yes};
        w.dialogs.savePaths.push_back(w.folder.path(u"kept.bex"_s));
        w.window.close();
        QVERIFY(!w.window.isVisible());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(readBytes(w.folder.path(u"kept.bex"_s)), QByteArray("\"Message: Rest\"\r\n"));
        // Opened again, the window starts afresh.
        QCOMPARE(w.window.clusters->count(), 0);
        QCOMPARE(w.window.windowTitle(), u"Run Experiment"_s);

        w.window.show();
        w.window.Subject->setText(u"anna"_s);
        w.window.HideMouse->setChecked(false);
        const qsizetype asked = w.dialogs.messages.size();
        w.window.close();
        QCOMPARE(w.dialogs.messages.size(), asked); // nothing listed, nothing asked
        QCOMPARE(closed.count(), 2);
        QVERIFY(w.window.Subject->text().isEmpty());
        QVERIFY(w.window.HideMouse->isChecked());
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void enterRunsAndEscShowsThePointer()
    {
        Window w;
        w.window.Subject->setFocus();
        QTest::keyClick(w.window.Subject, Qt::Key_Return);
        QVERIFY(w.dialogs.messages.isEmpty()); // nothing listed: Run does nothing

        w.addCluster(u"/data/A.box"_s);
        w.window.clusters->setFocus();
        QTest::keyClick(w.window.clusters, Qt::Key_Return);
        auto message = w.onlyMessage();
        QVERIFY(message);
        QCOMPARE(message->title, u"Run Experiment"_s);
        QCOMPARE(message->text, u"Please enter a subject name."_s);
        QCOMPARE(message->icon, MessageIcon::Information);
        QVERIFY(w.window.Subject->hasFocus());

        w.pointer.hide();
        QTest::keyClick(w.window.Subject, Qt::Key_Escape);
        QVERIFY(w.pointer.visible());
        QCOMPARE(w.pointer.count(), 0);
    }

    void pointerCounterStaysTrueAfterClicksAndRuns()
    {
        Window w;
        w.writeClusters();
        w.addCluster(w.a());
        // Showing a visible pointer again would keep the next hide from hiding it.
        for (int i = 0; i < 3; ++i) {
            w.clickRow(0);
            w.click(w.window.Command1);
        }
        QCOMPARE(w.pointer.count(), 0);

        // A refused run restores what it hid.
        w.addCluster(w.folder.path(u"gone.box"_s));
        w.run(u"anna"_s);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.pointer.count(), 0);
        w.window.clusters->clear();
        w.addCluster(w.a());

        // No to overwriting: the pointer comes back, the earlier file stays. Every
        // question and message of the run comes with the pointer.
        QList<bool> pointerWithMessage;
        w.dialogs.whileShown = [&] { pointerWithMessage.append(w.pointer.visible()); };
        writeBytes(w.folder.path(u"anna.bof"_s), "earlier\r\n");
        w.dialogs.answers = {Answer::No};
        w.run(u"anna"_s);
        QCOMPARE(w.pointer.count(), 0);
        QVERIFY(w.window.Subject->hasFocus());

        // Hidden during the run, shown after it, also after Esc.
        QList<bool> hiddenDuringRun;
        TrialAutopilot pilot(w.folder.program, [&] {
            TrialScreen *screen = TrialAutopilot::shownTrialScreen();
            if (screen)
                hiddenDuringRun.append(!w.pointer.visible());
            return screen;
        });
        w.dialogs.answers = {Answer::Yes};
        w.run(u"anna"_s);
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
        QVERIFY(!hiddenDuringRun.isEmpty() && !hiddenDuringRun.contains(false));
        QCOMPARE(w.pointer.count(), 0);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);

        pilot.escapeNow = [] { return true; };
        w.dialogs.answers = {Answer::Yes, Answer::No, Answer::Yes};
        w.run(u"anna"_s);
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Escaped);
        QCOMPARE(w.pointer.count(), 0);
        // Overwrite, End the session? twice, and a summary after each of the three runs.
        QCOMPARE(pointerWithMessage, QList<bool>(7, true));

        // Unchecked, the run never hides it.
        hiddenDuringRun.clear();
        pilot.escapeNow = [] { return false; };
        w.window.HideMouse->setChecked(false);
        w.dialogs.answers = {Answer::Yes};
        w.run(u"anna"_s);
        QVERIFY(!hiddenDuringRun.isEmpty() && !hiddenDuringRun.contains(true));
        QCOMPARE(w.pointer.count(), 0);

        // Without a touch screen a hidden pointer leaves a mouse user clicking blind: the
        // run asks once, before anything else; No keeps the pointer, Yes hides it.
        w.touchScreen = false;
        w.window.HideMouse->setChecked(true);
        for (const Answer hide : {Answer::No, Answer::Yes}) {
            hiddenDuringRun.clear();
            const qsizetype before = w.dialogs.messages.size();
            w.dialogs.answers = {hide, Answer::Yes};
            w.run(u"anna"_s);
            QCOMPARE(w.dialogs.messages.at(before).text, u"No touch screen found: hide the pointer anyway?"_s);
            QCOMPARE(w.dialogs.messages.at(before).defaultAnswer, Answer::No);
            QVERIFY(w.dialogs.messages.at(before + 1).text.contains(u"anna.bof"_s)); // the overwrite question
            QCOMPARE(w.dialogs.messages.size(), before + 3);
            QVERIFY(!hiddenDuringRun.isEmpty());
            QCOMPARE(hiddenDuringRun.contains(false), hide == Answer::No);
            QCOMPARE(hiddenDuringRun.contains(true), hide == Answer::Yes);
            QCOMPARE(w.pointer.count(), 0);
        }
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void refusedRunsTouchNothing()
    {
        Window w;
        w.writeClusters();
        setTrial(w.folder.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        w.folder.program.Cluster.Trials[0].TargetNumberText.clear();
        w.folder.saveCluster(u"notarget.box"_s);
        w.folder.saveCluster(u"pilot.box"_s); // its result file is pilot.bof
        setTrial(w.folder.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        w.folder.saveCluster(u"pilot.box"_s);
        writeBytes(w.folder.path(u"anna.bof"_s), "anna's earlier data\r\n");
        writeBytes(w.folder.path(u"pilot.bof"_s), "pilot's cluster results\r\n");

        struct Case
        {
            QStringList entries;
            QString subject;
            QString expected;   // a text the one message must hold
            bool subjectFocused;
        };
        const QList<Case> cases = {
            {{w.a()}, u"anna/../anna"_s, u"path separator"_s, true},
            {{w.a()}, u"anna\t"_s, u"control character"_s, true},
            {{w.a()}, u" anna"_s, u"blank"_s, true},
            {{w.a()}, u".."_s, u"folders"_s, true},
            {{w.a()}, u"\u0101nna"_s, u"Windows-1252"_s, true},
            {{u"Message: Rest"_s}, u"anna"_s, u"No cluster is listed"_s, false},
            {{w.a(), w.folder.path(u"gone.box"_s)}, u"anna"_s, w.folder.path(u"gone.box"_s), false},
            {{w.a(), w.folder.path(u"notarget.box"_s)}, u"anna"_s, u"notarget.box: trial 1: no target"_s, false},
            {{w.folder.path(u"pilot.box"_s)}, u"pilot"_s, w.folder.path(u"pilot.bof"_s), false},
            // The subject's event log is checked with the subject file.
            {{w.a()}, u"logged"_s, w.folder.path(u"logged.events.csv: it is not a file"_s), false},
        };
        QVERIFY(QDir().mkdir(w.folder.path(u"logged.events.csv"_s)));
        for (const Case &c : cases) {
            w.window.clusters->clear();
            w.window.clusters->addItems(c.entries);
            w.dialogs.messages.clear();
            w.window.btnRunExp->setFocus();
            w.run(c.subject);
            const auto message = w.onlyMessage();
            QVERIFY2(message, qPrintable(c.expected));
            QCOMPARE(message->title, u"Run Experiment"_s);
            QCOMPARE(message->icon, MessageIcon::Critical);
            QVERIFY2(message->text.contains(c.expected), qPrintable(message->text));
            QCOMPARE(w.window.Subject->hasFocus(), c.subjectFocused);
            QCOMPARE(w.pointer.count(), 0);
        }
        QVERIFY(!TrialAutopilot::shownTrialScreen());
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), QByteArray("anna's earlier data\r\n"));
        QCOMPARE(readBytes(w.folder.path(u"pilot.bof"_s)), QByteArray("pilot's cluster results\r\n"));
        QCOMPARE(QDir(w.folder.dir.path()).entryList({u"*.bof"_s}), (QStringList{u"anna.bof"_s, u"pilot.bof"_s}));
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void overwriteQuestionDefaultsToNo()
    {
        Window w;
        w.writeClusters();
        w.addCluster(w.a());
        writeBytes(w.folder.path(u"anna.bof"_s), "earlier\r\n");
        w.dialogs.answers = {Answer::No};
        w.run(u"anna"_s);
        const auto question = w.onlyMessage();
        QVERIFY(question);
        QCOMPARE(question->title, u"Save"_s);
        QCOMPARE(question->text, w.folder.path(u"anna.bof"_s) + u" already exists. Would you like to overwrite it?"_s);
        // No keeps the file and asks for another name; Cancel only stops.
        QCOMPARE(question->buttons, MessageButtons::YesNoCancel);
        QCOMPARE(question->defaultAnswer, Answer::No);
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), QByteArray("earlier\r\n"));
        QVERIFY(w.window.Subject->hasFocus());
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Running);
        w.dialogs.answers = {Answer::Cancel};
        w.click(w.window.btnRunExp);
        QCOMPARE(w.dialogs.messages.size(), 2);
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), QByteArray("earlier\r\n"));
        QVERIFY(!w.window.Subject->hasFocus());
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Running);
    }

    void aRunClusterResultIsNotReplacedBySurprise()
    {
        Window w;
        w.writeClusters();
        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        QString said;
        QTextStream errors(&said);
        QCOMPARE(runClusterCommand(w.folder.program, {w.dialogs, *w.folder.store, w.targetSound, w.clickSound, w.pointer},
                                   w.a(), errors, TrialClock::Drive::Manual),
                 0);
        const QString clusterResult = w.folder.path(u"A.bof"_s);
        const QByteArray pilotsTrials = readBytes(clusterResult);
        QVERIFY(pilotsTrials.contains("\tA.box\t"));
        w.dialogs.messages.clear();

        // The experiment names the one result it would replace, and keeping it starts nothing.
        w.addCluster(w.a());
        w.addCluster(w.b());
        w.dialogs.answers = {Answer::No};
        w.run(u"anna"_s);
        const auto question = w.onlyMessage();
        QVERIFY(question);
        QCOMPARE(question->title, u"Run Experiment"_s);
        QVERIFY2(question->text.contains(u"\n  "_s + clusterResult + u'\n'), qPrintable(question->text));
        QVERIFY(!question->text.contains(u"B.bof"_s));
        QCOMPARE(question->buttons, MessageButtons::YesNo);
        QCOMPARE(question->defaultAnswer, Answer::No);
        QCOMPARE(readBytes(clusterResult), pilotsTrials);
        QVERIFY(!QFile::exists(w.folder.path(u"anna.bof"_s)));
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Running);

        // Replaced on Yes; from then on the copies are the experiment's own, and the
        // next subjects run without a question.
        w.dialogs.answers = {Answer::Yes};
        w.run(u"anna"_s);
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
        for (const QString &subject : {u"bert"_s, u"carla"_s}) {
            w.dialogs.messages.clear();
            w.run(subject);
            QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
            QCOMPARE(w.dialogs.messages.size(), 1);
            QVERIFY(w.dialogs.messages.first().text.startsWith(u"Subject: "_s + subject));
            QCOMPARE(readBytes(w.folder.path(subject + u".bof"_s)), w.subjectFileOfAB(subject.toLatin1()));
        }
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void twoClustersAndAMessageRunEndToEnd()
    {
        Window w;
        w.writeClusters();
        w.addMessage(u"Rest"_s);
        w.addCluster(w.a());
        w.addCluster(w.b());
        w.addMessage(u"never shown"_s);
        w.window.Subject->setText(u"anna"_s);
        QCOMPARE(w.window.ResultFile->text(), w.folder.path(u"anna.bof"_s));

        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        w.click(w.window.btnRunExp);
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
        QCOMPARE(pilot.startScreenMessages, (QStringList{u" Rest"_s, u"(none)"_s}));
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), w.subjectFileOfAB("anna"));
        QVERIFY(w.folder.program.Run.WholeExperiment);
        // The researcher's word at the end.
        const auto summary = w.onlyMessage();
        QVERIFY(summary);
        QCOMPARE(summary->title, u"Run Experiment"_s);
        QVERIFY2(summary->text.startsWith(u"Subject: anna\nExperiment file: none (the list was not saved as it ran)\n"
                                          "Clusters completed: 2 of 2\nTrials completed: 3\nEnded: complete.\n"
                                          "Files written:\n  "_s + w.folder.path(u"anna.bof"_s)),
                 qPrintable(summary->text));
        QVERIFY(!TrialAutopilot::shownTrialScreen());
        // The window keeps its list and subject for the next run.
        QCOMPARE(w.window.clusters->count(), 4);
        QCOMPARE(w.window.Subject->text(), u"anna"_s);

        // Yes to overwriting: the file holds only the new run.
        pilot.startScreenMessages.clear();
        w.dialogs.answers = {Answer::Yes};
        w.click(w.window.btnRunExp);
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), w.subjectFileOfAB("anna"));
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void resultsGoToTheChosenFolder()
    {
        Window w;
        w.writeClusters();
        w.addCluster(w.a());
        w.addCluster(w.b());
        QDir(w.folder.dir.path()).mkdir(u"results"_s);
        const QString results = w.folder.path(u"results"_s);
        w.dialogs.folders = {std::nullopt, results};
        w.click(w.window.resultsFolderButton);
        QCOMPARE(w.folder.store->read(u"Experiment"_s, u"ResultsFolder"_s), w.folder.dir.path());
        w.click(w.window.resultsFolderButton);
        QCOMPARE(w.dialogs.fileRequests.last().initialFolder, w.folder.dir.path());
        QCOMPARE(w.folder.store->read(u"Experiment"_s, u"ResultsFolder"_s), results);
        w.window.Subject->setText(u"Ren\u00e9e"_s);
        QCOMPARE(w.window.ResultFile->text(), results + u"/Ren\u00e9e.bof"_s);
        QCOMPARE(w.window.subjectResultFile(), results + u"/Ren\u00e9e.bof"_s);

        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        w.click(w.window.btnRunExp);
        QCOMPARE(readBytes(results + u"/Ren\u00e9e.bof"_s), w.subjectFileOfAB("Ren\xe9" "e"));
        QVERIFY(!QFile::exists(w.folder.path(u"Ren\u00e9e.bof"_s)));

        // Remembered for the next window.
        RunExp next(w.folder.program, {w.dialogs, *w.folder.store, w.targetSound, w.clickSound, w.pointer});
        QCOMPARE(next.ResultFile->text(), results + QDir::separator());
    }

    void checkReportsEveryProblemAtOnceAndTouchesNothing()
    {
        Window w;
        w.writeClusters();
        setTrial(w.folder.program.Cluster, 0, u"10"_s, u"2"_s, 1, {true});
        w.folder.program.Cluster.Trials[0].TargetNumberText.clear();
        w.folder.saveCluster(u"notarget.box"_s);
        QFile::remove(w.folder.path(u"click.wav"_s));
        // An experiment written on another computer, its clusters beside it.
        writeBytes(w.folder.path(u"windows.bex"_s),
                   "\"C:\\study\\B.box\"\r\n\"" + w.folder.path(u"notarget.box"_s).toLocal8Bit() + "\"\r\n");
        w.addCluster(w.a());
        QVERIFY(w.window.openExperimentFile(w.folder.path(u"windows.bex"_s)));
        w.window.Subject->setText(u"anna"_s);
        w.click(w.window.checkButton);
        auto message = w.onlyMessage();
        QVERIFY(message);
        QCOMPARE(message->title, u"Check"_s);
        QCOMPARE(message->icon, MessageIcon::Critical);
        QCOMPARE(message->text,
                 u"The experiment cannot be run:\n"_s
                 + u"C:\\study\\B.box: the cluster file does not exist (a file of that name lies beside the "
                   "experiment file: "_s + w.b() + u")\n"_s
                 + w.folder.path(u"notarget.box"_s) + u": trial 1: no target is set\n\nWarnings:\n"_s
                 + u"The sound "_s + w.folder.path(u"click.wav"_s)
                 + u" is missing: the subject hears nothing when any other box opens."_s);
        QVERIFY(!QFile::exists(w.folder.path(u"anna.bof"_s)));

        w.dialogs.messages.clear();
        w.window.clusters->clear();
        w.addCluster(w.a());
        writeBytes(w.folder.path(u"anna.bof"_s), "earlier\r\n");
        w.click(w.window.checkButton);
        message = w.onlyMessage();
        QVERIFY(message);
        QCOMPARE(message->icon, MessageIcon::Exclamation);
        QVERIFY(message->text.startsWith(u"The experiment can be run."_s));
        QVERIFY(message->text.contains(w.folder.path(u"anna.bof"_s) + u" already exists; Run will ask"_s));
        QCOMPARE(readBytes(w.folder.path(u"anna.bof"_s)), QByteArray("earlier\r\n"));

        // A missing sound does not refuse the run: it is said once, then the run goes on.
        w.dialogs.messages.clear();
        w.dialogs.answers = {Answer::Yes};
        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        w.click(w.window.btnRunExp);
        QCOMPARE(w.dialogs.messages.size(), 3); // the warning, the overwrite question, the summary
        QCOMPARE(w.dialogs.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(w.dialogs.messages[0].text.contains(u"click.wav"_s));
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
    }

    void ordersAreSavedBesideTheExperimentAndTheRunOrderIsLogged()
    {
        Window w;
        w.writeClusters();
        w.addCluster(w.a());
        w.click(w.window.ordersButton);
        const auto refused = w.onlyMessage();
        QVERIFY(refused);
        QCOMPARE(refused->text, u"Orders need at least two clusters in the list; it holds one."_s);
        QVERIFY(w.dialogs.choiceLists.isEmpty());

        w.dialogs.messages.clear();
        w.addMessage(u"Rest"_s);
        w.addCluster(w.b());
        w.dialogs.savePaths = {w.folder.path(u"study.bex"_s), w.folder.path(u"study.bex"_s)};
        w.click(w.window.SaveExp);
        // The orders are shown before anything is written; the message before B would
        // open the second order, and the preview says so.
        QString previewed;
        QString warned;
        bool nothingToKeepFirst = false;
        w.window.setOrdersPreviewRunner([&](OrdersPreviewDialog &preview) {
            previewed = preview.orderLines->toPlainText();
            warned = preview.previewWarnings->text();
            nothingToKeepFirst = !preview.instructionsFirst->isEnabled();
            return true;
        });
        w.dialogs.choices = {0};
        w.click(w.window.ordersButton);
        QCOMPARE(w.dialogs.choiceLists.last(), (QStringList{u"Balanced Latin square: 2 orders"_s,
                                                            u"All orders: 2 orders"_s, u"As listed: 1 order"_s}));
        QCOMPARE(previewed, u"1: A.box, \"Rest\", B.box\n2: \"Rest\", B.box, A.box"_s);
        QCOMPARE(warned, u"Order 2 begins with \"Rest\", a message written for the middle of the session."_s);
        QVERIFY(nothingToKeepFirst);
        QCOMPARE(w.dialogs.fileRequests.last().initialFolder, w.folder.dir.path());
        QCOMPARE(w.dialogs.fileRequests.last().proposedName, u"study.bex"_s);
        const QByteArray pathA = w.a().toLocal8Bit();
        const QByteArray pathB = w.b().toLocal8Bit();
        const QByteArray secondOrder = "\"Message: Rest\"\r\n\"" + pathB + "\"\r\n\"" + pathA + "\"\r\n";
        QCOMPARE(readBytes(w.folder.path(u"study-2.bex"_s)), secondOrder);
        QVERIFY(readBytes(w.folder.path(u"study-orders.csv"_s))
                    .startsWith("subject,order,file,cluster 1,cluster 2\r\n1,1,study-1.bex,A.box,B.box\r\n"
                                "2,2,study-2.bex,B.box,A.box\r\n3,1,"));
        auto saved = w.onlyMessage();
        QVERIFY(saved);
        QCOMPARE(saved->text, u"2 orders were saved in "_s + QDir::toNativeSeparators(w.folder.dir.path())
                                  + u": study-1.bex to study-2.bex and study-orders.csv."_s);

        // Subject 2 runs order 2 from its own file, and the log says which file that was.
        w.window.clusters->clear();
        QVERIFY(w.window.openExperimentFile(w.folder.path(u"study-2.bex"_s)));
        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        w.run(u"anna"_s);
        QCOMPARE(w.window.lastRunEnd(), RunEnd::Completed);
        QCOMPARE(pilot.startScreenMessages, (QStringList{u" Rest"_s, u"(none)"_s}));
        QList<QByteArray> log = readBytes(w.folder.path(u"anna.events.csv"_s)).split('\n');
        QCOMPARE(log[1], w.folder.path(u"study-2.bex"_s).toLocal8Bit() + ",,experiment,,,,,,\r");
        QVERIFY(log[2].startsWith(pathB + ",0,start,"));
        // A list changed since it was opened is no file's order: no file is named.
        w.addMessage(u"Thanks"_s);
        w.run(u"bert"_s);
        log = readBytes(w.folder.path(u"bert.events.csv"_s)).split('\n');
        QVERIFY2(log[1].startsWith(pathB + ",0,start,"), log[1].constData());

        // An earlier set is replaced only when the researcher says so.
        w.dialogs.messages.clear();
        w.dialogs.choices = {2, 2};
        w.dialogs.savePaths = {w.folder.path(u"study.bex"_s), w.folder.path(u"study.bex"_s)};
        w.dialogs.answers = {Answer::No, Answer::Yes};
        w.click(w.window.ordersButton);
        QCOMPARE(w.dialogs.messages.size(), 1);
        QCOMPARE(w.dialogs.messages[0].defaultAnswer, Answer::No);
        QVERIFY(w.dialogs.messages[0].text.contains(u"study-2.bex"_s));
        QCOMPARE(readBytes(w.folder.path(u"study-2.bex"_s)), secondOrder);
        w.click(w.window.ordersButton);
        QVERIFY(!QFile::exists(w.folder.path(u"study-2.bex"_s)));
        QCOMPARE(readBytes(w.folder.path(u"study-1.bex"_s)), secondOrder + "\"Message: Thanks\"\r\n");
        QVERIFY(w.dialogs.messages.last().text.contains(u"Removed from the earlier set of orders:"_s));

        // Instructions open every order unless the box is cleared; the preview follows
        // it, and Cancel writes nothing.
        QStringList shown;
        w.window.setOrdersPreviewRunner([&](OrdersPreviewDialog &preview) {
            shown.append(preview.orderLines->toPlainText());
            preview.instructionsFirst->click();
            shown.append(preview.orderLines->toPlainText());
            return false;
        });
        const qsizetype requests = w.dialogs.fileRequests.size();
        w.dialogs.choices = {0};
        w.click(w.window.ordersButton);
        QCOMPARE(shown, (QStringList{u"1: \"Rest\", B.box, A.box\n2: \"Rest\", A.box, B.box"_s,
                                     u"1: \"Rest\", B.box, A.box\n2: A.box, \"Rest\", B.box"_s}));
        QCOMPARE(w.dialogs.fileRequests.size(), requests);
        QCOMPARE(readBytes(w.folder.path(u"study-1.bex"_s)), secondOrder + "\"Message: Thanks\"\r\n");
        QVERIFY(w.dialogs.unexpected.isEmpty());
    }

    void aSubjectFileThatCannotBeWrittenStopsTheRunWithAMessage()
    {
        Window w;
        w.writeClusters();
        // While the overwrite question is open, the file becomes a folder: the check
        // passed, but the write fails.
        const QString subjectFile = w.folder.path(u"anna.bof"_s);
        writeBytes(subjectFile, "earlier\r\n");
        HookedDialogs dialogs(w.dialogs, [&] {
            QFile::remove(subjectFile);
            QDir().mkdir(subjectFile);
        });
        RunExp window(w.folder.program, {dialogs, *w.folder.store, w.targetSound, w.clickSound, w.pointer});
        window.launchSettings().touchScreenPresent = [] { return true; };
        window.clusters->addItem(w.a());
        window.Subject->setText(u"anna"_s);
        TrialAutopilot pilot(w.folder.program, &TrialAutopilot::shownTrialScreen);
        w.dialogs.answers = {Answer::Yes};
        window.btnRunExp_Click();
        QCOMPARE(w.dialogs.messages.size(), 2);
        const ShownMessage &failed = w.dialogs.messages[1];
        QCOMPARE(failed.title, u"Run Experiment"_s);
        QCOMPARE(failed.icon, MessageIcon::Critical);
        QVERIFY2(failed.text.startsWith(u"The experiment cannot be run:\n"_s), qPrintable(failed.text));
        QVERIFY2(failed.text.contains(subjectFile), qPrintable(failed.text));
        QCOMPARE(window.lastRunEnd(), RunEnd::Running);
        QVERIFY(pilot.startScreenMessages.isEmpty());
        QCOMPARE(w.pointer.count(), 0);
        QVERIFY(!QFile::exists(w.folder.path(u"A.bof"_s)));
    }
};

QTEST_MAIN(RunExpTest)
#include "tst_runexp.moc"
