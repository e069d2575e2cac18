#pragma once

#include "kelvane/model/ClusterModel.h"

#include <QByteArray>
#include <QStringList>

namespace kelvane::test {

// Two trials with the first-run settings: trial 1 has an empty box at (1200, 4800) and
// box 2 holding Content1.ico (the target) in the middle; trial 2 one box holding
// Content2.ico, its target.
ClusterModel twoTrialExample();
QStringList firstRunObjectRow();
// The exact file the example must give.
QByteArray twoTrialExampleBytes();

} // namespace kelvane::test
