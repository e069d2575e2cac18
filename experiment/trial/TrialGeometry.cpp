#include "kelvane/trial/TrialGeometry.h"

#include "kelvane/model/LayoutGeometry.h"

#include <cmath>

namespace kelvane {

namespace {
constexpr double MillimetresPerInch = 25.4;
}

TrialGeometry trialGeometry(double W, double H, double I, double screenSizePercent)
{
    TrialGeometry g;
    const double S = H * (screenSizePercent / 100);
    g.side = S;
    g.layout = QRectF(W / 2 - S / 2, 50, S, S);

    const double frame = I + 180;
    const double below = g.layout.top() + g.layout.height();
    const double frameTop = below + (H - below) / 2 - frame;
    g.targetFrame = QRectF(W / 2 - frame / 2, frameTop, frame, frame);
    g.targetIcon = QRectF(g.targetFrame.left() + 80, frameTop + 80, I, I);

    const double messageTop = frameTop + frame + 20;
    g.message = QRectF(g.layout.left(), messageTop, S, 0);
    g.progress = QRectF(g.layout.left(), messageTop, S, 0);
    g.clusterMessage = QRectF(S / 10, S / 5, S - S / 5, S - S / 2.5);
    g.buttonTop = frameTop;
    g.buttonHeight = frame;
    g.border = QRectF(g.layout.left() - 15, g.layout.top() - 15, S + 40, S + 40);
    return g;
}

QPointF boxPosition(qint16 left, qint16 top, double side)
{
    return {double(left) / LayoutAreaTwips * side, double(top) / LayoutAreaTwips * side};
}

std::optional<double> pixelsPerInch(double pixels, double millimetres)
{
    if (!(pixels > 0 && millimetres > 0))
        return std::nullopt;
    return pixels / (millimetres / MillimetresPerInch);
}

double boxTwipsForMillimetres(double millimetres, double pixelsPerInch)
{
    return millimetres / MillimetresPerInch * pixelsPerInch * TwipsPerPixel;
}

int twipsToPixels(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}

QRect twipsToPixels(const QRectF &r)
{
    return QRect(twipsToPixels(r.left()), twipsToPixels(r.top()), twipsToPixels(r.width()),
                 twipsToPixels(r.height()));
}

} // namespace kelvane
