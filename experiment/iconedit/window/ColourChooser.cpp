#include "kelvane/iconedit/ColourChooser.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/iconedit/IconEditorTexts.h"
#include "kelvane/iconedit/MagnifiedGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kelvane {

namespace {

QColor qColour(IconColour colour)
{
    return QColor::fromRgb(toQRgb(colour));
}

} // namespace

PaletteGrid::PaletteGrid(QWidget *parent) : QWidget(parent)
{
    setFixedSize(PaletteColumns * CellPixels, PaletteRows * CellPixels);
    setAccessibleName(QStringLiteral("Palette"));
}

void PaletteGrid::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor lines = palette().color(QPalette::WindowText);
    for (int c = 0; c < PaletteColumns; ++c) {
        for (int r = 0; r < PaletteRows; ++r) {
            painter.fillRect(c * CellPixels, r * CellPixels, CellPixels, CellPixels,
                             qColour(PaletteColors[std::size_t(r * PaletteColumns + c)]));
        }
        if (c > 0)
            painter.fillRect(c * CellPixels, 0, 1, PaletteRows * CellPixels, lines);
    }
    for (int r = 1; r < PaletteRows; ++r)
        painter.fillRect(0, r * CellPixels, PaletteColumns * CellPixels, 1, lines);
}

void PaletteGrid::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button(), event->position().x() / CellPixels, event->position().y() / CellPixels);
}

MixerStrip::MixerStrip(QWidget *parent) : QWidget(parent)
{
    setFixedSize(WidthPixels, MixerBands * BandPixels);
    setAccessibleName(QStringLiteral("Color mixer"));
}

void MixerStrip::setBackground(IconColour colour)
{
    m_background = colour;
    update();
}

void MixerStrip::setBands(const std::array<IconColour, MixerBands> &bands)
{
    m_bands = bands;
    update();
}

void MixerStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), qColour(m_background));
    for (int band = 0; band < MixerBands; ++band)
        painter.fillRect(0, band * BandPixels, width(), BandPixels, qColour(m_bands[std::size_t(band)]));
}

void MixerStrip::mouseReleaseEvent(QMouseEvent *event)
{
    emit released(event->button(), event->position().x(), event->position().y() / BandPixels);
}

ColourChooser::ColourChooser(Dialogs &dialogs, QWidget *parent) : QWidget(parent), m_dialogs(dialogs)
{
    buildWidgets();
}

void ColourChooser::buildWidgets()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *left = new QVBoxLayout;
    paletteFrame = new QGroupBox(QStringLiteral("Palette"), this);
    PicColorPalette = new PaletteGrid(paletteFrame);
    (new QVBoxLayout(paletteFrame))->addWidget(PicColorPalette);
    paletteFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    left->addWidget(paletteFrame);

    auto *levels = new QGridLayout;
    const std::array<QString, 3> captions = {QStringLiteral("Red:"), QStringLiteral("Green:"),
                                             QStringLiteral("Blue:")};
    const std::array<QString, 3> boxNames = {QStringLiteral("Red level"), QStringLiteral("Green level"),
                                             QStringLiteral("Blue level")};
    std::array<QScrollBar *, 3> bars{};
    std::array<QLabel *, 3> degrees{};
    for (int i = 0; i < 3; ++i) {
        auto *caption = new QLabel(captions[std::size_t(i)], this);
        bars[std::size_t(i)] = new QScrollBar(Qt::Horizontal, this);
        bars[std::size_t(i)]->setRange(0, 255);
        bars[std::size_t(i)]->setAccessibleName(captions[std::size_t(i)].chopped(1));
        bars[std::size_t(i)]->setMinimumWidth(160);
        caption->setBuddy(bars[std::size_t(i)]);
        degrees[std::size_t(i)] = new QLabel(this);
        degrees[std::size_t(i)]->setMinimumWidth(28);
        degrees[std::size_t(i)]->setAccessibleName(boxNames[std::size_t(i)]);
        PicRGB[std::size_t(i)] = new ColourBox(boxNames[std::size_t(i)] + QStringLiteral(" colour"), this);
        PicRGB[std::size_t(i)]->setFixedSize(18, 18);
        levels->addWidget(caption, i, 0);
        levels->addWidget(bars[std::size_t(i)], i, 1);
        levels->addWidget(degrees[std::size_t(i)], i, 2);
        levels->addWidget(PicRGB[std::size_t(i)], i, 3);
    }
    HsrRed = bars[0];
    HsrGreen = bars[1];
    HsrBlue = bars[2];
    lblRedDegree = degrees[0];
    lblGreenDegree = degrees[1];
    lblBlueDegree = degrees[2];
    left->addLayout(levels);
    left->addStretch();
    layout->addLayout(left);

    colourToUseFrame = new QGroupBox(QStringLiteral("Color to paint"), this);
    picColorToUse = new ColourBox(QStringLiteral("Color to paint"), colourToUseFrame);
    picColorToUse->setFixedSize(48, 48);
    (new QVBoxLayout(colourToUseFrame))->addWidget(picColorToUse, 0, Qt::AlignCenter);
    layout->addWidget(colourToUseFrame, 0, Qt::AlignTop);

    mixFrame = new QGroupBox(QStringLiteral("Color mixer"), this);
    pixMixContainer = new SurroundingArea(mixFrame);
    picMix = new MixerStrip(pixMixContainer);
    auto *around = new QVBoxLayout(pixMixContainer);
    around->setContentsMargins(10, 4, 10, 4);
    around->addWidget(picMix);
    (new QVBoxLayout(mixFrame))->addWidget(pixMixContainer);
    layout->addWidget(mixFrame);
    layout->addStretch();

    connect(PicColorPalette, &PaletteGrid::released, this, &ColourChooser::PicColorPalette_MouseUp);
    connect(HsrRed, &QScrollBar::valueChanged, this, &ColourChooser::HsrRed_Change);
    connect(HsrGreen, &QScrollBar::valueChanged, this, &ColourChooser::HsrGreen_Change);
    connect(HsrBlue, &QScrollBar::valueChanged, this, &ColourChooser::HsrBlue_Change);
    connect(picMix, &MixerStrip::released, this, &ColourChooser::picMix_MouseUp);
    connect(pixMixContainer, &SurroundingArea::pointerMoved, this, &ColourChooser::pixMixContainer_MouseMove);
    connect(picColorToUse, &ColourBox::doubleClicked, this, &ColourChooser::picColorToUse_DblClick);
    connect(picColorToUse, &ColourBox::released, this, &ColourChooser::picColorToUse_MouseUp);
}

