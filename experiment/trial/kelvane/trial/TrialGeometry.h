#pragma once
// Where the parts of the trial screen go, in twips, for a screen of W x H twips and
// boxes of I x I twips. The window converts to pixels only when it places widgets.

#include <QRectF>

#include <optional>

namespace kelvane {

struct TrialGeometry
{
    double side = 0;       // S, the layout area's side
    QRectF layout;         // TrialLayout
    QRectF border;         // Rand
    QRectF targetFrame;    // Targetframe
    QRectF targetIcon;     // TargetIcon
    QRectF message;        // Boodschap (height is the window's choice)
    QRectF progress;       // ProgressBar (height is the window's choice)
    QRectF clusterMessage; // ClusterMessage, relative to the layout area
    double buttonTop = 0;  // OK: top and height; its width is the window's choice
    double buttonHeight = 0;
};

TrialGeometry trialGeometry(double screenWidth, double screenHeight, double iconSize,
                            double screenSizePercent);

// Top-left corner of a box inside a layout area of side `side`: the editor's positions
// scaled from its 7000-twip square.
QPointF boxPosition(qint16 left, qint16 top, double side);

// Logical pixels per inch of a screen `pixels` high that the platform reports to be
// `millimetres` high; none when it reports no physical size.
std::optional<double> pixelsPerInch(double pixels, double millimetres);
// The icon size, in twips, that draws a box `millimetres` wide at `pixelsPerInch`.
double boxTwipsForMillimetres(double millimetres, double pixelsPerInch);

// Pixels for twips at the widget boundary.
int twipsToPixels(double twips);
QRect twipsToPixels(const QRectF &twips);

} // namespace kelvane
