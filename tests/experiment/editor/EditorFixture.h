#pragma once
// The editor window over a temporary program folder: default pictures of its own, an
// empty settings store, scripted dialogs and recording sounds. Drops go through the
// window's own drop handlers as Qt delivers them.

#include "../trial/RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"

#include "kelvane/editor/BoxSettings.h"
#include "kelvane/options/SettingsStore.h"

#include <QTemporaryDir>

#include <memory>

namespace kelvane::test {

struct EditorFixture
{
    explicit EditorFixture(EditorHooks hooks = {});
    ~EditorFixture();

    // The window made, loaded and shown (a second call makes a fresh one).
    void open(EditorHooks hooks = {});
    QString path(const QString &name) const { return dir.filePath(name); }
    QString icon(const QString &name) const { return program.iconPath(name); }

    // Drops `source` held at `hotSpot` so that its picture's corner lands at `corner`
    // (twips), on whatever lies there: the layout area or a box.
    bool dropAt(DragSource source, QPoint corner, QPoint hotSpot = {});
    // Drops any data on `target` at its pixel `at`.
    bool dropData(QWidget *target, QMimeData *data, QPoint at);
    // Drops the first "Box" picture held at `hotSpot` with the pointer at the layout
    // area's pixel `at` (which may lie outside it).
    bool dropClosedBoxAtPixel(QPoint at, QPoint hotSpot);
    // As Qt delivers a real drag: it enters the layout area at the pixel `enterAt`, is
    // carried to `dropAt` and dropped there; a refused enter gets no more events.
    bool carryAndDrop(DragSource source, QPoint enterAt, QPoint dropAt);
    // Drops a row picture on box `box` (from 1).
    bool dropOnBox(DragSource source, int box);
    bool dropOnDelete(int box);
    // A new closed box from the "Box" row position `row` at `corner`.
    void placeBox(int row, QPoint corner);
    void rightClickBox(int box);
    int boxes() const { return program.Cluster.CountBoxes(window->shownTrial()); }
    const BoxRecord &box(int k) const { return program.Cluster.box(window->shownTrial(), k); }
    TrialSettings &trial(int t) { return program.Cluster.Trials.at(std::size_t(t)); }

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<QSettingsStore> store;
    ScriptedDialogs dialogs;
    RecordingSoundPlayer targetSound;
    RecordingSoundPlayer clickSound;
    PointerCounter pointer;
    std::unique_ptr<BoxSettings> window;
};

DragSource objectPicture(int row);
DragSource closedBoxPicture(int row);
DragSource openedBoxPicture(int row);
DragSource layoutBox(int box);

} // namespace kelvane::test
