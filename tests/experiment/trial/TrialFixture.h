#pragma once
// A program folder in a temporary directory, with pictures of its own, a settings
// store, and clusters built box by box.

#include "kelvane/model/Program.h"
#include "kelvane/options/SettingsStore.h"

#include <QColor>
#include <QList>
#include <QTemporaryDir>

#include <memory>

namespace kelvane::test {

// Writes a 32 x 32 icon of one colour.
void writeIcon(const QString &path, const QColor &colour);

// Fills trial `trial`: one box per entry of `holdsObject`, box k at (k * 900, 1000),
// closed picture "Box1.ico", empty picture "EmptyBox1.ico", object "Content<k>.ico"
// (or "leeg" for an empty box that never had one).
void setTrial(ClusterModel &cluster, int trial, const QString &time, const QString &closeAfter,
              int target, const QList<bool> &holdsObject);

struct TrialFolder
{
    TrialFolder();
    QString path(const QString &name) const { return dir.filePath(name); }
    // Writes the program's cluster to `name` in the folder and makes it the file of a
    // single-cluster run, as the editor does after saving.
    void saveCluster(const QString &name);

    QTemporaryDir dir;
    Program program;
    std::unique_ptr<QSettingsStore> store;
};

} // namespace kelvane::test
