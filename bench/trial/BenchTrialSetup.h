#pragma once
// What the trial benchmarks share: a program folder of plain pictures, a one-trial
// cluster of boxes in a grid, and the services of a trial window that stay silent.

#include "kelvane/Dialogs.h"
#include "kelvane/model/ClusterFileWriter.h"
#include "kelvane/model/Program.h"
#include "kelvane/trial/SoundPlayer.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

namespace kelvane::bench {

// Any dialog during a benchmark is a fault of its set-up.
class NoDialogs final : public Dialogs
{
public:
    Answer message(const QString &, const QString &text, MessageIcon, MessageButtons, Answer) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> openFile(const FileDialogRequest &) override { return {}; }
    std::optional<QStringList> openFiles(const FileDialogRequest &) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest &) override { return {}; }
    std::optional<QString> chooseFolder(const FileDialogRequest &) override { return {}; }
    std::optional<ColourValue> chooseColour(ColourValue) override { return {}; }
    std::optional<int> chooseItem(const QString &, const QString &, const QStringList &, int) override { return {}; }
};

class Silence final : public SoundPlayer
{
public:
    void open(const QString &) override {}
    void play() override {}
    void close() override {}
};

inline void writeIcon(const QString &path, const QColor &colour)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    if (!image.save(path, "ICO"))
        qFatal("cannot write %s", qPrintable(path));
}

// One trial of `boxes` boxes in a 5-column grid, the last one the target, in a
// temporary program folder; `timeLimit` and `closeAfter` as the cluster file holds them.
inline void setUpOneTrial(const QTemporaryDir &dir, Program &program, int boxes, const QString &timeLimit,
                          const QString &closeAfter)
{
    program.ProgramFolder = dir.path();
    program.IconFolder = dir.path() + QStringLiteral("/ico/");
    QDir(dir.path()).mkdir(QStringLiteral("ico"));
    writeIcon(program.iconPath(QStringLiteral("Box1.ico")), Qt::blue);
    writeIcon(program.iconPath(QStringLiteral("EmptyBox1.ico")), Qt::white);
    writeIcon(program.iconPath(QStringLiteral("Content1.ico")), Qt::red);

    TrialSettings &trial = program.Cluster.Trials.front();
    trial.time = timeLimit;
    trial.CloseAfter = closeAfter;
    trial.TargetNumberText = QString::number(boxes);
    trial.ScreenSize = QStringLiteral("85");
    trial.ChangeColor = 0;
    trial.ChangeForeColor = 16777215;
    for (int k = 1; k <= boxes; ++k) {
        BoxRecord &box = program.Cluster.box(0, k);
        box.BoxIconFile = QStringLiteral("Box1.ico");
        box.EmptyIconFile = QStringLiteral("EmptyBox1.ico");
        box.ContentFile = QStringLiteral("Content1.ico");
        box.Empty = k % 3 != 0 && k != boxes;
        box.Left = qint16(500 + (k - 1) % 5 * 1300);
        box.Top = qint16(500 + (k - 1) / 5 * 1600);
    }
    program.ClusterFile = dir.filePath(QStringLiteral("bench.box"));
    program.ClusterName = QStringLiteral("bench.box");
    QFile file(program.ClusterFile);
    if (!file.open(QIODevice::WriteOnly) || file.write("1\r\n") != 3)
        qFatal("cannot write the cluster file");
}

// `trials` trials of three boxes with the default pictures, box 3 the target, box 2
// empty, `timeLimit` as the cluster file holds it, boxes closing after 2 s.
inline ClusterModel threeBoxCluster(int trials, const QString &timeLimit)
{
    ClusterModel cluster;
    TrialSettings settings = cluster.Trials.front();
    settings.time = timeLimit;
    settings.CloseAfter = QStringLiteral("2");
    settings.TargetNumberText = QStringLiteral("3");
    settings.ScreenSize = QStringLiteral("85");
    settings.StartMessage = QStringLiteral("START");
    settings.EndMessage = QStringLiteral("Found");
    settings.TimeUpMessage = QStringLiteral("Time up");
    settings.ChangeColor = 0;
    settings.ChangeForeColor = 16777215;
    cluster.Trials.assign(std::size_t(trials), settings);
    for (int t = 0; t < trials; ++t) {
        for (int k = 1; k <= 3; ++k) {
            BoxRecord &box = cluster.box(t, k);
            box.BoxIconFile = QStringLiteral("Box%1.ico").arg(k);
            box.EmptyIconFile = QStringLiteral("EmptyBox%1.ico").arg(k);
            box.Empty = k == 2;
            box.ContentFile = k == 2 ? QStringLiteral("leeg") : QStringLiteral("Content%1.ico").arg(k);
            box.Left = qint16(1000 + (k - 1) * 2200);
            box.Top = qint16(k == 2 ? 4500 : 2000);
        }
    }
    return cluster;
}

inline void writeClusterFile(const ClusterModel &cluster, const QString &path)
{
    QStringList objectRow;
    for (int i = 1; i <= 6; ++i)
        objectRow.append(QStringLiteral("Content%1.ico").arg(i));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(clusterFileBytes(cluster, objectRow)) < 0)
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace kelvane::bench
