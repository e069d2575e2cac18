#include "EditorFixture.h"

#include "TestIcons.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>

#include <memory>

namespace kelvane::test {

EditorFixture::EditorFixture(EditorHooks hooks)
{
    program.ProgramFolder = dir.path();
    program.IconFolder = dir.path() + QStringLiteral("/ico/");
    QDir(dir.path()).mkdir(QStringLiteral("ico"));
    for (int k = 1; k <= 4; ++k) {
        writeTestIcon(icon(QStringLiteral("Box%1.ico").arg(k)), QColor::fromHsv(k * 20, 200, 120));
        writeTestIcon(icon(QStringLiteral("EmptyBox%1.ico").arg(k)), QColor::fromHsv(k * 20, 60, 230));
    }
    for (int k = 1; k <= 6; ++k)
        writeTestIcon(icon(QStringLiteral("Content%1.ico").arg(k)), QColor::fromHsv(120 + k * 30, 255, 255));
    store = std::make_unique<QSettingsStore>(dir.filePath(QStringLiteral("settings.ini")));
    open(std::move(hooks));
}

EditorFixture::~EditorFixture()
{
    // A window still holding changes would ask at its close.
    if (window)
        program.ClusterSaved = true;
}

void EditorFixture::open(EditorHooks hooks)
{
    if (window)
        program.ClusterSaved = true;
    window.reset();
    window = std::make_unique<BoxSettings>(
        program, EditorServices{dialogs, *store, targetSound, clickSound, pointer}, std::move(hooks));
    window->Form_Load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("the editor window was not shown");
}

bool EditorFixture::dropData(QWidget *target, QMimeData *data, QPoint at)
{
    QDragEnterEvent enter(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    const bool accepted = enter.isAccepted() && move.isAccepted() && drop.isAccepted();
    delete data;
    return accepted;
}

bool EditorFixture::dropAt(DragSource source, QPoint corner, QPoint hotSpot)
{
    LayoutArea *area = window->TrialLayout;
    const QPoint at = area->pixelsAt(corner) + hotSpot;
    QWidget *target = area->childAt(at);
    if (!target)
        target = area;
    return dropData(target, editorDragData(window->dragToken(), {source, hotSpot}),
                    target->mapFrom(area, at));
}

bool EditorFixture::dropClosedBoxAtPixel(QPoint at, QPoint hotSpot)
{
    return dropData(window->TrialLayout,
                    editorDragData(window->dragToken(), {closedBoxPicture(0), hotSpot}), at);
}

bool EditorFixture::carryAndDrop(DragSource source, QPoint enterAt, QPoint dropAt)
{
    QWidget *area = window->TrialLayout;
    const std::unique_ptr<QMimeData> data(editorDragData(window->dragToken(), {source, {}}));
    QDragEnterEvent enter(enterAt, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &enter);
    if (!enter.isAccepted())
        return false;
    bool accepted = false;
    for (const QPoint at : {enterAt, dropAt}) {
        QDragMoveEvent move(at, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(area, &move);
        accepted = move.isAccepted();
    }
    if (!accepted)
        return false;
    QDropEvent drop(dropAt, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drop);
    return drop.isAccepted();
}

bool EditorFixture::dropOnBox(DragSource source, int box)
{
    QWidget *picture = window->TrialLayout->box(box);
    return dropData(picture, editorDragData(window->dragToken(), {source, {}}), picture->rect().center());
}

bool EditorFixture::dropOnDelete(int box)
{
    QWidget *area = window->Delete;
    return dropData(area, editorDragData(window->dragToken(), {layoutBox(box), {}}), area->rect().center());
}

void EditorFixture::placeBox(int row, QPoint corner)
{
    const int before = boxes();
    if (!dropAt(closedBoxPicture(row), corner) || boxes() != before + 1)
        qWarning("no box was placed at %d,%d", corner.x(), corner.y());
}

void EditorFixture::rightClickBox(int box)
{
    QTest::mouseClick(window->TrialLayout->box(box), Qt::RightButton);
}

DragSource objectPicture(int row)
{
    return {DragSourceKind::ObjectPicture, row};
}

DragSource closedBoxPicture(int row)
{
    return {DragSourceKind::ClosedBoxPicture, row};
}

DragSource openedBoxPicture(int row)
{
    return {DragSourceKind::OpenedBoxPicture, row};
}

DragSource layoutBox(int box)
{
    return {DragSourceKind::LayoutBox, box};
}

} // namespace kelvane::test