void ColourChooser::setUp()
{
    for (QScrollBar *bar : {HsrRed, HsrGreen, HsrBlue})
        bar->setMaximum(255);
    HsrRed->setValue(255);
    HsrGreen->setValue(255);
    HsrBlue->setValue(int(roundHalfEven(HsrBlue->maximum() / 2.0)));
    lblRedDegree->setText(QString::number(HsrRed->value()));
    lblGreenDegree->setText(QString::number(HsrGreen->value()));
    lblBlueDegree->setText(QString::number(HsrBlue->value()));
    PicRGB[0]->fill(iconRgb(HsrRed->value(), 0, 0));
    PicRGB[1]->fill(iconRgb(0, HsrGreen->value(), 0));
    PicRGB[2]->fill(iconRgb(0, 0, HsrBlue->value()));
    DrawColorMixer();
    pick(picMix->background());
    DisplayColorPalette();
}

void ColourChooser::DisplayColorPalette()
{
    PicColorPalette->update();
}

void ColourChooser::pick(IconColour colour)
{
    m_paintColor = colour;
    picColorToUse->fill(colour);
}

void ColourChooser::PicColorPalette_MouseUp(Qt::MouseButton, double unitX, double unitY)
{
    if (const auto index = paletteIndexAt(unitX, unitY))
        pick(PaletteColors[std::size_t(*index)]);
}

void ColourChooser::levelChanged(int bar)
{
    emit infoLabelsToClear();
    picMix->setBackground(iconRgb(HsrRed->value(), HsrGreen->value(), HsrBlue->value()));
    lblRedDegree->setText(QString::number(HsrRed->value()));
    lblGreenDegree->setText(QString::number(HsrGreen->value()));
    lblBlueDegree->setText(QString::number(HsrBlue->value()));
    const int level = std::array{HsrRed, HsrGreen, HsrBlue}[std::size_t(bar)]->value();
    PicRGB[std::size_t(bar)]->fill(IconColour(level) << (8 * bar));
    DrawColorMixer();
}

void ColourChooser::HsrRed_Change()
{
    levelChanged(0);
}

void ColourChooser::HsrGreen_Change()
{
    levelChanged(1);
}

void ColourChooser::HsrBlue_Change()
{
    levelChanged(2);
}

void ColourChooser::DrawColorMixer()
{
    // The anchors come from the three boxes, each of which holds its bar's pure colour.
    picMix->setBands(mixerBands(redOf(PicRGB[0]->colour()), greenOf(PicRGB[1]->colour()),
                                blueOf(PicRGB[2]->colour())));
}

void ColourChooser::picMix_MouseUp(Qt::MouseButton, double x, double unitY)
{
    if (x > 0 && x < picMix->width() && unitY > 0 && unitY < MixerBands)
        pick(picMix->bands()[std::size_t(unitY)]);
}

void ColourChooser::pixMixContainer_MouseMove()
{
    emit mixLabelToClear();
}

void ColourChooser::picColorToUse_DblClick()
{
    emit infoLabelsToClear();
    m_pendingRgbReport = true;
}

void ColourChooser::picColorToUse_MouseUp()
{
    if (!m_pendingRgbReport)
        return;
    m_pendingRgbReport = false;
    const IconColour colour = picColorToUse->colour();
    picColorToUse->fill(colour);
    m_dialogs.message(IconMessageTitle, colourReportText(redOf(colour), greenOf(colour), blueOf(colour)),
                      MessageIcon::None);
}

} // namespace kelvane
