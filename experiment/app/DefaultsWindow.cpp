#include "kelvane/app/DefaultsWindow.h"

#include "kelvane/model/LayoutGeometry.h"

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QString colourText(ColourValue colour)
{
    return QStringLiteral("%1 (#%2%3%4)")
        .arg(colour)
        .arg(colour & 0xFF, 2, 16, QChar(u'0'))
        .arg((colour >> 8) & 0xFF, 2, 16, QChar(u'0'))
        .arg((colour >> 16) & 0xFF, 2, 16, QChar(u'0'));
}

} // namespace

DefaultsWindow::DefaultsWindow(const Program &program, double iconSizeTwips, QWidget *parent)
    : QMainWindow(parent)
    , m_program(program)
    , m_iconPixels(qMax(8, int(iconSizeTwips / TwipsPerPixel)))
{
    setWindowTitle(QStringLiteral("Settings"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    const TrialSettings &trial = program.Cluster.Trials.front();
    auto *settings = new QGroupBox(QStringLiteral("Trial 1"), central);
    auto *form = new QFormLayout(settings);
    form->addRow(QStringLiteral("Start message:"), new QLabel(trial.StartMessage));
    form->addRow(QStringLiteral("Message on timeout:"), new QLabel(trial.TimeUpMessage));
    form->addRow(QStringLiteral("End message:"), new QLabel(trial.EndMessage));
    form->addRow(QStringLiteral("Time for this layout:"), new QLabel(trial.time + QStringLiteral(" seconds")));
    form->addRow(QStringLiteral("Close boxes after:"), new QLabel(trial.CloseAfter + QStringLiteral(" seconds")));
    form->addRow(QStringLiteral("Screen size:"), new QLabel(trial.ScreenSize + QStringLiteral(" percent")));
    form->addRow(QStringLiteral("Background color:"), new QLabel(colourText(trial.ChangeColor)));
    form->addRow(QStringLiteral("Foreground color:"), new QLabel(colourText(trial.ChangeForeColor)));
    layout->addWidget(settings);

    const PictureNameLists &names = program.Pictures;
    const std::pair<const char *, QWidget *> rows[] = {
        {"Items", pictureRow(names.DragBoxIconNames, PictureNameLists::ObjectCount)},
        {"Box", pictureRow(names.EmptyBoxIconNames, PictureNameLists::BoxCount)},
        {"EmptyBox", pictureRow(names.EmptyIconNames, PictureNameLists::BoxCount)},
    };
    for (const auto &[caption, row] : rows) {
        auto *frame = new QGroupBox(QString::fromLatin1(caption), central);
        auto *frameLayout = new QHBoxLayout(frame);
        frameLayout->addWidget(row);
        layout->addWidget(frame);
    }
    if (!m_missing.isEmpty()) {
        auto *warning = new QLabel(QStringLiteral("Missing from %1: %2")
                                       .arg(program.IconFolder, m_missing.join(QStringLiteral(", "))));
        warning->setWordWrap(true);
        layout->addWidget(warning);
    }
    setCentralWidget(central);
}

QWidget *DefaultsWindow::pictureRow(const std::array<QString, PictureNameLists::Size> &names, int count)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    for (int i = 0; i < count; ++i) {
        const QString &name = names[std::size_t(i)];
        auto *picture = new QLabel(row);
        picture->setObjectName(name);
        picture->setFixedSize(m_iconPixels, m_iconPixels);
        picture->setToolTip(name);
        const QPixmap pixmap(m_program.iconPath(name));
        if (pixmap.isNull()) {
            m_missing.append(name);
            picture->setFrameShape(QFrame::Box);
            picture->setText(QStringLiteral("?"));
            picture->setAlignment(Qt::AlignCenter);
        } else {
            picture->setPixmap(pixmap.scaled(m_iconPixels, m_iconPixels));
        }
        layout->addWidget(picture);
    }
    layout->addStretch();
    return row;
}

} // namespace kelvane
