#include "TrialFixture.h"

#include "TestFiles.h"

#include "kelvane/Dialogs.h"
#include "kelvane/model/ClusterFileWriter.h"

#include <QDir>
#include <QImage>

namespace kelvane::test {

void writeIcon(const QString &path, const QColor &colour)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    if (!image.save(path, "ICO"))
        qFatal("cannot write test icon %s", qPrintable(path));
}

void setTrial(ClusterModel &cluster, int trial, const QString &time, const QString &closeAfter,
              int target, const QList<bool> &holdsObject)
{
    while (cluster.trialCount() <= trial)
        cluster.Trials.push_back(cluster.Trials.front());
    TrialSettings &s = cluster.Trials[std::size_t(trial)];
    s.time = time;
    s.CloseAfter = closeAfter;
    s.TargetNumberText = QString::number(target);
    s.StartMessage = QStringLiteral("Klik op START om te beginnen.");
    s.EndMessage = QStringLiteral("Klik op START om door te gaan.");
    s.TimeUpMessage = QStringLiteral("Uw tijd is om.");
    s.ChangeColor = 0x804020;       // red 0x20, green 0x40, blue 0x80
    s.ChangeForeColor = 16777215;
    s.ScreenSize = QStringLiteral("85");
    for (int k = 1; k <= ClusterModel::SlotsPerTrial; ++k)
        cluster.box(trial, k) = BoxRecord();
    for (int k = 1; k <= holdsObject.size(); ++k) {
        BoxRecord &box = cluster.box(trial, k);
        box.BoxIconFile = QStringLiteral("Box1.ico");
        box.EmptyIconFile = QStringLiteral("EmptyBox1.ico");
        box.Empty = !holdsObject[k - 1];
        box.ContentFile = box.Empty ? QString(NoContent) : QStringLiteral("Content%1.ico").arg(k);
        box.Left = qint16(k * 900);
        box.Top = 1000;
    }
}

TrialFolder::TrialFolder()
{
    program.ProgramFolder = dir.path();
    program.IconFolder = dir.path() + QStringLiteral("/ico/");
    QDir(dir.path()).mkdir(QStringLiteral("ico"));
    writeIcon(program.iconPath(QStringLiteral("Box1.ico")), Qt::blue);
    writeIcon(program.iconPath(QStringLiteral("EmptyBox1.ico")), Qt::white);
    for (int k = 1; k <= 12; ++k)
        writeIcon(program.iconPath(QStringLiteral("Content%1.ico").arg(k)), QColor::fromHsv(k * 25, 255, 255));
    store = std::make_unique<QSettingsStore>(dir.filePath(QStringLiteral("settings.ini")));
    store->write(QStringLiteral("Screen"), QStringLiteral("IconSize"), QStringLiteral("480"));
}

void TrialFolder::saveCluster(const QString &name)
{
    writeBytes(path(name), clusterFileBytes(program.Cluster, {}));
    program.ClusterFile = path(name);
    program.ClusterName = fileTitle(program.ClusterFile);
}

} // namespace kelvane::test
