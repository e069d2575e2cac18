// The editor's commands on the cluster model, without a window.

#include "TestFiles.h"

#include "kelvane/editor/EditorDrag.h"
#include "kelvane/editor/LayoutEditing.h"
#include "kelvane/editor/MissingPictures.h"
#include "kelvane/editor/TrialEditing.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kelvane;
using namespace kelvane::test;

namespace {

// A trial of `boxes` closed boxes, box k made from "Box<k>.ico" along one line.
void fill(ClusterModel &cluster, int trial, int boxes)
{
    while (cluster.trialCount() <= trial)
        cluster.Trials.push_back(cluster.Trials.front());
    for (int k = 1; k <= boxes; ++k)
        placeBox(cluster, trial, QStringLiteral("Box%1.ico").arg(k), QStringLiteral("Open.ico"),
                 {(k % 14) * 500, 1000});
}

} // namespace

class EditorLogicTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addAndCopyStopAt101Trials()
    {
        ClusterModel cluster;
        cluster.Trials[0].time = QStringLiteral("20");
        fill(cluster, 0, 3);
        putObject(cluster, 0, 2, QStringLiteral("Key.ico"));
        QVERIFY(setTarget(cluster, 0, 2));

        QCOMPARE(addTrial(cluster), 1);
        QCOMPARE(cluster.Trials[1].time, QStringLiteral("20"));
        QVERIFY(cluster.Trials[1].TargetNumberText.isEmpty());
        QCOMPARE(cluster.CountBoxes(1), 0);

        QCOMPARE(copyTrial(cluster, 0), 2);
        QCOMPARE(cluster.Trials[2], cluster.Trials[0]);
        for (int k = 1; k <= ClusterModel::SlotsPerTrial; ++k)
            QCOMPARE(cluster.box(2, k), cluster.box(0, k));

        while (cluster.trialCount() < ClusterModel::MaxTrials)
            QVERIFY(addTrial(cluster));
        const ClusterModel full = cluster;
        QCOMPARE(addTrial(cluster), std::nullopt);
        QCOMPARE(copyTrial(cluster, 0), std::nullopt);
        QVERIFY(cluster == full);
    }

    void deleteTrialMovesWholeRowsAndClearsTheFreedOne()
    {
        ClusterModel cluster;
        fill(cluster, 0, 1);
        fill(cluster, 1, 5);
        fill(cluster, 2, 2);
        cluster.Trials[2].time = QStringLiteral("third");
        putObject(cluster, 2, 1, QStringLiteral("Key.ico"));
        setTarget(cluster, 2, 1);

        QCOMPARE(deleteTrial(cluster, 1), 1);
        QCOMPARE(cluster.trialCount(), 2);
        QCOMPARE(cluster.Trials[1].time, QStringLiteral("third"));
        QCOMPARE(cluster.Trials[1].TargetNumberText, QStringLiteral("1"));
        QCOMPARE(cluster.CountBoxes(1), 2);
        QCOMPARE(cluster.box(1, 3), BoxRecord{});
        QCOMPARE(cluster.CountBoxes(2), 0);
        QCOMPARE(cluster.box(2, 1), BoxRecord{});

        // The last trial: the one before it is shown.
        QCOMPARE(deleteTrial(cluster, 1), 0);
        QCOMPARE(cluster.trialCount(), 1);
        QCOMPARE(cluster.box(1, 1), BoxRecord{});
        QCOMPARE(deleteTrial(cluster, 0), std::nullopt);
        QCOMPARE(cluster.CountBoxes(0), 1);
    }

    void clearingLeavesSettings()
    {
        ClusterModel cluster;
        cluster.Trials[0].EndMessage = QStringLiteral("Goed.");
        fill(cluster, 0, 2);
        putObject(cluster, 0, 1, QStringLiteral("Key.ico"));
        setTarget(cluster, 0, 1);
        fill(cluster, 1, 2);
        QVERIFY(!hasNoLayout(cluster));

        clearTrialLayout(cluster, 0);
        QCOMPARE(cluster.CountBoxes(0), 0);
        QVERIFY(cluster.Trials[0].TargetNumberText.isEmpty());
        QCOMPARE(cluster.Trials[0].EndMessage, QStringLiteral("Goed."));
        QCOMPARE(cluster.CountBoxes(1), 2);

        resetToOneEmptyTrial(cluster);
        QCOMPARE(cluster.trialCount(), 1);
        QCOMPARE(cluster.box(1, 1), BoxRecord{});
        QCOMPARE(cluster.Trials[0].EndMessage, QStringLiteral("Goed."));
        QVERIFY(hasNoLayout(cluster));
    }

    void onlyABoxHoldingAnObjectIsATarget()
    {
        ClusterModel cluster;
        fill(cluster, 0, 3);
        QVERIFY(!setTarget(cluster, 0, 1));
        QVERIFY(!setTarget(cluster, 0, 0));
        QVERIFY(!setTarget(cluster, 0, 4));
        QCOMPARE(targetBox(cluster, 0), 0);
        putObject(cluster, 0, 3, QStringLiteral("Key.ico"));
        QVERIFY(setTarget(cluster, 0, 3));
        QCOMPARE(cluster.Trials[0].TargetNumberText, QStringLiteral("3"));
        QCOMPARE(targetBox(cluster, 0), 3);

        // Emptying another box leaves the target; emptying the target clears it.
        putObject(cluster, 0, 1, QStringLiteral("Pear.ico"));
        QVERIFY(!makeEmpty(cluster, 0, 1, QStringLiteral("Empty2.ico")));
        QCOMPARE(targetBox(cluster, 0), 3);
        QVERIFY(makeEmpty(cluster, 0, 3, QStringLiteral("Empty2.ico")));
        QVERIFY(cluster.Trials[0].TargetNumberText.isEmpty());
        const BoxRecord &emptied = cluster.box(0, 3);
        QVERIFY(emptied.Empty);
        QCOMPARE(emptied.EmptyIconFile, QStringLiteral("Empty2.ico"));
        QCOMPARE(emptied.ContentFile, QStringLiteral("Key.ico"));

        // A target text that names no usable box counts as none.
        cluster.Trials[0].TargetNumberText = QStringLiteral("2x");
        QCOMPARE(targetBox(cluster, 0), 0);
    }

    void deleteBoxRenumbersAndTheTargetFollows()
    {
        ClusterModel cluster;
        fill(cluster, 0, 5);
        putObject(cluster, 0, 4, QStringLiteral("Key.ico"));
        setTarget(cluster, 0, 4);
        const BoxRecord third = cluster.box(0, 3);
        const BoxRecord fifth = cluster.box(0, 5);

        deleteBox(cluster, 0, 2);
        QCOMPARE(cluster.CountBoxes(0), 4);
        QCOMPARE(cluster.box(0, 2), third);
        QCOMPARE(cluster.box(0, 4), fifth);
        QCOMPARE(cluster.box(0, 5), BoxRecord{});
        QCOMPARE(cluster.Trials[0].TargetNumberText, QStringLiteral("3"));

        deleteBox(cluster, 0, 4); // behind the target: no change to it
        QCOMPARE(cluster.Trials[0].TargetNumberText, QStringLiteral("3"));
        deleteBox(cluster, 0, 3);
        QVERIFY(cluster.Trials[0].TargetNumberText.isEmpty());
        deleteBox(cluster, 0, 7); // no such box
        QCOMPARE(cluster.CountBoxes(0), 2);
    }

    void boxesArePlacedUpTo99()
    {
        ClusterModel cluster;
        QCOMPARE(placeBox(cluster, 0, QStringLiteral("Box1.ico"), QStringLiteral("Open.ico"), {1200, 4800}), 1);
        const BoxRecord &box = cluster.box(0, 1);
        QVERIFY(box.Empty);
        QCOMPARE(box.ContentFile, QStringLiteral("leeg"));
        QCOMPARE(box.EmptyIconFile, QStringLiteral("Open.ico"));
        QCOMPARE(boxToolTip(cluster, 0, 1), QStringLiteral("1: 1200,4800"));
        moveBox(cluster, 0, 1, {2000, 3000});
        QCOMPARE(boxToolTip(cluster, 0, 1), QStringLiteral("1: 2000,3000"));
        putObject(cluster, 0, 1, QStringLiteral("Key.ico"));
        QCOMPARE(boxToolTip(cluster, 0, 1), QStringLiteral("1"));

        QCOMPARE(placeBox(cluster, 0, QString(), QStringLiteral("Open.ico"), {0, 0}), std::nullopt);
        fill(cluster, 1, 99);
        QCOMPARE(cluster.CountBoxes(1), 99);
        QCOMPARE(placeBox(cluster, 1, QStringLiteral("Box1.ico"), QStringLiteral("Open.ico"), {0, 0}),
                 std::nullopt);
        QCOMPARE(cluster.CountBoxes(1), 99);
        QCOMPARE(cluster.box(1, 100), BoxRecord{});
    }

    void boxesStayInsideTheLayoutArea()
    {
        QCOMPARE(keptInLayout({1200, 4800}, 480), QPoint(1200, 4800));
        QCOMPARE(keptInLayout({-30, 6600}, 480), QPoint(0, 6520));
        QCOMPARE(keptInLayout({7000, -1}, 960), QPoint(6040, 0));
        QCOMPARE(keptInLayout({300, 300}, 9000), QPoint(0, 0));
    }

    void dragDataCountsOnlyFromItsOwnWindow()
    {
        const QString token = QStringLiteral("window-1");
        const DragPayload sent{{DragSourceKind::OpenedBoxPicture, 3}, {7, 9}};
        const std::unique_ptr<QMimeData> data(editorDragData(token, sent));
        const auto read = readEditorDrag(data.get(), token);
        QVERIFY(read);
        QCOMPARE(read->source, sent.source);
        QCOMPARE(read->hotSpot, QPoint(7, 9));
        QVERIFY(!readEditorDrag(data.get(), QStringLiteral("window-2")));
        QVERIFY(!readEditorDrag(nullptr, token));

        QMimeData text;
        text.setText(QStringLiteral("Box1.ico"));
        QVERIFY(!readEditorDrag(&text, token));
        QMimeData cut;
        cut.setData(EditorDragFormat, data->data(EditorDragFormat).left(10));
        QVERIFY(!readEditorDrag(&cut, token));
        const std::unique_ptr<QMimeData> badKind(editorDragData(token, {{DragSourceKind(9), 1}, {}}));
        QVERIFY(!readEditorDrag(badKind.get(), token));
    }

    void dropsDoWhatTheirTargetAllows()
    {
        using K = DragSourceKind;
        using T = DropTargetKind;
        using A = DropAction;
        const std::tuple<K, T, A> table[] = {
            {K::ClosedBoxPicture, T::LayoutArea, A::CreateBox}, {K::LayoutBox, T::LayoutArea, A::MoveBox},
            {K::ObjectPicture, T::LayoutArea, A::Ignore},       {K::OpenedBoxPicture, T::LayoutArea, A::Ignore},
            {K::ObjectPicture, T::Box, A::PutObject},           {K::OpenedBoxPicture, T::Box, A::MakeEmpty},
            {K::LayoutBox, T::Box, A::MoveBox},                 {K::ClosedBoxPicture, T::Box, A::Ignore},
            {K::LayoutBox, T::DeleteArea, A::DeleteBox},        {K::ObjectPicture, T::DeleteArea, A::Ignore},
            {K::ClosedBoxPicture, T::DeleteArea, A::Ignore},    {K::OpenedBoxPicture, T::DeleteArea, A::Ignore},
        };
        for (const auto &[source, target, action] : table)
            QCOMPARE(decideDrop(source, target), action);
    }

    void missingPicturesAreNamedOnce()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath(QStringLiteral("Box1.ico")), "x");
        writeBytes(dir.filePath(QStringLiteral("Key.ico")), "x");
        ClusterModel cluster;
        fill(cluster, 0, 2);     // Box1.ico, Box2.ico, Open.ico
        putObject(cluster, 0, 1, QStringLiteral("Key.ico"));
        putObject(cluster, 0, 2, QStringLiteral("Pear.ico"));
        makeEmpty(cluster, 0, 2, QStringLiteral("Open.ico")); // its old object is not shown
        const QStringList missing =
            missingPictures(cluster, {QStringLiteral("Key.ico"), QStringLiteral("Lamp.ico"), QString()}, dir.path());
        QCOMPARE(missing, (QStringList{QStringLiteral("Open.ico"), QStringLiteral("Box2.ico"),
                                       QStringLiteral("Lamp.ico")}));

        MissingPictureNotice notice;
        QCOMPARE(notice.untold(missing), missing);
        QCOMPARE(notice.untold(missing), QStringList());
        QCOMPARE(notice.untold({QStringLiteral("Box2.ico"), QStringLiteral("New.ico")}),
                 QStringList{QStringLiteral("New.ico")});
        QVERIFY(missingPicturesText({QStringLiteral("A.ico"), QStringLiteral("B.ico")}, dir.path())
                    .contains(QStringLiteral("A.ico, B.ico")));
    }
};

QTEST_GUILESS_MAIN(EditorLogicTest)
#include "tst_editorlogic.moc"
