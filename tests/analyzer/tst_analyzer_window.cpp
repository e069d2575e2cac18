#include "FileList.h"
#include "OutputPath.h"
#include "ResultText.h"
#include "ReportControls.h"
#include "ResultTableView.h"
#include "SearchCanvas.h"
#include "SearchDrawing.h"
#include "SearchViewer.h"
#include "frmMain.h"

#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kelvane;
using namespace kelvane::analyzer;
using namespace kelvane::analyzer::test;
using kelvane::test::ScriptedDialogs;

namespace {

const QByteArray titles = "Subject\tClusters\t1Trials\t1Boxes\t1Open\t1W_Err\t1B_err\t"
                          "1FeigenbaumStrategy\t1NormalizedLevenshtein\t\r\r\n";
// The titles of the longest row, the second file's two clusters.
const QByteArray twoClusterTitles = "Subject\tClusters\t1Trials\t1Boxes\t1Open\t1W_Err\t1B_err\t"
                                    "1FeigenbaumStrategy\t1NormalizedLevenshtein\t2Trials\t2Boxes\t"
                                    "2Open\t2W_Err\t2B_err\t2FeigenbaumStrategy\t"
                                    "2NormalizedLevenshtein\t\r\r\n";
const QByteArray workedRow = "a\t 1 \t 3 \t 4 \t3.000\t0.333\t4.000\t1.000\t0.7083\t\r\r\n";
const QByteArray twoClusterRow = "b\t 2 \t 2 \t 5 \t1.500\t0.000\t0.000\t0.000\t0.0000\t"
                                 " 1 \t 7 \t1.000\t0.000\t0.000\t0.000\t\t\r\r\n";
const QByteArray noClusterRow = "c\t 0 \t\r\r\n";

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Option buttons and check boxes take clicks on their indicator and text, not on the
// empty rest of their row.
void clickIndicator(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
}

void clearText(QLineEdit *edit)
{
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
}

bool computeEnabled(const frmMain &window)
{
    const bool button = window.cmdSave->isEnabled();
    const bool menu = window.mnuBewaar->isEnabled();
    if (button != menu)
        qWarning("button %d, menu %d", button, menu);
    return button && menu;
}

} // namespace

class AnalyzerWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    ScriptedDialogs *m_dialogs = nullptr;
    std::unique_ptr<ScriptedDialogs> m_dialogsOwner;
    std::unique_ptr<frmMain> m_window;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QStringList threeFiles() const
    {
        return {path(QStringLiteral("a.bof")), path(QStringLiteral("b.bof")), path(QStringLiteral("c.bof"))};
    }

    // Chooses files and an output file through the window's own buttons.
    void choose(const QStringList &files, const QString &output)
    {
        m_dialogs->openPathLists.push_back(files);
        click(m_window->Command1);
        clearText(m_window->txtOutputFile);
        QTest::keyClicks(m_window->txtOutputFile, output);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(KELVANE_ANALYZER_DATA "/worked.bof"), path(QStringLiteral("a.bof"))));
        QVERIFY(writeFile(path(QStringLiteral("b.bof")), resultFile({
                                                             {number(0), 5, 2, 2, " 1 2"},
                                                             {number(1), 5, 1, 1, " 1"},
                                                             {number(0), 7, 3, 1, " 3"},
                                                         })));
        QVERIFY(writeFile(path(QStringLiteral("c.bof")), headerLines()));
        QVERIFY(writeFile(path(QStringLiteral("broken.bof")), headerLines() + " 0 \tc\r\n"));
    }

    void init()
    {
        m_dialogsOwner = std::make_unique<ScriptedDialogs>();
        m_dialogs = m_dialogsOwner.get();
        m_window = std::make_unique<frmMain>(*m_dialogs);
        m_window->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        QVERIFY2(m_dialogs->unexpected.isEmpty(), qPrintable(m_dialogs->unexpected.join(u'\n')));
        m_window.reset();
        m_dialogsOwner.reset();
    }

    void startsAsDescribed()
    {
        frmMain &w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvane Analyzer"));
        QCOMPARE(w.pos(), QPoint(20, 20));
        QCOMPARE(w.UitvoerbestandlblTekst->text(), QStringLiteral("Output file:"));
        QVERIFY(w.txtOutputFile->text().isEmpty());
        QCOMPARE(w.cmdBlader->text(), QStringLiteral("&Browse"));
        QCOMPARE(w.Command1->text(), QStringLiteral("&Open file(s)"));
        QCOMPARE(w.cmdSave->text(), QStringLiteral("&Compute and save"));
        QVERIFY(w.cmdBlader->isEnabled());
        QVERIFY(w.Command1->isEnabled());
        QVERIFY(!w.cmdSave->isEnabled());
        QCOMPARE(w.optFile[0]->text(), QStringLiteral("Text file (Tab delimited)"));
        QCOMPARE(w.optFile[1]->text(), QStringLiteral("SPSS file"));
        QVERIFY(w.optFile[0]->isChecked());
        QVERIFY(!w.optFile[1]->isChecked());
        QCOMPARE(w.chkHeader->text(), QStringLiteral("Include variable names"));
        QVERIFY(w.chkHeader->isChecked());
        QVERIFY(w.chkHeader->isEnabled());
        QVERIFY(!w.runProgress->isVisible());
        QCOMPARE(w.filesLabel->text(), QStringLiteral("No result files chosen"));
        QCOMPARE(w.analysedFiles->count(), 0);
        QVERIFY(w.statusLabel->text().isEmpty());

        QCOMPARE(w.mnuBestand->title(), QStringLiteral("&File"));
        QCOMPARE(w.mnuBestand->actions(), (QList<QAction *>{w.mnuOpen, w.mnuUitvoer, w.mnuBewaar}));
        QCOMPARE(w.mnuOpen->text(), QStringLiteral("&Open file(s)"));
        QCOMPARE(w.mnuUitvoer->text(), QStringLiteral("&Select outputfile"));
        QCOMPARE(w.mnuBewaar->text(), QStringLiteral("&Compute and save"));
        QVERIFY(!w.mnuBewaar->isEnabled());
        QCOMPARE(w.mnuExtra->title(), QStringLiteral("&Extra"));
        QCOMPARE(w.mnuExtra->actions(), (QList<QAction *>{w.mnuAflsuiten, w.mnuInfo}));
        QCOMPARE(w.mnuAflsuiten->text(), QStringLiteral("&Exit"));
        QCOMPARE(w.mnuInfo->text(), QStringLiteral("&Info"));
    }

    void computeNeedsAnOutputFileAndTheOpenDialog()
    {
        frmMain &w = *m_window;
        // An output file alone is not enough.
        QTest::keyClicks(w.txtOutputFile, path(QStringLiteral("x.dat")));
        QVERIFY(!computeEnabled(w));
        // The open dialog counts as used even when it was cancelled.
        m_dialogs->openPathLists.push_back(std::nullopt);
        click(w.Command1);
        QVERIFY(computeEnabled(w));
        QCOMPARE(m_dialogs->fileRequests.last().filter, QStringLiteral("Kelvane output files (*.bof)|*.bof"));
        // Clearing the box disables both; typing again enables both.
        clearText(w.txtOutputFile);
        QVERIFY(!computeEnabled(w));
        QTest::keyClicks(w.txtOutputFile, QStringLiteral("y"));
        QVERIFY(computeEnabled(w));
    }

    void openingFirstThenTyping()
    {
        frmMain &w = *m_window;
        m_dialogs->openPathLists.push_back(QStringList{path(QStringLiteral("a.bof"))});
        w.mnuOpen->trigger();
        QVERIFY(!computeEnabled(w)); // no output file yet
        QCOMPARE(w.fileList(), QStringList{path(QStringLiteral("a.bof"))});
        QTest::keyClicks(w.txtOutputFile, QStringLiteral("o"));
        QVERIFY(computeEnabled(w));
    }

    void browseFillsTheOutputBox()
    {
        frmMain &w = *m_window;
        m_dialogs->savePaths.push_back(path(QStringLiteral("t.dat")));
        click(w.cmdBlader);
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("t.dat")));
        QCOMPARE(m_dialogs->fileRequests.last().title, QStringLiteral("Select outputfile"));
        QCOMPARE(m_dialogs->fileRequests.last().filter,
                 QStringLiteral("Tab delimited text files (*.dat)|*.dat|All files (*.*)|*.*"));

        // A cancelled dialog leaves the box as it was; with the SPSS choice the dialog
        // offers SPSS data files.
        clickIndicator(w.optFile[1]);
        QVERIFY(w.optFile[1]->isChecked());
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("t.sav")));
        m_dialogs->savePaths.push_back(std::nullopt);
        w.mnuUitvoer->trigger();
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("t.sav")));
        QCOMPARE(m_dialogs->fileRequests.last().filter,
                 QStringLiteral("SPSS data files (*.sav)|*.sav|All files (*.*)|*.*"));
    }

    void singleFileGivesTitlesAndOneRow()
    {
        const QString out = path(QStringLiteral("single.dat"));
        choose({path(QStringLiteral("a.bof"))}, out);
        QCOMPARE(m_window->filesLabel->text(), QStringLiteral("1 file chosen in %1").arg(m_dir.path()));
        QCOMPARE(m_window->analysedFiles->item(0)->text(), QStringLiteral("a.bof"));
        click(m_window->cmdSave);
        QCOMPARE(kelvane::test::readBytes(out), titles + workedRow);
        QVERIFY(m_window->cmdSave->isEnabled());
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void threeFilesInOrderTwiceOver()
    {
        frmMain &w = *m_window;
        const QString out = path(QStringLiteral("three.dat"));
        kelvane::test::writeBytes(out, "left over from before\r\n");
        choose(threeFiles(), out);
        QCOMPARE(w.fileList(), (QStringList{m_dir.path(), QStringLiteral("a.bof"), QStringLiteral("b.bof"),
                                            QStringLiteral("c.bof")}));
        // The window shows what was chosen.
        QCOMPARE(w.filesLabel->text(), QStringLiteral("3 files chosen in %1").arg(m_dir.path()));
        QCOMPARE(w.analysedFiles->count(), 3);
        QCOMPARE(w.analysedFiles->item(1)->text(), QStringLiteral("b.bof"));

        QApplication::processEvents();
        const QSize before = w.size();
        click(w.cmdSave);
        // The titles cover the longest row, here the second file's.
        const QByteArray expected = twoClusterTitles + workedRow + twoClusterRow + noClusterRow;
        QCOMPARE(kelvane::test::readBytes(out), expected);
        QVERIFY(!w.runProgress->isVisible());
        QCOMPARE(w.runProgress->value(), 3);
        // It says what it did, and has kept its size: no strip is left where the
        // progress bar was.
        QCOMPARE(w.statusLabel->text(),
                 QStringLiteral("Finished: 3 of 3 files analysed, 3 rows written to %1").arg(out));
        QVERIFY(w.statusLabel->isVisible());
        QApplication::processEvents();
        QCOMPARE(w.size(), before);

        // Again, through the menu: the same table, not a doubled one.
        w.mnuBewaar->trigger();
        QCOMPARE(kelvane::test::readBytes(out), expected);

        // Without variable names: data rows only; to another file, same selection.
        clickIndicator(w.chkHeader);
        QVERIFY(!w.chkHeader->isChecked());
        const QString plain = path(QStringLiteral("plain.dat"));
        clearText(w.txtOutputFile);
        QTest::keyClicks(w.txtOutputFile, plain);
        click(w.cmdSave);
        QCOMPARE(kelvane::test::readBytes(plain), workedRow + twoClusterRow + noClusterRow);
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    // A result file double-clicked on the desktop arrives as a relative or absolute
    // path on the command line; files from two folders keep their order.
    void tidyTablesBesideTheTable()
    {
        frmMain &w = *m_window;
        QVERIFY(!w.tidyFolderEdit->isEnabled());
        QVERIFY(!w.tidyFolderButton->isEnabled());
        const QString out = path(QStringLiteral("with-tidy.dat"));
        choose({path(QStringLiteral("a.bof")), path(QStringLiteral("b.bof"))}, out);
        clickIndicator(w.tidyCheck);
        QVERIFY(w.tidyFolderEdit->isEnabled());

        // Without a folder the dialog asks for one; cancelling it computes nothing.
        m_dialogs->folders.push_back(std::nullopt);
        click(w.cmdSave);
        QVERIFY(!QFile::exists(out));
        QVERIFY(w.cmdSave->isEnabled());

        const QString folder = path(QStringLiteral("tidy-window"));
        m_dialogs->folders.push_back(folder);
        click(w.cmdSave);
        QCOMPARE(w.tidyFolderEdit->text(), folder);
        QCOMPARE(kelvane::test::readBytes(out), twoClusterTitles + workedRow + twoClusterRow);
        // Two clusters of b and one of a; the rows follow the files' order.
        const QByteArray clusters = kelvane::test::readBytes(folder + QStringLiteral("/clusters.csv"));
        QCOMPARE(clusters.count("\r\n"), 1 + 3);
        QVERIFY(clusters.contains("\r\na,1,cluster1.box,3,4,3.000,0.333,4.000,1.000,0.7083,"));
        QVERIFY(QFile::exists(folder + QStringLiteral("/datapackage.json")));
        QVERIFY2(w.statusLabel->text().endsWith(QStringLiteral("; tidy tables written to %1").arg(folder)),
                 qPrintable(w.statusLabel->text()));

        // The folder dialog opens where the tables went last.
        clearText(w.tidyFolderEdit);
        m_dialogs->folders.push_back(std::nullopt);
        click(w.tidyFolderButton);
        QCOMPARE(m_dialogs->fileRequests.last().initialFolder, folder);

        // Typed as in a terminal: "~" is the home folder, not a folder of that name.
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", m_dir.path().toLocal8Bit());
        QTest::keyClicks(w.tidyFolderEdit, QStringLiteral("~/tidy-typed"));
        clearText(w.txtOutputFile);
        QTest::keyClicks(w.txtOutputFile, QStringLiteral("~/typed"));
        click(w.cmdSave);
        qputenv("HOME", home);
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("typed.dat")));
        QVERIFY(QFile::exists(path(QStringLiteral("typed.dat"))));
        QVERIFY(QFile::exists(path(QStringLiteral("tidy-typed/levels.csv"))));
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void filesNamedOnTheCommandLine()
    {
        frmMain &w = *m_window;
        QDir(m_dir.path()).mkdir(QStringLiteral("other"));
        const QString other = path(QStringLiteral("other/b.bof"));
        QVERIFY(QFile::copy(path(QStringLiteral("b.bof")), other));
        const QString oldCurrent = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        w.chooseFiles({QStringLiteral("a.bof"), other});
        QDir::setCurrent(oldCurrent);
        QCOMPARE(w.analysedFiles->count(), 2);
        QCOMPARE(w.analysedFiles->item(1)->text(), QStringLiteral("b.bof"));
        QVERIFY(!computeEnabled(w));

        const QString out = path(QStringLiteral("from-command-line.dat"));
        QTest::keyClicks(w.txtOutputFile, out);
        QVERIFY(computeEnabled(w));
        click(w.cmdSave);
        QCOMPARE(kelvane::test::readBytes(out), twoClusterTitles + workedRow + twoClusterRow);
        QVERIFY(m_dialogs->messages.isEmpty());
    }

    void spssFileAlwaysNamesItsVariables()
    {
        frmMain &w = *m_window;
        QTest::keyClicks(w.txtOutputFile, path(QStringLiteral("m.dat")));
        clickIndicator(w.optFile[1]);
        QVERIFY(!w.chkHeader->isEnabled());
        // The output name follows the kind of file.
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("m.sav")));
        clickIndicator(w.optFile[0]);
        QVERIFY(w.chkHeader->isEnabled());
        QVERIFY(w.chkHeader->isChecked());
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("m.dat")));
    }

    void typedNameWithoutExtensionGetsOne()
    {
        frmMain &w = *m_window;
        choose({path(QStringLiteral("a.bof"))}, path(QStringLiteral("typed")));
        click(w.cmdSave);
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("typed.dat")));
        QCOMPARE(kelvane::test::readBytes(path(QStringLiteral("typed.dat"))), titles + workedRow);
        QVERIFY(!QFile::exists(path(QStringLiteral("typed"))));

        clickIndicator(w.optFile[1]);
        clearText(w.txtOutputFile);
        QTest::keyClicks(w.txtOutputFile, path(QStringLiteral("typed")));
        click(w.cmdSave);
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("typed.sav")));
        QCOMPARE(kelvane::test::readBytes(path(QStringLiteral("typed.sav"))).left(4), QByteArray("$FL2"));
        QVERIFY(w.statusLabel->text().contains(QStringLiteral("1 cases written to ")));

        // A name with an extension of its own keeps it.
        clearText(w.txtOutputFile);
        QTest::keyClicks(w.txtOutputFile, path(QStringLiteral("measures.v2")));
        click(w.cmdSave);
        QCOMPARE(w.txtOutputFile->text(), path(QStringLiteral("measures.v2")));
        QVERIFY(QFile::exists(path(QStringLiteral("measures.v2"))));
    }

    void outputPathExtensions()
    {
        QCOMPARE(outputPathWithExtension(QStringLiteral("/d/out"), false), QStringLiteral("/d/out.dat"));
        QCOMPARE(outputPathWithExtension(QStringLiteral("/d/out."), true), QStringLiteral("/d/out.sav"));
        QCOMPARE(outputPathWithExtension(QStringLiteral("/d/out.txt"), true), QStringLiteral("/d/out.txt"));
        QCOMPARE(outputPathWithExtension(m_dir.path(), false), m_dir.path());
        QCOMPARE(outputPathWithExtension(QString(), false), QString());
        QCOMPARE(outputPathForKind(QStringLiteral("/d/a.DAT"), true), QStringLiteral("/d/a.sav"));
        QCOMPARE(outputPathForKind(QStringLiteral("/d/a.sav"), false), QStringLiteral("/d/a.dat"));
        QCOMPARE(outputPathForKind(QStringLiteral("/d/a.txt"), true), QStringLiteral("/d/a.txt"));
        QCOMPARE(outputPathForKind(QStringLiteral("/d/a.dat"), false), QStringLiteral("/d/a.dat"));
    }

    void commandLineWritesWhatTheWindowWrites()
    {
        m_window->setLocale(QLocale());
        for (const bool spss : {false, true}) {
            const QString fromWindow = path(spss ? QStringLiteral("w.sav") : QStringLiteral("w.dat"));
            const QString fromCommand = path(spss ? QStringLiteral("c.sav") : QStringLiteral("c.dat"));
            if (spss)
                clickIndicator(m_window->optFile[1]);
            choose(threeFiles(), fromWindow);
            click(m_window->cmdSave);

            QStringList arguments{QStringLiteral("-o"), fromCommand};
            if (spss)
                arguments.prepend(QStringLiteral("--sav"));
            QProcess process;
            process.start(QStringLiteral(KELVANE_ANALYZE_PROGRAM), arguments + threeFiles());
            QVERIFY(process.waitForFinished(30000));
            QCOMPARE(process.exitCode(), 0);
            const QByteArray windowBytes = kelvane::test::readBytes(fromWindow);
            QVERIFY(!windowBytes.isEmpty());
            if (spss) {
                // The header record stamps the creation date and time (17 bytes from
                // offset 104); everything else must agree.
                const QByteArray commandBytes = kelvane::test::readBytes(fromCommand);
                QCOMPARE(windowBytes.left(4), QByteArray("$FL2"));
                QCOMPARE(windowBytes.size(), commandBytes.size());
                QCOMPARE(windowBytes.left(104), commandBytes.left(104));
                QCOMPARE(windowBytes.mid(121), commandBytes.mid(121));
            } else {
                QCOMPARE(windowBytes, kelvane::test::readBytes(fromCommand));
            }
        }
    }

    void skippedFilesAreListedAtTheEnd()
    {
        const QString out = path(QStringLiteral("partial.dat"));
        choose({path(QStringLiteral("broken.bof")), path(QStringLiteral("a.bof")),
                path(QStringLiteral("missing.bof"))},
               out);
        click(m_window->cmdSave);
        QCOMPARE(kelvane::test::readBytes(out), titles + workedRow);
        QCOMPARE(m_dialogs->messages.size(), 1);
        const kelvane::test::ShownMessage &shown = m_dialogs->messages.first();
        QCOMPARE(shown.icon, MessageIcon::Exclamation);
        QVERIFY(shown.text.contains(QStringLiteral("2 of 3 files")));
        QVERIFY2(shown.text.contains(path(QStringLiteral("broken.bof")) + QStringLiteral(", line 3: ")),
                 qPrintable(shown.text));
        QVERIFY(shown.text.contains(path(QStringLiteral("missing.bof")) + QStringLiteral(": ")));
        QVERIFY(m_window->cmdSave->isEnabled());
    }

    void unwritableOutputIsNamed()
    {
        const QString out = path(QStringLiteral("no folder/out.dat"));
        choose({path(QStringLiteral("a.bof"))}, out);
        click(m_window->cmdSave);
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().icon, MessageIcon::Critical);
        QVERIFY(m_dialogs->messages.first().text.contains(out));
        QVERIFY(!QFile::exists(out));
        QVERIFY(m_window->cmdSave->isEnabled());
        QVERIFY(m_window->statusLabel->text().startsWith(QStringLiteral("Not finished")));
    }

    void atMost199FilesAtATime()
    {
        choose({path(QStringLiteral("a.bof"))}, path(QStringLiteral("o.dat")));
        QStringList many;
        for (int i = 0; i < 200; ++i)
            many.append(path(QStringLiteral("s%1.bof").arg(i)));
        m_dialogs->openPathLists.push_back(many);
        click(m_window->Command1);
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY(m_dialogs->messages.first().text.contains(QStringLiteral("kelvane-analyze")));
        QCOMPARE(m_window->fileList(), QStringList{path(QStringLiteral("a.bof"))});

        many.removeLast();
        m_dialogs->openPathLists.push_back(many);
        click(m_window->Command1);
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_window->fileList().size(), 200);
    }

    void infoAndExit()
    {
        m_window->mnuInfo->trigger();
        QCOMPARE(m_dialogs->messages.size(), 1);
        QCOMPARE(m_dialogs->messages.first().title, QStringLiteral("Info"));
        QCOMPARE(m_dialogs->messages.first().icon, MessageIcon::Information);
        const QStringList lines = m_dialogs->messages.first().text.split(u'\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[0], QStringLiteral("Kelvane Analyzer"));
        QVERIFY(lines[1].isEmpty());
        // The same version as the programs' --version and the package.
        QCOMPARE(lines[5], QStringLiteral("Version " KELVANE_PROJECT_VERSION));

        m_window->mnuAflsuiten->trigger();
        QVERIFY(!m_window->isVisible());
    }

    void searchDrawingInksBoxesInsideTheSquareOnly()
    {
        // A wide image: the layout square is its middle 200 x 200 pixels.
        QImage image(300, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        const report::TrialLayout layout{{QPointF(0.1, 0.1), QPointF(0.7, 0.7), QPointF(0.96, 0.5)}};
        const report::DrawnSearch search{0, 3, 3, false, {{1, false, false, false}, {2, false, false, false},
                                                          {1, false, true, false}}};
        QPainter painter(&image);
        report::drawSearch(painter, image.rect(), layout, search);
        painter.end();
        const auto inked = [&](double x, double y) {
            return image.pixelColor(int(50 + x * 200), int(y * 200)) != QColor(Qt::white);
        };
        const double half = report::BoxSide / 2;
        QVERIFY(inked(0.1 + half, 0.1 + half));
        QVERIFY(inked(0.7 + half, 0.7 + half));
        // Nothing where no box stands and no step passes, nothing outside the square,
        // even of the box that reaches past its right edge.
        QVERIFY(!inked(0.5, 0.2));
        QVERIFY(!inked(0.2, 0.6));
        for (int y = 0; y < image.height(); ++y) {
            for (int x : {0, 30, 48, 252, 270, 299})
                QVERIFY2(image.pixelColor(x, y) == QColor(Qt::white), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }

    void computedRowsOpenTheSearchViewer()
    {
        frmMain &w = *m_window;
        QVERIFY(writeFile(path(QStringLiteral("cluster1.box")), fourCornerCluster(3)));
        QCOMPARE(w.tblResults->model()->rowCount(), 0);
        QVERIFY(!w.reportFrame->viewerButton->isEnabled());
        choose({path(QStringLiteral("b.bof")), path(QStringLiteral("a.bof"))}, path(QStringLiteral("view.dat")));
        click(w.cmdSave);
        QCOMPARE(w.tblResults->model()->rowCount(), 2);
        QCOMPARE(w.tblResults->model()->index(1, 6).data().toString(), QStringLiteral("4.000"));

        // Sorted by B_err, highest first: a's row comes to the top.
        w.tblResults->sortByColumn(6, Qt::DescendingOrder);
        const QModelIndex annasCluster = w.tblResults->model()->index(0, 4);
        QCOMPARE(annasCluster.siblingAtColumn(0).data().toString(), QStringLiteral("a"));
        w.tblResults->scrollTo(annasCluster);
        const QPoint cell = w.tblResults->visualRect(annasCluster).center();
        QTest::mouseClick(w.tblResults->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(w.tblResults->viewport(), Qt::LeftButton, {}, cell);
        SearchViewer *viewer = w.reportFrame->viewer();
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(viewer->subjectChoice->currentText(), QStringLiteral("a"));
        QCOMPARE(viewer->clusterChoice->currentIndex(), 0);
        QVERIFY(viewer->notesLabel->text().isEmpty());

        // The first search, clicks 1 3, drawn whole; the arrow keys take clicks back and
        // forth, never past either end, and the drawing follows.
        SearchCanvas *canvas = viewer->canvas;
        QCOMPARE(canvas->stepsShown(), 2);
        const QImage whole = canvas->grab().toImage();
        QTest::keyClick(canvas, Qt::Key_Left);
        QTest::keyClick(canvas, Qt::Key_Left);
        QTest::keyClick(canvas, Qt::Key_Left);
        QCOMPARE(canvas->stepsShown(), 0);
        QVERIFY(canvas->grab().toImage() != whole);
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Right);
        QCOMPARE(canvas->stepsShown(), 2);
        QCOMPARE(canvas->grab().toImage(), whole);

        click(viewer->nextButton);
        click(viewer->nextButton);
        QCOMPARE(viewer->trialIndex(), 2);
        QCOMPARE(canvas->stepsShown(), 4);
        QVERIFY(!viewer->nextButton->isEnabled());
        QVERIFY2(viewer->trialLabel->text().startsWith(QStringLiteral("Trial 2 (3 of 3), target 4, click 4 of 4")),
                 qPrintable(viewer->trialLabel->text()));
        click(viewer->previousButton);
        QCOMPARE(viewer->trialIndex(), 1);

        // b's trials had five boxes, not the four of the cluster file beside it.
        viewer->subjectChoice->setCurrentIndex(0);
        QCOMPARE(viewer->clusterChoice->count(), 2);
        QVERIFY2(viewer->notesLabel->text().startsWith(QStringLiteral("Box count mismatch: trial 0 has 5 boxes")),
                 qPrintable(viewer->notesLabel->text()));

        // The window's report of the same files.
        const QString pdf = path(QStringLiteral("window-report.pdf"));
        m_dialogs->savePaths.push_back(pdf);
        click(w.reportFrame->reportButton);
        QVERIFY(QFile::exists(pdf));
        QCOMPARE(m_dialogs->messages.size(), 1);
        QVERIFY2(m_dialogs->messages.first().text.contains(QStringLiteral("6 pages for 2 subjects")),
                 qPrintable(m_dialogs->messages.first().text));
        m_dialogs->messages.clear();
        QVERIFY(QFile::remove(path(QStringLiteral("cluster1.box"))));
    }

    void fileListEntries()
    {
        QCOMPARE(fileListFromSelection({}), QStringList());
        QCOMPARE(fileListFromSelection({QStringLiteral("/d/a.bof")}), QStringList{QStringLiteral("/d/a.bof")});
        const QStringList entries = fileListFromSelection(
            {QStringLiteral("/d/a.bof"), QStringLiteral("/d/b.bof"), QStringLiteral("/e/c.bof")});
        QCOMPARE(entries, (QStringList{QStringLiteral("/d"), QStringLiteral("a.bof"), QStringLiteral("b.bof"),
                                       QStringLiteral("../e/c.bof")}));
        QCOMPARE(filesToAnalyse(entries), (QStringList{QStringLiteral("/d/a.bof"), QStringLiteral("/d/b.bof"),
                                                       QStringLiteral("/d/../e/c.bof")}));
        QCOMPARE(filesToAnalyse({QStringLiteral("/"), QStringLiteral("x.bof")}), QStringList{QStringLiteral("/x.bof")});
    }
};

QTEST_MAIN(AnalyzerWindowTest)
#include "tst_analyzer_window.moc"
