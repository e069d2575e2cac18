// The editor window driven as a researcher drives it: clicks on buttons, tabs and
// menus, typing, drops on the layout, and the dialogs answered by script.

#include "EditorFixture.h"
#include "ReadOnlyFolder.h"
#include "TestFiles.h"
#include "TestIcons.h"

#include "kelvane/editor/NewStudyDialog.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/options/StoredSettings.h"

#include <QAccessible>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTest>
#include <QTimer>

using namespace kelvane;
using namespace kelvane::test;

Q_DECLARE_METATYPE(std::function<void(kelvane::test::EditorFixture &)>)

namespace {

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

void clickTab(QTabBar *tabs, int index)
{
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}

// Keys as the researcher presses them: to the widget that has the focus.
void pressKeys(BoxSettings &window, const QKeySequence &keys)
{
    window.activateWindow();
    QWidget *focus = QApplication::focusWidget();
    QTest::keySequence(focus && focus->window() == &window ? focus : static_cast<QWidget *>(&window), keys);
}

using Edit = std::function<void(EditorFixture &)>;

QStringList tabCaptions(const QTabBar *tabs)
{
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions.append(tabs->tabText(i));
    return captions;
}

QStringList menuCaptions(const QMenuBar *bar)
{
    QStringList captions;
    for (const QAction *menu : bar->actions()) {
        captions.append(menu->text());
        for (const QAction *item : menu->menu()->actions()) {
            if (!item->isSeparator())
                captions.append(QStringLiteral("  ") + item->text());
        }
    }
    return captions;
}

// Trial 1: box 1 closed and empty at (1200, 4800) from the second "Box" picture; box 2
// from the first at (3000, 3000) holding Content3.ico, the target. Trial 2 (time 25,
// red background): box 1 at (6000, 150) holding Content1.ico, the target; box 2 at
// (0, 0) that held Content2.ico and was made empty with the first "EmptyBox" picture.
void buildTwoTrials(EditorFixture &f)
{
    f.placeBox(1, {1200, 4800});
    f.placeBox(0, {3000, 3000});
    QVERIFY(f.dropOnBox(objectPicture(2), 2));
    f.rightClickBox(2);
    click(f.window->AddLayout);
    f.placeBox(3, {6000, 150});
    QVERIFY(f.dropOnBox(objectPicture(0), 1));
    f.placeBox(2, {0, 0});
    QVERIFY(f.dropOnBox(objectPicture(1), 2));
    QVERIFY(f.dropOnBox(openedBoxPicture(0), 2));
    f.rightClickBox(1);
    f.window->SSTab1->setCurrentIndex(1);
    typeInto(f.window->SSTab1->time->field(), QStringLiteral("25"));
    f.dialogs.colours = {255};
    f.window->SSTab1->setCurrentIndex(2);
    click(f.window->SSTab1->ChangeColor);
}

const QByteArray twoTrialFile =
    "2\r\n"
    "\"10\",\"Uw tijd is om.\",\"2\",\"Klik op START om te beginnen.\",\"Klik op START om door te gaan.\","
    "\"2\",\" 0\",\" 16777215\",\"85\",\" 2\","
    "\"Box2.ico\",\"EmptyBox2.ico\",\"leeg\",#TRUE#,\" .1714286\",\" .6857143\","
    "\"Box1.ico\",\"EmptyBox1.ico\",\"Content3.ico\",#FALSE#,\" .4285714\",\" .4285714\","
    "\"25\",\"Uw tijd is om.\",\"1\",\"Klik op START om te beginnen.\",\"Klik op START om door te gaan.\","
    "\"2\",\" 255\",\" 16777215\",\"85\",\" 2\","
    "\"Box4.ico\",\"EmptyBox4.ico\",\"Content1.ico\",#FALSE#,\" .8571429\",\" .02142857\","
    "\"Box3.ico\",\"EmptyBox1.ico\",\"Content2.ico\",#TRUE#,\" 0\",\" 0\","
    "\"Content1.ico\",\"Content2.ico\",\"Apple.ico\",\"Content4.ico\",\"Content5.ico\",\"Content6.ico\",";

} // namespace

class BoxSettingsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void firstStartShowsFirstRunSettings()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Settings[*]"));
        QCOMPARE(tabCaptions(w.Trials), QStringList{QStringLiteral("1")});
        QCOMPARE(w.SSTab1->TimeUpMessage->text(), QStringLiteral("Uw tijd is om."));
        QCOMPARE(w.SSTab1->StartMessage->text(), QStringLiteral("Klik op START om te beginnen."));
        QCOMPARE(w.SSTab1->EndMessage->text(), QStringLiteral("Klik op START om door te gaan."));
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("10"));
        QCOMPARE(w.SSTab1->CloseAfter->text(), QStringLiteral("2"));
        QCOMPARE(w.SSTab1->ScreenSize->text(), QStringLiteral("85"));
        QCOMPARE(w.SSTab1->ChangeColor->colour(), 0);
        QCOMPARE(w.SSTab1->ChangeForeColor->colour(), 16777215);
        QCOMPARE(w.Rows->DragBox->names(), firstRunObjectPictures());
        QCOMPARE(w.Rows->EmptyBox->names(), firstRunBoxPictures());
        QCOMPARE(w.Rows->EmptyIcon->names(), firstRunEmptyBoxPictures());
        QVERIFY(w.Rows->missingNames().isEmpty());
        QCOMPARE(f.store->read(QStringLiteral("Timing"), QStringLiteral("Time")), QStringLiteral("10"));
        QCOMPARE(f.store->read(QStringLiteral("EmptyIcons"), QStringLiteral("4")), QStringLiteral("EmptyBox4.ico"));
        QVERIFY(f.program.ClusterSaved);
        QVERIFY(f.dialogs.messages.isEmpty());

        QCOMPARE(menuCaptions(w.menuBar()),
                 (QStringList{QStringLiteral("&File"), QStringLiteral("  Open Cluster"),
                              QStringLiteral("  Save Cluster"), QStringLiteral("  Clear Cluster"),
                              QStringLiteral("  New Study..."), QStringLiteral("  Exit Kelvane"), QStringLiteral("&Edit"),
                              QStringLiteral("  Undo"), QStringLiteral("  Redo"), QStringLiteral("&Run"),
                              QStringLiteral("  Experiment"), QStringLiteral("  Cluster"),
                              QStringLiteral("&Trial"), QStringLiteral("  Clear Trial"),
                              QStringLiteral("  Delete Trial"), QStringLiteral("  Add Trial"),
                              QStringLiteral("  Copy Trial"), QStringLiteral("  Random Layout"),
                              QStringLiteral("  Make Problem"), QStringLiteral("  Try Trial"), QStringLiteral("&Extra"),
                              QStringLiteral("  Options"), QStringLiteral("  Icon Editor")}));
        // Windows nobody has provided are not offered.
        QVERIFY(!w.mnuRunExperiment->isEnabled());
        QVERIFY(!w.mnuOptions->isEnabled());
        QVERIFY(!w.mnuiconEdit->isEnabled());
        for (QPushButton *button : {w.CopyTrial, w.AddLayout, w.Runtrial, w.SaveBoxFile, w.OpenBoxFile})
            QCOMPARE(button->accessibleName(), button->text());
        QCOMPARE(w.Runtrial->text(), QStringLiteral("Run Cluster"));
    }

    void newStudyIsMadeFromTheDialog()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        const QString folder = f.path(QStringLiteral("study"));
        QString seed;
        QTimer::singleShot(0, &w, [&] {
            auto *dialog = w.findChild<NewStudyDialog *>();
            QVERIFY(dialog);
            seed = dialog->seed->text();
            // A folder typed without its whole path is refused, and "~" is the home folder.
            dialog->folder->setText(QStringLiteral("study"));
            click(dialog->buttons->button(QDialogButtonBox::Ok));
            dialog->folder->setText(QStringLiteral(" ~/study "));
            dialog->sizes->setText(QStringLiteral("3,40"));
            dialog->minDistance->setValue(4);
            click(dialog->buttons->button(QDialogButtonBox::Ok));
            QVERIFY(dialog->isVisible());
            QVERIFY(!QFileInfo::exists(folder));
            dialog->sizes->setText(QStringLiteral("5, 3"));
            dialog->minDistance->setValue(1.5);
            dialog->problems->setText(QStringLiteral("2"));
            dialog->language->setCurrentIndex(1);
            click(dialog->buttons->button(QDialogButtonBox::Ok));
        });
        const QByteArray home = qgetenv("HOME");
        qputenv("HOME", QFileInfo(folder).path().toLocal8Bit());
        w.newStudyAction->trigger();
        qputenv("HOME", home);
        QCOMPARE(f.dialogs.messages.size(), 3);
        QVERIFY(f.dialogs.messages[0].text.startsWith(QStringLiteral("Type the folder's whole path")));
        QVERIFY(!QFileInfo::exists(QStringLiteral("study")));
        f.dialogs.messages.removeFirst();
        QVERIFY2(f.dialogs.messages[0].text.startsWith(QStringLiteral("No study was made: 40 boxes of 480 twips")),
                 qPrintable(f.dialogs.messages[0].text));
        const QString made = folder + QStringLiteral("/STUDY.bex");
        QCOMPARE(f.dialogs.messages[1].text, QStringLiteral("The study is ready: %1 with 5 cluster files, seed %2.")
                                                 .arg(QDir::toNativeSeparators(made), seed));
        const QStringList entries = readExperimentFile(made).value();
        QCOMPARE(entries.size(), 7);
        QVERIFY(entries[0].startsWith(QStringLiteral("Message: Zoek in de dozen")));
        QVERIFY(entries[0].endsWith(QStringLiteral(" [seed %1]").arg(seed)));
        QCOMPARE(entries[3], QDir::toNativeSeparators(folder + QStringLiteral("/boxes3-1.box")));
        QCOMPARE(entries[6], QDir::toNativeSeparators(folder + QStringLiteral("/boxes5-2.box")));
    }

    void everyControlHasAnAccessibleName()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {600, 600});
        QStringList unnamed;
        for (QWidget *widget : w.findChildren<QWidget *>()) {
            const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QLineEdit *>(widget)
                                 || qobject_cast<QAbstractSpinBox *>(widget) || qobject_cast<QTabBar *>(widget)
                                 || qobject_cast<PictureWidget *>(widget) || widget->acceptDrops();
            // Parts of a spin box, a tab widget or the menu bar are named through their owner.
            if (!control || qobject_cast<QAbstractSpinBox *>(widget->parentWidget())
                || qobject_cast<QTabWidget *>(widget->parentWidget())
                || qobject_cast<QMenuBar *>(widget->parentWidget()))
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty())
                unnamed.append(QString::fromLatin1(widget->metaObject()->className()) + u' '
                               + widget->objectName());
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        QCOMPARE(w.TrialLayout->box(1)->accessibleName(), QStringLiteral("Box 1: Box1.ico"));
        QCOMPARE(w.Rows->EmptyIcon->picture(0)->accessibleName(),
                 QStringLiteral("Opened empty box picture 1: EmptyBox1.ico"));
    }

    void addTrialStartsFromTrialOne()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        w.SSTab1->setCurrentIndex(1);
        typeInto(w.SSTab1->time->field(), QStringLiteral("20"));
        QVERIFY(!f.program.ClusterSaved); // typing is a change
        f.placeBox(0, {700, 700});
        QVERIFY(f.dropOnBox(objectPicture(0), 1));
        f.rightClickBox(1);

        click(w.AddLayout);
        w.mnuAddLayout->trigger();
        QCOMPARE(tabCaptions(w.Trials), (QStringList{QStringLiteral("1"), QStringLiteral(" 2"), QStringLiteral(" 3")}));
        QCOMPARE(w.Trials->currentIndex(), 2);
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("20"));
        QVERIFY(w.Target->TargetNumberText->text().isEmpty());
        QVERIFY(w.Target->TargetIcon->fileName().isEmpty());
        QCOMPARE(w.TrialLayout->boxCount(), 0);
        QCOMPARE(f.program.Cluster.CountBoxes(2), 0);
        QCOMPARE(f.trial(2).time, QStringLiteral("20"));
        QVERIFY(f.trial(2).TargetNumberText.isEmpty());
    }

    void copyTrialCopiesBoxesTargetAndSettings()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        for (int k = 0; k < 5; ++k)
            f.placeBox(k % 4, {600 + k * 900, 1500});
        QVERIFY(f.dropOnBox(objectPicture(4), 3));
        f.rightClickBox(3);
        w.SSTab1->setCurrentIndex(0);
        typeInto(w.SSTab1->EndMessage, QStringLiteral("Goed zo."));
        click(w.AddLayout); // trial 2, then copy trial 1 from its tab
        clickTab(w.Trials, 0);
        click(w.CopyTrial);

        QCOMPARE(w.Trials->count(), 3);
        QCOMPARE(w.shownTrial(), 2);
        QCOMPARE(w.TrialLayout->boxCount(), 5);
        QCOMPARE(w.Target->TargetNumberText->text(), QStringLiteral("3"));
        QCOMPARE(w.Target->TargetIcon->fileName(), QStringLiteral("Content5.ico"));
        QVERIFY(w.TrialLayout->box(3)->isFramed());
        QCOMPARE(w.SSTab1->EndMessage->text(), QStringLiteral("Goed zo."));
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(f.program.Cluster.box(2, k), f.program.Cluster.box(0, k));
        QCOMPARE(f.trial(2), f.trial(0));
    }

    void deleteTrialMovesLaterTrialsWhole()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        // Trial t + 1 has 5 - t boxes, the last one holding an object and the target,
        // and the time 10 * (t + 1).
        for (int t = 0; t < 4; ++t) {
            if (t > 0)
                click(w.AddLayout);
            for (int k = 0; k < 5 - t; ++k)
                f.placeBox(k % 4, {k * 600, t * 600});
            QVERIFY(f.dropOnBox(objectPicture(t), 5 - t));
            f.rightClickBox(5 - t);
            typeInto(w.SSTab1->time->field(), QString::number(10 * (t + 1)));
        }
        const BoxRecord trial3Box1 = f.program.Cluster.box(2, 1);
        clickTab(w.Trials, 1);
        f.program.ClusterSaved = true;
        w.mnuDeleteTrial->trigger();
        QVERIFY(!f.program.ClusterSaved);
        QCOMPARE(tabCaptions(w.Trials), (QStringList{QStringLiteral("1"), QStringLiteral(" 2"), QStringLiteral(" 3")}));
        QCOMPARE(w.shownTrial(), 1);
        // Old trial 3 (3 boxes, target 3) is trial 2 now, and old trial 2's fourth box
        // is not left behind it.
        QCOMPARE(f.program.Cluster.CountBoxes(1), 3);
        QCOMPARE(f.program.Cluster.box(1, 4), BoxRecord{});
        QCOMPARE(f.program.Cluster.box(1, 1), trial3Box1);
        QCOMPARE(f.trial(1).time, QStringLiteral("30"));
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("30"));
        QCOMPARE(w.Target->TargetNumberText->text(), QStringLiteral("3"));
        QCOMPARE(w.TrialLayout->boxCount(), 3);
        QCOMPARE(f.program.Cluster.CountBoxes(2), 2);
        QCOMPARE(f.trial(2).time, QStringLiteral("40"));
        // The freed row at the end is really free: a new trial there is empty.
        click(w.AddLayout);
        QCOMPARE(w.shownTrial(), 3);
        QCOMPARE(f.program.Cluster.CountBoxes(3), 0);
        QCOMPARE(f.program.Cluster.box(3, 1), BoxRecord{});

        // Deleting the last trial shows the new last one, with its own layout.
        w.mnuDeleteTrial->trigger();
        QCOMPARE(w.Trials->count(), 3);
        QCOMPARE(w.shownTrial(), 2);
        QCOMPARE(w.Trials->currentIndex(), 2);
        QCOMPARE(w.TrialLayout->boxCount(), 2);
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("40"));

        // Down to the only trial, which is kept.
        w.mnuDeleteTrial->trigger();
        w.mnuDeleteTrial->trigger();
        QCOMPARE(f.program.Cluster.trialCount(), 1);
        QCOMPARE(f.trial(0).time, QStringLiteral("10"));
        f.dialogs.messages.clear();
        w.mnuDeleteTrial->trigger();
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Delete Trial"));
        QCOMPARE(f.dialogs.messages[0].text, QStringLiteral("Can't delete the only trial in a cluster!"));
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::None);
        QCOMPARE(f.program.Cluster.trialCount(), 1);
        QCOMPARE(w.TrialLayout->boxCount(), 5);
    }

    void clusterHoldsAtMost101Trials()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        for (int i = 0; i < 99; ++i)
            w.AddLayout_Click();
        w.selectTrial(0);
        click(w.CopyTrial);
        QCOMPARE(w.Trials->count(), 101);
        QCOMPARE(w.Trials->tabText(100), QStringLiteral(" 101"));
        QVERIFY(f.dialogs.messages.isEmpty());
        click(w.AddLayout);
        click(w.CopyTrial);
        QCOMPARE(f.dialogs.messages.size(), 2);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Add Trial"));
        QCOMPARE(f.dialogs.messages[1].title, QStringLiteral("Copy Trial"));
        QVERIFY(f.dialogs.messages[1].text.contains(QStringLiteral("101")));
        QCOMPARE(f.program.Cluster.trialCount(), 101);
        QCOMPARE(w.Trials->count(), 101);
        QCOMPARE(w.shownTrial(), 100);
        QCOMPARE(f.program.Cluster.CountBoxes(100), 1);
    }

    void clearTrialEmptiesOnlyTheShownLayout()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        QVERIFY(f.dropOnBox(objectPicture(0), 1));
        f.rightClickBox(1);
        typeInto(w.SSTab1->StartMessage, QStringLiteral("Eigen tekst"));
        click(w.AddLayout);
        f.placeBox(1, {900, 900});
        clickTab(w.Trials, 0);

        w.mnuClearLayout->trigger();
        QVERIFY(f.dialogs.messages.isEmpty()); // no question
        QCOMPARE(f.program.Cluster.CountBoxes(0), 0);
        QCOMPARE(f.program.Cluster.box(0, 1), BoxRecord{});
        QVERIFY(f.trial(0).TargetNumberText.isEmpty());
        QVERIFY(w.Target->TargetNumberText->text().isEmpty());
        QCOMPARE(w.TrialLayout->boxCount(), 0);
        // The trial keeps its own settings; trial 2 keeps its box.
        QCOMPARE(f.trial(0).StartMessage, QStringLiteral("Eigen tekst"));
        QCOMPARE(f.program.Cluster.CountBoxes(1), 1);
        QVERIFY(!f.program.ClusterSaved);
        // The cleared boxes do not come back.
        clickTab(w.Trials, 1);
        clickTab(w.Trials, 0);
        QCOMPARE(w.TrialLayout->boxCount(), 0);
    }

    void clearClusterAsksAndStartsAfresh()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        typeInto(w.SSTab1->StartMessage, QStringLiteral("Eigen tekst"));
        click(w.AddLayout);

        f.dialogs.answers = {Answer::Cancel};
        w.mnuClearCluster->trigger();
        QCOMPARE(f.program.Cluster.trialCount(), 2);
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Save Layout?"));
        QCOMPARE(f.dialogs.messages.last().text,
                 QStringLiteral("Current layout has not been saved. Would you like to save it now?"));
        QCOMPARE(f.dialogs.messages.last().buttons, MessageButtons::YesNoCancel);

        f.dialogs.answers = {Answer::No};
        w.mnuClearCluster->trigger();
        QCOMPARE(f.program.Cluster.trialCount(), 1);
        QCOMPARE(tabCaptions(w.Trials), QStringList{QStringLiteral("1")});
        QCOMPARE(f.program.Cluster.CountBoxes(0), 0);
        QCOMPARE(w.TrialLayout->boxCount(), 0);
        QCOMPARE(w.SSTab1->StartMessage->text(), QStringLiteral("Klik op START om te beginnen."));
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(w.windowTitle(), QStringLiteral("Settings[*]"));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void layoutBuiltByDropsIsSavedExactlyAndOpensAgain()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        writeTestIcon(f.icon(QStringLiteral("Apple.ico")), Qt::red);
        buildTwoTrials(f);
        f.dialogs.openPaths = {f.icon(QStringLiteral("Apple.ico"))};
        f.window->ChangeDragBoxIcon(2);

        f.dialogs.savePaths = {f.path(QStringLiteral("built"))};
        click(w.SaveBoxFile);
        QCOMPARE(readBytes(f.path(QStringLiteral("built.box"))), twoTrialFile);
        // Saved or opened, the title names the file alike; the folder is in the status bar.
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvane Settings - built.box[*]"));
        QCOMPARE(w.clusterFileLabel->text(), f.path(QStringLiteral("built.box")));
        QVERIFY(!w.isWindowModified());
        QVERIFY(f.program.ClusterSaved);
        // A cluster without a file leaves the start folder to the folder memory.
        QVERIFY(f.dialogs.fileRequests.last().initialFolder.isEmpty());

        // A fresh window, as at the next start, opens it again.
        const ClusterModel built = f.program.Cluster;
        f.open();
        QCOMPARE(f.window->Rows->DragBox->name(2), QStringLiteral("Content3.ico"));
        f.dialogs.openPaths = {f.path(QStringLiteral("built.box"))};
        f.window->mnuOpenTrial->trigger();
        BoxSettings &again = *f.window;
        QCOMPARE(again.windowTitle(), QStringLiteral("Kelvane Settings - built.box[*]"));
        QCOMPARE(again.clusterFileLabel->text(), f.path(QStringLiteral("built.box")));
        QCOMPARE(again.Rows->DragBox->name(2), QStringLiteral("Apple.ico"));
        QCOMPARE(tabCaptions(again.Trials), (QStringList{QStringLiteral("1"), QStringLiteral(" 2")}));
        QCOMPARE(again.shownTrial(), 0);
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(f.program.ClusterName, QStringLiteral("built.box"));
        for (int t = 0; t < 2; ++t) {
            QCOMPARE(f.trial(t), built.Trials[std::size_t(t)]);
            for (int k = 1; k <= 2; ++k) {
                // Seven digits of a fraction can bring a position back one twip smaller
                // (3000 comes back as 2999); the file format accepts that loss.
                BoxRecord read = f.program.Cluster.box(t, k);
                const BoxRecord &written = built.box(t, k);
                QVERIFY(written.Left - read.Left <= 1 && written.Left >= read.Left);
                QVERIFY(written.Top - read.Top <= 1 && written.Top >= read.Top);
                read.Left = written.Left;
                read.Top = written.Top;
                QCOMPARE(read, written);
            }
        }
        QCOMPARE(again.TrialLayout->boxCount(), 2);
        QCOMPARE(again.TrialLayout->box(2)->fileName(), QStringLiteral("Content3.ico"));
        QVERIFY(again.TrialLayout->box(2)->isFramed());
        QCOMPARE(again.TrialLayout->box(1)->toolTip(), QStringLiteral("1: 1200,4800"));
        QCOMPARE(again.Target->TargetNumberText->text(), QStringLiteral("2"));
        clickTab(again.Trials, 1);
        QCOMPARE(again.SSTab1->time->text(), QStringLiteral("25"));
        QCOMPARE(again.SSTab1->ChangeColor->colour(), 255);
        QCOMPARE(again.Target->TargetIcon->fileName(), QStringLiteral("Content1.ico"));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void fileNamedAtStartOpensAsOpenClusterWould()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        writeTestIcon(f.icon(QStringLiteral("Apple.ico")), Qt::red);
        const QString file = f.path(QStringLiteral("given.box"));
        writeBytes(file, twoTrialFile);

        QVERIFY(w.openClusterFile(file));
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvane Settings - given.box[*]"));
        QCOMPARE(f.program.ClusterFile, file);
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(tabCaptions(w.Trials), (QStringList{QStringLiteral("1"), QStringLiteral(" 2")}));
        QCOMPARE(w.Rows->DragBox->name(2), QStringLiteral("Apple.ico"));
        QCOMPARE(w.TrialLayout->boxCount(), 2);
        QCOMPARE(w.Target->TargetNumberText->text(), QStringLiteral("2"));
        QVERIFY(f.dialogs.fileRequests.isEmpty());
        QVERIFY(f.dialogs.messages.isEmpty());

        // Changes are asked about first; Cancel keeps them.
        f.placeBox(0, {0, 0});
        f.dialogs.answers = {Answer::Cancel};
        QVERIFY(!w.openClusterFile(file));
        QCOMPARE(w.TrialLayout->boxCount(), 3);

        // A file that is not there is named, and does not become the cluster's file.
        f.dialogs.answers = {Answer::No};
        const QString missing = f.path(QStringLiteral("gone.box"));
        QVERIFY(!w.openClusterFile(missing));
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Error"));
        QVERIFY2(f.dialogs.messages.last().text.contains(QStringLiteral("gone.box")),
                 qPrintable(f.dialogs.messages.last().text));
        QCOMPARE(f.program.ClusterFile, file);
        QVERIFY(!f.program.ClusterSaved);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void saveQuestionAtCloseHasThreeAnswers()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});

        // Cancel keeps the window and the changes.
        f.dialogs.answers = {Answer::Cancel};
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(!f.program.ClusterSaved);

        // Yes whose save does not happen (no target: the save refuses) keeps it too.
        f.dialogs.answers = {Answer::Yes};
        QVERIFY(!w.close());
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("No target set"));
        QVERIFY(w.isVisible());

        // Yes, a target, and a save that fails on disk: still open, nothing reported saved.
        QVERIFY(f.dropOnBox(objectPicture(0), 1));
        f.rightClickBox(1);
        f.dialogs.answers = {Answer::Yes};
        f.dialogs.savePaths = {f.path(QStringLiteral("no-such-folder/c.box"))};
        QVERIFY(!w.close());
        QCOMPARE(f.dialogs.messages.last().title, QStringLiteral("Error"));
        QVERIFY(!f.program.ClusterSaved);

        // Yes whose dialog is cancelled.
        f.dialogs.answers = {Answer::Yes};
        f.dialogs.savePaths = {std::nullopt};
        QVERIFY(!w.close());

        // Yes that saves closes the window.
        QSignalSpy ended(&w, &BoxSettings::programEnded);
        f.dialogs.answers = {Answer::Yes};
        f.dialogs.savePaths = {f.path(QStringLiteral("c.box"))};
        QVERIFY(w.close());
        QVERIFY(QFileInfo::exists(f.path(QStringLiteral("c.box"))));
        QCOMPARE(ended.size(), 1);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void tabClicksMarkNothingAndUndoingBackToTheSaveAsksNothing()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        buildTwoTrials(f);
        f.dialogs.savePaths = {f.path(QStringLiteral("c.box"))};
        click(w.SaveBoxFile);
        clickTab(w.Trials, 0);
        clickTab(w.Trials, 1);
        QVERIFY(f.program.ClusterSaved);

        f.placeBox(0, {5000, 5000});
        QVERIFY(!f.program.ClusterSaved);
        QCOMPARE(w.undoAction->text(), QStringLiteral("Undo Place Box 3"));
        pressKeys(w, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.program.Cluster.CountBoxes(1), 2);
        QVERIFY(f.program.ClusterSaved);
        QCOMPARE(w.redoAction->text(), QStringLiteral("Redo Place Box 3"));
        f.dialogs.messages.clear();
        w.mnuExitKelvane->trigger();
        QVERIFY(!w.isVisible());
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    // Every kind of edit, made as the researcher makes it on a saved cluster: undone by
    // key it gives back the saved file's bytes, redone by key the edited ones.
    void everyEditIsUndoneToTheSavedBytesAndRedone_data()
    {
        QTest::addColumn<Edit>("prepare");
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<QString>("undoText");
        const Edit nothing = [](EditorFixture &) {};
        // Trial 2 is shown: box 1 (the target) holds Content1.ico, box 2 is empty.
        QTest::newRow("place") << nothing << Edit([](EditorFixture &f) { f.placeBox(1, {4000, 4000}); })
                               << QStringLiteral("Undo Place Box 3");
        QTest::newRow("move") << nothing << Edit([](EditorFixture &f) { QVERIFY(f.dropAt(layoutBox(2), {3000, 6000})); })
                              << QStringLiteral("Undo Move Box 2");
        QTest::newRow("delete") << nothing << Edit([](EditorFixture &f) { QVERIFY(f.dropOnDelete(1)); })
                                << QStringLiteral("Undo Delete Box 1");
        QTest::newRow("object") << nothing << Edit([](EditorFixture &f) { QVERIFY(f.dropOnBox(objectPicture(5), 2)); })
                                << QStringLiteral("Undo Put Object in Box 2");
        QTest::newRow("empty the target")
            << nothing << Edit([](EditorFixture &f) { QVERIFY(f.dropOnBox(openedBoxPicture(3), 1)); })
            << QStringLiteral("Undo Empty Box 1");
        QTest::newRow("target") << Edit([](EditorFixture &f) { QVERIFY(f.dropOnBox(objectPicture(4), 2)); })
                                << Edit([](EditorFixture &f) { f.rightClickBox(2); })
                                << QStringLiteral("Undo Set Target to Box 2");
        QTest::newRow("clear trial") << nothing << Edit([](EditorFixture &f) { f.window->mnuClearLayout->trigger(); })
                                     << QStringLiteral("Undo Clear Trial 2");
        QTest::newRow("add") << nothing << Edit([](EditorFixture &f) { click(f.window->AddLayout); })
                             << QStringLiteral("Undo Add Trial");
        QTest::newRow("copy") << nothing << Edit([](EditorFixture &f) { f.window->mnuCopylayout->trigger(); })
                              << QStringLiteral("Undo Copy Trial 2");
        QTest::newRow("delete trial")
            << Edit([](EditorFixture &f) { clickTab(f.window->Trials, 0); })
            << Edit([](EditorFixture &f) { f.window->mnuDeleteTrial->trigger(); }) << QStringLiteral("Undo Delete Trial 1");
        QTest::newRow("clear cluster") << nothing << Edit([](EditorFixture &f) { f.window->mnuClearCluster->trigger(); })
                                       << QStringLiteral("Undo Clear Cluster");
        QTest::newRow("random layout") << nothing << Edit([](EditorFixture &f) { f.window->randomLayoutAction->trigger(); })
                                       << QStringLiteral("Undo Random Layout of Trial 2");
        QTest::newRow("make problem") << nothing << Edit([](EditorFixture &f) {
            f.window->makeProblemAction->trigger();
            // Two trials of the shown layout, the target's object in each box once.
            const ClusterModel &c = f.program.Cluster;
            QCOMPARE(c.trialCount(), 2);
            for (int t = 0; t < 2; ++t) {
                QCOMPARE(c.objectCount(t), 1);
                QCOMPARE(c.box(t, c.Trials[std::size_t(t)].TargetNumberText.toInt()).ContentFile,
                         QStringLiteral("Content1.ico"));
            }
            QVERIFY(c.Trials[0].TargetNumberText != c.Trials[1].TargetNumberText);
        }) << QStringLiteral("Undo Make Problem of Trial 2");
        QTest::newRow("typed") << nothing
                               << Edit([](EditorFixture &f) { typeInto(f.window->SSTab1->StartMessage, QStringLiteral("Zoek")); })
                               << QStringLiteral("Undo Change Start message");
        QTest::newRow("stepped") << nothing << Edit([](EditorFixture &f) {
            f.window->SSTab1->setCurrentIndex(1);
            f.window->SSTab1->CloseAfter->setFocus();
            QTest::keyClick(f.window->SSTab1->CloseAfter, Qt::Key_Up);
            QTest::keyClick(f.window->SSTab1->CloseAfter, Qt::Key_Up);
        }) << QStringLiteral("Undo Change Close boxes after");
        QTest::newRow("colour") << nothing << Edit([](EditorFixture &f) {
            f.dialogs.colours = {0x00FF00};
            f.window->SSTab1->setCurrentIndex(2);
            click(f.window->SSTab1->ChangeForeColor);
        }) << QStringLiteral("Undo Change Foreground Color");
        QTest::newRow("object picture") << nothing << Edit([](EditorFixture &f) {
            f.dialogs.openPaths = {f.icon(QStringLiteral("Box4.ico"))};
            QTest::mouseClick(f.window->Rows->DragBox->picture(3), Qt::RightButton);
        }) << QStringLiteral("Undo Replace Items Picture 4");
    }

    void everyEditIsUndoneToTheSavedBytesAndRedone()
    {
        QFETCH(Edit, prepare);
        QFETCH(Edit, edit);
        QFETCH(QString, undoText);
        EditorFixture f;
        BoxSettings &w = *f.window;
        buildTwoTrials(f);
        prepare(f);
        f.dialogs.savePaths = {f.path(QStringLiteral("c.box"))};
        QVERIFY(w.SaveCluster());
        const QByteArray saved = readBytes(f.path(QStringLiteral("c.box")));
        const int shown = w.shownTrial();

        edit(f);
        const QByteArray edited = clusterFileBytes(f.program.Cluster, w.Rows->DragBox->names());
        QVERIFY(edited != saved);
        QCOMPARE(w.undoAction->text(), undoText);
        // A cleared cluster counts as saved, and its undo brings back what is not.
        const bool cleared = undoText.endsWith(QStringLiteral("Clear Cluster"));
        QCOMPARE(f.program.ClusterSaved, cleared);

        pressKeys(w, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(clusterFileBytes(f.program.Cluster, w.Rows->DragBox->names()), saved);
        QCOMPARE(f.program.ClusterSaved, !cleared);
        QCOMPARE(w.shownTrial(), shown);
        QCOMPARE(w.Trials->count(), f.program.Cluster.trialCount());
        QCOMPARE(w.TrialLayout->boxCount(), f.program.Cluster.CountBoxes(shown));

        pressKeys(w, QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(clusterFileBytes(f.program.Cluster, w.Rows->DragBox->names()), edited);
        pressKeys(w, QKeySequence(Qt::CTRL | Qt::Key_Z));
        pressKeys(w, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(clusterFileBytes(f.program.Cluster, w.Rows->DragBox->names()), edited);
        QCOMPARE(f.program.ClusterSaved, cleared);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void theTitleShowsUnsavedWorkAndTheUndoStepsAreTheTypedOnes()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        buildTwoTrials(f);
        QVERIFY(w.isWindowModified());
        f.dialogs.savePaths = {f.path(QStringLiteral("c.box"))};
        QVERIFY(w.SaveCluster());
        const QByteArray saved = readBytes(f.path(QStringLiteral("c.box")));
        QCOMPARE(w.windowTitle(), QStringLiteral("Kelvane Settings - c.box[*]"));
        QVERIFY(!w.isWindowModified());

        // Choosing the colour a trial already has changes nothing: no step, no mark.
        const int steps = w.history().count();
        f.dialogs.colours = {w.SSTab1->ChangeColor->colour()};
        click(w.SSTab1->ChangeColor);
        QCOMPARE(w.history().count(), steps);
        QVERIFY(!w.isWindowModified());

        // Typing on in one setting is one step; each setting typed into after another
        // is a step of its own.
        w.SSTab1->setCurrentIndex(0);
        typeInto(w.SSTab1->StartMessage, QStringLiteral("Zoek"));
        QTest::keyClicks(w.SSTab1->StartMessage, QStringLiteral(" de appel"));
        QCOMPARE(w.history().count(), steps + 1);
        QVERIFY(w.isWindowModified());
        typeInto(w.SSTab1->EndMessage, QStringLiteral("Klaar"));
        typeInto(w.SSTab1->StartMessage, QStringLiteral("Zoek"));
        QCOMPARE(w.history().count(), steps + 3);
        for (int undo = 0; undo < 3; ++undo)
            w.undoAction->trigger();
        QCOMPARE(clusterFileBytes(f.program.Cluster, w.Rows->DragBox->names()), saved);
        QVERIFY(!w.isWindowModified());

        // Clear Cluster leaves a cluster without a file: with the clearing undone, Save
        // asks for a name instead of replacing c.box.
        w.mnuClearCluster->trigger();
        QCOMPARE(w.windowTitle(), QStringLiteral("Settings[*]"));
        QVERIFY(w.clusterFileLabel->text().isEmpty());
        w.undoAction->trigger();
        QVERIFY(w.isWindowModified());
        f.dialogs.savePaths = {std::nullopt};
        const qsizetype requests = f.dialogs.fileRequests.size();
        QVERIFY(!w.SaveCluster());
        QCOMPARE(f.dialogs.fileRequests.size(), requests + 1);
        QVERIFY(f.dialogs.fileRequests.last().proposedName.isEmpty());
        QCOMPARE(readBytes(f.path(QStringLiteral("c.box"))), saved);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void openCancelledByTheSaveQuestionChangesNothing()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        f.dialogs.answers = {Answer::Cancel};
        click(w.OpenBoxFile);
        QVERIFY(f.dialogs.fileRequests.isEmpty());
        QCOMPARE(w.TrialLayout->boxCount(), 1);
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void editsCountAsChangesButCancelledDialogsDoNot()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        const auto changedBy = [&f](const std::function<void()> &edit) {
            f.program.ClusterSaved = true;
            edit();
            return !f.program.ClusterSaved;
        };
        QVERIFY(changedBy([&] { typeInto(w.SSTab1->EndMessage, QStringLiteral("x")); }));
        QVERIFY(changedBy([&] { w.SSTab1->CloseAfter->stepUp(); }));
        QVERIFY(changedBy([&] {
            f.dialogs.colours = {0x00FF00};
            click(w.SSTab1->ChangeForeColor);
        }));
        QCOMPARE(f.trial(0).ChangeForeColor, 0x00FF00);
        QCOMPARE(f.trial(0).CloseAfter, QStringLiteral("3"));
        QCOMPARE(f.trial(0).EndMessage, QStringLiteral("x"));
        QVERIFY(!changedBy([&] {
            f.dialogs.colours = {std::nullopt};
            click(w.SSTab1->ChangeColor);
        }));
        QVERIFY(!changedBy([&] {
            f.dialogs.openPaths = {std::nullopt};
            w.ChangeEmptyBox(0);
        }));
        QCOMPARE(w.Rows->EmptyBox->name(0), QStringLiteral("Box1.ico"));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }
};

QTEST_MAIN(BoxSettingsTest)
#include "tst_boxsettings.moc"
