#pragma once
// The layout gestures on one trial of the cluster model, without any window: placing,
// moving and deleting boxes, putting objects in and taking them out, and the target.
// Positions are twips of the 7000 x 7000 layout area.

#include "kelvane/model/ClusterModel.h"

#include <QPoint>
#include <QString>

#include <optional>

namespace kelvane {

// The target box of the trial, or 0 when it has none that can be used.
int targetBox(const ClusterModel &cluster, int trial);

// SetTarget: only a box 1..n that holds an object can be the target. Returns whether
// the box became the target.
bool setTarget(ClusterModel &cluster, int trial, int box);
void clearTarget(ClusterModel &cluster, int trial);

// A new box behind the last, closed and empty, at `corner`. Nothing when the trial
// already holds the most boxes.
std::optional<int> placeBox(ClusterModel &cluster, int trial, const QString &closedPicture,
                            const QString &emptyPicture, QPoint corner);

void moveBox(ClusterModel &cluster, int trial, int box, QPoint corner);

// The box holds `object` from now on.
void putObject(ClusterModel &cluster, int trial, int box, const QString &object);

// The box holds nothing from now on and shows `emptyPicture` when opened; its last
// object's name is kept. A box that was the target stops being it: returns true then.
bool makeEmpty(ClusterModel &cluster, int trial, int box, const QString &emptyPicture);

// DeleteBox: the boxes behind move up one number, the last slot is cleared, and the
// target follows its box (or is cleared when it was the deleted one).
void deleteBox(ClusterModel &cluster, int trial, int box);

// The box as researchers name it: "3" for a box holding an object, "3: 1200,4800"
// (left, top) for an empty one.
QString boxToolTip(const ClusterModel &cluster, int trial, int box);

// Where a box of `boxSize` twips goes when its picture was seen with its corner at
// `corner`: as near as possible, but wholly inside the layout area.
QPoint keptInLayout(QPoint corner, int boxSize);

} // namespace kelvane
