// Building layouts in the editor window: boxes made, moved and deleted by drops,
// objects put in and taken out, targets set by right clicks, and the picture rows.

#include "EditorFixture.h"
#include "TestFiles.h"
#include "TestIcons.h"

#include "kelvane/options/StoredSettings.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QTabBar>
#include <QTest>
#include <QUrl>

using namespace kelvane;
using namespace kelvane::test;

namespace {

QStringList toolTips(const LayoutArea *area)
{
    QStringList tips;
    for (int k = 1; k <= area->boxCount(); ++k)
        tips.append(area->box(k)->toolTip());
    return tips;
}

} // namespace

class LayoutEditingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void boxesAreMadeMovedAndFilled()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        QVERIFY(f.dropAt(closedBoxPicture(1), {1200, 4800}));
        QCOMPARE(f.boxes(), 1);
        QCOMPARE(f.box(1).BoxIconFile, QStringLiteral("Box2.ico"));
        QCOMPARE(f.box(1).EmptyIconFile, QStringLiteral("EmptyBox2.ico"));
        QCOMPARE(f.box(1).ContentFile, QStringLiteral("leeg"));
        QVERIFY(f.box(1).Empty);
        QCOMPARE(f.box(1).Left, 1200);
        QCOMPARE(f.box(1).Top, 4800);
        QCOMPARE(w.TrialLayout->box(1)->toolTip(), QStringLiteral("1: 1200,4800"));
        QCOMPARE(w.TrialLayout->box(1)->fileName(), QStringLiteral("Box2.ico"));
        QCOMPARE(w.TrialLayout->box(1)->pos(), w.TrialLayout->pixelsAt({1200, 4800}));
        QVERIFY(!f.program.ClusterSaved);

        // Moved on the layout area (a drop lands on whole pixels, 15 twips each, so the
        // handler is called directly for a place between them).
        w.TrialLayout_DragDrop(layoutBox(1), {2000, 3000});
        QCOMPARE(w.TrialLayout->box(1)->toolTip(), QStringLiteral("1: 2000,3000"));
        QCOMPARE(f.box(1).Left, 2000);
        QCOMPARE(f.box(1).Top, 3000);
        // A small move lands on the box itself and still moves it.
        QVERIFY(f.dropAt(layoutBox(1), {2100, 3090}, {2, 2}));
        QCOMPARE(w.TrialLayout->box(1)->toolTip(), QStringLiteral("1: 2100,3090"));
        QCOMPARE(w.TrialLayout->box(1)->pos(), w.TrialLayout->pixelsAt({2100, 3090}));

        f.placeBox(0, {4500, 1500});
        QVERIFY(f.dropOnBox(objectPicture(2), 2));
        QVERIFY(!f.box(2).Empty);
        QCOMPARE(f.box(2).ContentFile, QStringLiteral("Content3.ico"));
        QCOMPARE(w.TrialLayout->box(2)->fileName(), QStringLiteral("Content3.ico"));
        QCOMPARE(w.TrialLayout->box(2)->toolTip(), QStringLiteral("2"));

        // An object outside any box, a closed box on a box, and a box on another box
        // (which would come to lie over it) do nothing, and leave nothing to undo.
        const int steps = w.history().count();
        QVERIFY(!f.dropAt(objectPicture(0), {6000, 6000}));
        QVERIFY(!f.dropOnBox(closedBoxPicture(0), 1));
        QVERIFY(!f.dropAt(layoutBox(1), {4500, 1500}, {2, 2}));
        QCOMPARE(f.boxes(), 2);
        QVERIFY(f.box(1).Empty);
        QCOMPARE(f.box(1).Left, 2100);
        QCOMPARE(w.history().count(), steps);
    }

    void objectCarriedAcrossFreeSpaceReachesABox()
    {
        EditorFixture f;
        LayoutArea *area = f.window->TrialLayout;
        f.placeBox(0, {3000, 3000});
        const QPoint free = area->pixelsAt({300, 300});
        const QPoint onBox = area->box(1)->geometry().center();
        QVERIFY(f.carryAndDrop(objectPicture(1), free, onBox));
        QCOMPARE(f.box(1).ContentFile, QStringLiteral("Content2.ico"));
        // Let go over free space, the object goes nowhere.
        QVERIFY(!f.carryAndDrop(objectPicture(2), onBox, free));
        QCOMPARE(f.box(1).ContentFile, QStringLiteral("Content2.ico"));
        QCOMPARE(f.boxes(), 1);
    }

    void pictureLandsWhereItWasSeen()
    {
        EditorFixture f;
        LayoutArea *area = f.window->TrialLayout;
        // Held 10 pixels in from its corner: the corner, not the pointer, gives the place.
        QVERIFY(f.dropAt(closedBoxPicture(0), {1500, 1500}, {10, 10}));
        QCOMPARE(f.box(1).Left, 1500);
        QCOMPARE(f.box(1).Top, 1500);
        // Dropped with its corner outside the area, it is kept wholly inside.
        QVERIFY(f.dropClosedBoxAtPixel({-5, 3}, {10, 10}));
        QCOMPARE(f.box(2).Left, 0);
        QCOMPARE(f.box(2).Top, 0);
        const QPoint nearEnd = area->pixelsAt({6990, 6990});
        QVERIFY(f.dropClosedBoxAtPixel(nearEnd, {0, 0}));
        QCOMPARE(f.box(3).Left, 7000 - 480);
        QCOMPARE(f.box(3).Top, 7000 - 480);
    }

    void targetsAreObjectBoxesChosenByRightClick()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        f.placeBox(1, {1200, 0});
        QVERIFY(f.dropOnBox(objectPicture(2), 2));
        f.program.ClusterSaved = true;
        f.rightClickBox(1); // empty: nothing
        QVERIFY(f.trial(0).TargetNumberText.isEmpty());
        QVERIFY(f.program.ClusterSaved);

        f.rightClickBox(2);
        QCOMPARE(f.trial(0).TargetNumberText, QStringLiteral("2"));
        QCOMPARE(w.Target->TargetNumberText->text(), QStringLiteral("2"));
        QCOMPARE(w.Target->TargetIcon->fileName(), QStringLiteral("Content3.ico"));
        QVERIFY(w.TrialLayout->box(2)->isFramed());
        QVERIFY(!w.TrialLayout->box(1)->isFramed());
        QVERIFY(!f.program.ClusterSaved);

        // A new object on the target box shows in the target frame at once.
        QVERIFY(f.dropOnBox(objectPicture(5), 2));
        QCOMPARE(w.Target->TargetIcon->fileName(), QStringLiteral("Content6.ico"));

        // Emptying the target box takes the target away; the object's name stays.
        QVERIFY(f.dropOnBox(openedBoxPicture(3), 2));
        QVERIFY(f.box(2).Empty);
        QCOMPARE(f.box(2).EmptyIconFile, QStringLiteral("EmptyBox4.ico"));
        QCOMPARE(f.box(2).ContentFile, QStringLiteral("Content6.ico"));
        QCOMPARE(w.TrialLayout->box(2)->fileName(), QStringLiteral("Box2.ico"));
        QVERIFY(f.trial(0).TargetNumberText.isEmpty());
        QVERIFY(w.Target->TargetNumberText->text().isEmpty());
        QVERIFY(w.Target->TargetIcon->fileName().isEmpty());
        QVERIFY(!w.TrialLayout->box(2)->isFramed());
        QCOMPARE(w.TrialLayout->box(2)->toolTip(), QStringLiteral("2: 1200,0"));
    }

    void deletingRenumbersBoxesAndKeepsTheTarget()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        for (int k = 1; k <= 5; ++k)
            f.placeBox(k % 4, {k * 900, 600});
        QVERIFY(f.dropOnBox(objectPicture(0), 4));
        f.rightClickBox(4);
        const BoxRecord third = f.box(3);
        f.program.ClusterSaved = true;

        QVERIFY(f.dropOnDelete(2));
        QCOMPARE(f.boxes(), 4);
        QCOMPARE(f.box(2), third);
        QCOMPARE(f.trial(0).TargetNumberText, QStringLiteral("3"));
        QVERIFY(w.TrialLayout->box(3)->isFramed());
        QCOMPARE(w.Target->TargetNumberText->text(), QStringLiteral("3"));
        QCOMPARE(toolTips(w.TrialLayout), (QStringList{QStringLiteral("1: 900,600"), QStringLiteral("2: 2700,600"),
                                                      QStringLiteral("3"), QStringLiteral("4: 4500,600")}));
        QCOMPARE(f.program.Cluster.box(0, 5), BoxRecord{});
        QVERIFY(!f.program.ClusterSaved);

        // Deleting the target box clears the target.
        QVERIFY(f.dropOnDelete(3));
        QVERIFY(f.trial(0).TargetNumberText.isEmpty());
        QVERIFY(w.Target->TargetIcon->fileName().isEmpty());
        // Only boxes can be deleted.
        QVERIFY(!f.dropData(w.Delete, editorDragData(w.dragToken(), {closedBoxPicture(0), {}}),
                            w.Delete->rect().center()));
        QCOMPARE(f.boxes(), 3);
    }

    void dropsFromOutsideTheWindowAreIgnored()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        f.placeBox(0, {0, 0});
        const QPoint middle = w.TrialLayout->rect().center();

        auto *files = new QMimeData;
        files->setUrls({QUrl::fromLocalFile(f.icon(QStringLiteral("Box1.ico")))});
        QVERIFY(!f.dropData(w.TrialLayout, files, middle));
        // The editor's own format, but from another editor window.
        QVERIFY(!f.dropData(w.TrialLayout, editorDragData(QStringLiteral("another window"),
                                                          {closedBoxPicture(0), {}}), middle));
        QVERIFY(!f.dropData(w.Delete, editorDragData(QStringLiteral("another window"), {layoutBox(1), {}}),
                            w.Delete->rect().center()));
        auto *garbage = new QMimeData;
        garbage->setData(EditorDragFormat, "\x01\x02");
        QVERIFY(!f.dropData(w.TrialLayout->box(1), garbage, {1, 1}));
        QCOMPARE(f.boxes(), 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void hundredthBoxIsRefused()
    {
        EditorFixture f;
        for (int k = 0; k < 99; ++k)
            f.placeBox(0, {(k % 10) * 600, (k / 10) * 600});
        QCOMPARE(f.boxes(), 99);
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(f.dropAt(closedBoxPicture(1), {6400, 6400}));
        QCOMPARE(f.boxes(), 99);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("99 boxes")));
        QCOMPARE(f.program.Cluster.box(0, 100), BoxRecord{});
        QCOMPARE(f.window->TrialLayout->boxCount(), 99);
    }

    void missingPicturesShowAsNamedPlaceholdersAndAreToldOnce()
    {
        EditorFixture f;
        f.store->write(QStringLiteral("EmptyBoxIcons"), QStringLiteral("2"), QStringLiteral("Crate.ico"));
        QFile::remove(f.icon(QStringLiteral("Content4.ico")));
        f.dialogs.messages.clear();
        f.open();
        BoxSettings &w = *f.window;
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].title, QStringLiteral("Missing pictures"));
        QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("Content4.ico, Crate.ico")));
        QVERIFY(f.dialogs.messages[0].text.contains(QDir::toNativeSeparators(f.program.IconFolder)));
        QVERIFY(w.Rows->EmptyBox->picture(1)->isMissing());
        QCOMPARE(w.Rows->EmptyBox->name(1), QStringLiteral("Crate.ico"));

        // A box made from it shows the placeholder too, and nothing more is said.
        QVERIFY(f.dropAt(closedBoxPicture(1), {0, 0}));
        QVERIFY(w.TrialLayout->box(1)->isMissing());
        QVERIFY(f.dropOnBox(objectPicture(3), 1));
        f.rightClickBox(1);
        QCOMPARE(w.Target->TargetIcon->fileName(), QStringLiteral("Content4.ico"));
        QVERIFY(w.Target->TargetIcon->isMissing());

        // A cluster file naming other lost pictures: told once when it opens.
        writeBytes(f.path(QStringLiteral("lost.box")),
                   "1\r\n\"10\",\"m\",\"1\",\"s\",\"e\",\"2\",\" 0\",\" 16777215\",\"85\",\" 1\","
                   "\"Barrel.ico\",\"Open.ico\",\"Pear.ico\",#FALSE#,\" .1\",\" .1\","
                   "\"Content1.ico\",\"Content2.ico\",\"Content3.ico\",\"Content4.ico\",\"Content5.ico\",\"Content6.ico\",");
        f.dialogs.answers = {Answer::No};
        f.dialogs.openPaths = {f.path(QStringLiteral("lost.box"))};
        f.dialogs.messages.clear();
        w.OpenCluster();
        QCOMPARE(f.dialogs.messages.size(), 2); // the save question, then the pictures
        QVERIFY2(f.dialogs.messages[1].text.contains(QStringLiteral("Barrel.ico, Open.ico, Pear.ico")),
                 qPrintable(f.dialogs.messages[1].text));
        QVERIFY(w.TrialLayout->box(1)->isMissing());
        w.AddLayout_Click();
        w.selectTrial(0);
        QCOMPARE(f.dialogs.messages.size(), 2);
    }

    void rowPicturesAreReplacedByRightClick()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        writeTestIcon(f.icon(QStringLiteral("Key.ico")), Qt::yellow);
        QDir(f.dir.path()).mkdir(QStringLiteral("mine"));
        writeTestIcon(f.path(QStringLiteral("mine/Bell.ico")), Qt::darkYellow);

        f.dialogs.openPaths = {f.icon(QStringLiteral("Key.ico"))};
        QTest::mouseClick(w.Rows->DragBox->picture(2), Qt::RightButton);
        QCOMPARE(w.Rows->DragBox->name(2), QStringLiteral("Key.ico"));
        QCOMPARE(f.dialogs.fileRequests.last().filter, QStringLiteral("Icon Files (*.ico)|*.ico"));
        QCOMPARE(f.dialogs.fileRequests.last().initialFolder, f.program.IconFolder);
        QVERIFY(!f.program.ClusterSaved);

        // From another folder: copied into the icon folder, so boxes can show it.
        f.dialogs.openPaths = {f.path(QStringLiteral("mine/Bell.ico"))};
        QTest::mouseClick(w.Rows->EmptyBox->picture(3), Qt::RightButton);
        QCOMPARE(w.Rows->EmptyBox->name(3), QStringLiteral("Bell.ico"));
        QVERIFY(QFileInfo::exists(f.icon(QStringLiteral("Bell.ico"))));
        QVERIFY(f.dropAt(closedBoxPicture(3), {600, 600}));
        QCOMPARE(f.box(1).BoxIconFile, QStringLiteral("Bell.ico"));
        QCOMPARE(f.box(1).EmptyIconFile, QStringLiteral("EmptyBox4.ico"));
        QVERIFY(!w.TrialLayout->box(1)->isMissing());

        f.dialogs.openPaths = {f.icon(QStringLiteral("Key.ico"))};
        QTest::mouseClick(w.Rows->EmptyIcon->picture(0), Qt::RightButton);
        QCOMPARE(w.Rows->EmptyIcon->name(0), QStringLiteral("Key.ico"));

        // The stored names are the researcher's defaults and stay as they were.
        QCOMPARE(f.store->read(QStringLiteral("DragBoxIcons"), QStringLiteral("3")), QStringLiteral("Content3.ico"));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void spinnersAndFieldsFollowTheLeadingNumberRule()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        w.SSTab1->setCurrentIndex(1);
        w.SSTab1->time->setFocus();
        QTest::keyClick(w.SSTab1->time, Qt::Key_Up);
        QCOMPARE(f.trial(0).time, QStringLiteral("11"));
        w.SSTab1->time->field()->selectAll();
        QTest::keyClicks(w.SSTab1->time->field(), QStringLiteral("abc"));
        QTest::keyClick(w.SSTab1->time, Qt::Key_Down);
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("-1"));
        QCOMPARE(f.trial(0).time, QStringLiteral("-1"));
        w.SSTab1->setCurrentIndex(2);
        for (int i = 0; i < 20; ++i)
            w.SSTab1->ScreenSize->stepUp();
        QCOMPARE(f.trial(0).ScreenSize, QStringLiteral("105"));

        // A double quote cannot be typed into a message.
        w.SSTab1->setCurrentIndex(0);
        w.SSTab1->StartMessage->setFocus();
        w.SSTab1->StartMessage->selectAll();
        QTest::keyClicks(w.SSTab1->StartMessage, QStringLiteral("Klik \"START\""));
        QCOMPARE(f.trial(0).StartMessage, QStringLiteral("Klik START"));

        // Each trial's fields are its own.
        w.AddLayout_Click();
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("-1"));
        w.SSTab1->time->stepUp();
        QCOMPARE(f.trial(1).time, QStringLiteral("0"));
        QCOMPARE(f.trial(0).time, QStringLiteral("-1"));
        w.selectTrial(0);
        QCOMPARE(w.SSTab1->time->text(), QStringLiteral("-1"));
    }

    void backgroundColourIsTheTrialsOwn()
    {
        EditorFixture f;
        BoxSettings &w = *f.window;
        w.AddLayout_Click();
        w.SSTab1->setCurrentIndex(2);
        f.dialogs.colours = {255};
        QTest::mouseClick(w.SSTab1->ChangeColor, Qt::LeftButton);
        QCOMPARE(f.trial(1).ChangeColor, 255);
        QCOMPARE(f.trial(0).ChangeColor, 0);
        w.selectTrial(0);
        QCOMPARE(w.SSTab1->ChangeColor->colour(), 0);
        w.selectTrial(1);
        QCOMPARE(w.SSTab1->ChangeColor->colour(), 255);
    }
};

QTEST_MAIN(LayoutEditingTest)
#include "tst_layoutediting.moc"
