#pragma once
// What the trial benchmarks share: a program folder of plain pictures, a one-trial
// cluster of boxes in a grid, and the services of a trial window that stay silent.

#include "kelvane/Dialogs.h"
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
    Answer message(const QString &, const QString &text, MessageIcon, MessageButtons) override
    {
        qFatal("unexpected message: %s", qPrintable(text));
    }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<QString> openFile(const FileDialogRequest &) override { return {}; }
    std::optional<QStringList> openFiles(const FileDialogRequest &) override { return {}; }
    std::optional<QString> saveFile(const FileDialogRequest &) override { return {}; }
    std::optional<ColourValue> chooseColour(ColourValue) override { return {}; }
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

} // namespace kelvane::bench
