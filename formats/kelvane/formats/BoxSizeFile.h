#pragma once
// The trials' box sizes in millimetres. They live beside the cluster file, in
// "name.sizes.csv", not in it: the cluster file keeps the very form that older copies of
// the program and the analyzer read, and a cluster without sizes has no such file.
// The file: the title line "trial,box_mm", then one line per trial that has a size, the
// trial numbered from 0 as in result files, the size as the researcher typed it; CR LF.

#include "kelvane/formats/FileResult.h"
#include "kelvane/model/ClusterModel.h"

namespace kelvane {

// "study/a.box" gives "study/a.sizes.csv".
QString boxSizeFilePath(const QString &clusterPath);

// The file's bytes; empty when no trial has a size.
QByteArray boxSizeFileBytes(const ClusterModel &cluster);

// Writes the file beside `clusterPath`, or removes an earlier one when no trial has a
// size, so that it never speaks for another cluster saved under the same name.
FileResult<void> saveBoxSizes(const QString &clusterPath, const ClusterModel &cluster);

// Gives every trial the size the file beside `clusterPath` names, and the others none.
// No file means no sizes. A damaged file leaves every trial without a size, and the error
// names the file and the line.
FileResult<void> readBoxSizes(const QString &clusterPath, ClusterModel &cluster);

} // namespace kelvane
