#pragma once
// The colour choice of the icon editor: the 48-colour palette, the three level scroll
// bars with their colour strip, and the box showing the colour to paint.

#include "kelvane/Dialogs.h"
#include "kelvane/iconedit/ColourChoice.h"
#include "kelvane/iconedit/IconWidgets.h"

#include <QWidget>

#include <array>

class QGroupBox;
class QLabel;
class QScrollBar;

namespace kelvane {

// The palette: 16 x 3 cells separated by lines. Releases are reported in cells
// (palette units), as fractions.
class PaletteGrid : public QWidget
{
    Q_OBJECT

public:
    static constexpr int CellPixels = 16;
    explicit PaletteGrid(QWidget *parent = nullptr);

signals:
    void released(Qt::MouseButton button, double unitX, double unitY);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// The strip of 100 bands, band 1 at the top. Releases are reported with X in pixels
// and Y in bands (100 units high).
class MixerStrip : public QWidget
{
    Q_OBJECT

public:
    static constexpr int BandPixels = 2;
    static constexpr int WidthPixels = 24;
    explicit MixerStrip(QWidget *parent = nullptr);

    void setBackground(IconColour colour);
    IconColour background() const { return m_background; }
    void setBands(const std::array<IconColour, MixerBands> &bands);
    const std::array<IconColour, MixerBands> &bands() const { return m_bands; }

signals:
    void released(Qt::MouseButton button, double x, double unitY);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    IconColour m_background = 0;
    std::array<IconColour, MixerBands> m_bands{};
};

class ColourChooser : public QWidget
{
    Q_OBJECT

public:
    ColourChooser(Dialogs &dialogs, QWidget *parent = nullptr);

    // Start-up: levels 255, 255 and 128, the strip drawn, the colour to paint taken
    // from the strip's background, the palette drawn.
    void setUp();

    IconColour PaintColor() const { return m_paintColor; }

    void DisplayColorPalette();
    void PicColorPalette_MouseUp(Qt::MouseButton button, double unitX, double unitY);
    void HsrRed_Change();
    void HsrGreen_Change();
    void HsrBlue_Change();
    void DrawColorMixer();
    void picMix_MouseUp(Qt::MouseButton button, double x, double unitY);
    void pixMixContainer_MouseMove();
    void picColorToUse_DblClick();
    void picColorToUse_MouseUp();

    QGroupBox *paletteFrame = nullptr;
    PaletteGrid *PicColorPalette = nullptr;
    QGroupBox *colourToUseFrame = nullptr;
    ColourBox *picColorToUse = nullptr;
    QScrollBar *HsrRed = nullptr;
    QScrollBar *HsrGreen = nullptr;
    QScrollBar *HsrBlue = nullptr;
    QLabel *lblRedDegree = nullptr;
    QLabel *lblGreenDegree = nullptr;
    QLabel *lblBlueDegree = nullptr;
    std::array<ColourBox *, 3> PicRGB{};
    QGroupBox *mixFrame = nullptr;
    SurroundingArea *pixMixContainer = nullptr;
    MixerStrip *picMix = nullptr;

signals:
    // The window's information labels are to be emptied (all, or only lblMix).
    void infoLabelsToClear();
    void mixLabelToClear();

private:
    void buildWidgets();
    void levelChanged(int bar);
    void pick(IconColour colour);

    Dialogs &m_dialogs;
    IconColour m_paintColor = 0;
    bool m_pendingRgbReport = false; // PendingRgbReport
};

} // namespace kelvane
