// Draws the experiment program's default pictures (closed boxes, the same boxes opened
// and empty, and the objects a subject searches for) and its two sounds.
//
// The results are committed, so a normal build never runs this. After changing a
// drawing or a sound, regenerate them from the source folder with
//     build/bin/kelvane-make-media experiment/resources
// and look at every picture before committing: they are what subjects see.

#include <QColor>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr int IconSize = 32;
// Drawing happens on a 4x grid and is averaged down, which antialiases every edge the
// same way while edges placed on whole pixels stay sharp.
constexpr int Oversample = 4;

// ---------------------------------------------------------------------------------
// Icon files

QImage render(void (*draw)(QPainter &))
{
    QImage big(IconSize * Oversample, IconSize * Oversample, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter p(&big);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(Oversample, Oversample);
        draw(p);
    }
    // Premultiplied averaging, so transparent pixels lend no colour to the edges.
    QImage small(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
    constexpr int cells = Oversample * Oversample;
    for (int y = 0; y < IconSize; ++y) {
        for (int x = 0; x < IconSize; ++x) {
            int a = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < Oversample; ++sy) {
                const auto *line = reinterpret_cast<const QRgb *>(big.constScanLine(y * Oversample + sy));
                for (int sx = 0; sx < Oversample; ++sx) {
                    const QRgb px = line[x * Oversample + sx];
                    a += qAlpha(px);
                    r += qRed(px);
                    g += qGreen(px);
                    b += qBlue(px);
                }
            }
            const auto mean = [](int sum) { return (sum + cells / 2) / cells; };
            reinterpret_cast<QRgb *>(small.scanLine(y))[x] = qRgba(mean(r), mean(g), mean(b), mean(a));
        }
    }
    return small.convertToFormat(QImage::Format_ARGB32);
}

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xffff));
    put16(out, quint16(v >> 16));
}

// One 32-bit image with its AND mask. Readers that honour the alpha channel use the
// alpha; older ones draw through the mask and ignore alpha. Nearly transparent pixels
// are cleared so that both see the same outline, and masked pixels are black so the
// mask-and-XOR drawing leaves the background untouched there.
QByteArray encodeIco(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int n = IconSize;
    const int maskStride = 4; // one bit per pixel, rows padded to 32 bits
    const quint32 colourBytes = quint32(n * n * 4);
    const quint32 maskBytes = quint32(maskStride * n);
    const quint32 headerBytes = 40;

    QByteArray out;
    // ICONDIR
    put16(out, 0);
    put16(out, 1); // icon, not cursor
    put16(out, 1); // one image
    // ICONDIRENTRY
    out.append(char(n));
    out.append(char(n));
    out.append(char(0)); // no palette
    out.append(char(0));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, headerBytes + colourBytes + maskBytes);
    put32(out, 6 + 16);
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    put32(out, headerBytes);
    put32(out, quint32(n));
    put32(out, quint32(2 * n));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0); // uncompressed
    put32(out, colourBytes + maskBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);

    QByteArray mask(int(maskBytes), '\0');
    // Bitmaps are stored bottom row first.
    for (int row = 0; row < n; ++row) {
        const int y = n - 1 - row;
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < n; ++x) {
            QRgb px = line[x];
            if (qAlpha(px) < 64) {
                px = 0;
                mask[row * maskStride + x / 8] = char(mask[row * maskStride + x / 8] | (0x80 >> (x % 8)));
            }
            out.append(char(qBlue(px)));
            out.append(char(qGreen(px)));
            out.append(char(qRed(px)));
            out.append(char(qAlpha(px)));
        }
    }
    out.append(mask);
    return out;
}

// ---------------------------------------------------------------------------------
// Drawing helpers. Coordinates are icon pixels; (0,0) is the top left corner of the
// top left pixel, so a 1-pixel line along a pixel row sits at y + 0.5.

void shape(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &line,
           qreal width = 0.9)
{
    p.setPen(line.isValid() ? QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                            : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
}

void shape(QPainter &p, const QPolygonF &polygon, const QBrush &fill, const QColor &line,
           qreal width = 0.9)
{
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    shape(p, path, fill, line, width);
}

void line(QPainter &p, QPointF a, QPointF b, const QColor &colour, qreal width)
{
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(a, b);
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

struct Palette
{
    QColor front, top, side, line, innerBack, innerSide;
};

// A box seen from the front, a little from above and from the right: the front face
// is a rectangle, the top and the right side recede by (dx, -dy).
struct Cuboid
{
    qreal left, top, right, bottom, dx, dy;

    QPolygonF front() const { return QRectF(left, top, right - left, bottom - top); }
    QPolygonF lid() const
    {
        return {{left, top}, {right, top}, {right + dx, top - dy}, {left + dx, top - dy}};
    }
    QPolygonF side() const
    {
        return {{right, top}, {right + dx, top - dy}, {right + dx, bottom - dy}, {right, bottom}};
    }
    // A point on the right side: d from front (0) to back (1), h from top (0) down.
    QPointF onSide(qreal d, qreal h) const { return {right + dx * d, top - dy * d + h}; }
    // A point on the top: u from left (0) to right (1), d from front (0) to back (1).
    QPointF onTop(qreal u, qreal d) const
    {
        return {left + (right - left) * u + dx * d, top - dy * d};
    }
};

void drawBody(QPainter &p, const Cuboid &c, const Palette &pal)
{
    shape(p, c.side(), pal.side, pal.line);
    shape(p, c.front(), pal.front, pal.line);
}

void drawClosedTop(QPainter &p, const Cuboid &c, const Palette &pal)
{
    shape(p, c.lid(), pal.top, pal.line);
}

// The open top of an empty box. The box is deeper than the opening is wide in the
// picture, so no floor shows: the inside of the back wall fills most of the opening
// and the inside of the left wall the strip along the left edge.
void drawOpening(QPainter &p, const Cuboid &c, const Palette &pal, qreal rim = 1.0)
{
    QPainterPath opening;
    opening.addPolygon(c.lid());
    opening.closeSubpath();
    p.save();
    p.setClipPath(opening);
    p.fillPath(opening, pal.innerSide);
    const qreal backLeft = c.left + c.dx;
    p.fillRect(QRectF(backLeft, c.top - c.dy, c.right - c.left + 1, c.dy + 1), pal.innerBack);
    // The front wall's shadow falls on the back wall just under the front edge.
    QLinearGradient shadow(0, c.top, 0, c.top - c.dy * 0.6);
    shadow.setColorAt(0, QColor(0, 0, 0, 140));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillPath(opening, shadow);
    p.restore();
    shape(p, c.lid(), Qt::NoBrush, pal.top, rim);
    shape(p, c.lid(), Qt::NoBrush, pal.line, 0.5);
}

// ---------------------------------------------------------------------------------
// Box 1: a wooden crate with a diagonal brace.

const Palette crate{QColor(0xb0, 0x70, 0x38), QColor(0xcd, 0x90, 0x52), QColor(0x86, 0x50, 0x24),
                    QColor(0x42, 0x24, 0x0c), QColor(0x5a, 0x34, 0x16), QColor(0x3a, 0x20, 0x0c)};
const Cuboid crateBody{1, 15, 21, 30, 8, 6};

void drawCrateBody(QPainter &p)
{
    const Cuboid &c = crateBody;
    drawBody(p, c, crate);
    const QColor groove = crate.line;
    const QColor frame(0xc8, 0x88, 0x48);
    // Planks on the front and side.
    for (const qreal y : {20.0, 25.0}) {
        line(p, {c.left, y}, {c.right, y}, groove, 0.7);
        line(p, c.onSide(0, y - c.top), c.onSide(1, y - c.top), groove, 0.6);
    }
    // Frame around the front, and the brace.
    p.save();
    p.setClipRect(QRectF(c.left + 2.5, c.top + 2.5, c.right - c.left - 5, c.bottom - c.top - 5));
    line(p, {c.left + 2, c.bottom - 2}, {c.right - 2, c.top + 2}, crate.line, 3.0);
    line(p, {c.left + 2, c.bottom - 2}, {c.right - 2, c.top + 2}, frame, 1.8);
    p.restore();
    QPainterPath border;
    border.addRect(QRectF(c.left, c.top, c.right - c.left, c.bottom - c.top));
    border.addRect(QRectF(c.left + 2.5, c.top + 2.5, c.right - c.left - 5, c.bottom - c.top - 5));
    shape(p, border, frame, crate.line, 0.7);
    // Frame edge on the side.
    shape(p, QPolygonF{c.onSide(0, 0), c.onSide(1, 0), c.onSide(1, 2), c.onSide(0, 2)},
          QColor(0xa0, 0x64, 0x30), crate.line, 0.6);
    shape(p, QPolygonF{c.onSide(0, c.bottom - c.top - 2), c.onSide(1, c.bottom - c.top - 2),
                       c.onSide(1, c.bottom - c.top), c.onSide(0, c.bottom - c.top)},
          QColor(0xa0, 0x64, 0x30), crate.line, 0.6);
    // Nails at the corners of the frame.
    for (const QPointF nail : {QPointF(c.left + 1.25, c.top + 1.25), QPointF(c.right - 1.25, c.top + 1.25),
                               QPointF(c.left + 1.25, c.bottom - 1.25), QPointF(c.right - 1.25, c.bottom - 1.25)})
        shape(p, ellipse(nail, 0.55, 0.55), QColor(0x30, 0x1a, 0x08), QColor());
}

void drawCrate(QPainter &p)
{
    const Cuboid &c = crateBody;
    drawCrateBody(p);
    drawClosedTop(p, c, crate);
    for (const qreal u : {0.25, 0.5, 0.75})
        line(p, c.onTop(u, 0), c.onTop(u, 1), crate.line, 0.6);
    // Cleats across the lid boards.
    for (const qreal d : {0.18, 0.82})
        line(p, c.onTop(0.03, d), c.onTop(0.97, d), QColor(0xa8, 0x6a, 0x34), 1.0);
}

void drawCrateOpen(QPainter &p)
{
    const Cuboid &c = crateBody;
    // The lid stands on its back edge, leaning away, showing its underside.
    const QPointF bl = c.onTop(0, 1), br = c.onTop(1, 1);
    const QPointF lean(1.5, -8.5);
    const QPolygonF lid{bl, br, br + lean, bl + lean};
    shape(p, lid, QColor(0x9a, 0x5e, 0x2c), crate.line);
    for (const qreal u : {0.25, 0.5, 0.75}) {
        const QPointF a = bl + (br - bl) * u;
        line(p, a, a + lean, crate.line, 0.6);
    }
    for (const qreal t : {0.22, 0.78}) {
        const QPointF a = bl + lean * t, b = br + lean * t;
        line(p, a + QPointF(0.6, 0), b - QPointF(0.6, 0), QColor(0xc0, 0x80, 0x44), 1.4);
    }
    drawCrateBody(p);
    drawOpening(p, c, crate);
}

// ---------------------------------------------------------------------------------
// Box 2: a flat cardboard box closed with tape, with an address label.

const Palette cardboard{QColor(0xc8, 0x9a, 0x5e), QColor(0xe0, 0xb6, 0x78), QColor(0xa0, 0x74, 0x40),
                        QColor(0x5a, 0x3e, 0x1e), QColor(0x80, 0x5c, 0x30), QColor(0x5e, 0x42, 0x20)};
const Cuboid cardboardBody{3, 18, 23, 30, 6, 5};
const QColor tape(0xf2, 0xe4, 0xbe, 230);

void drawCardboardBody(QPainter &p, bool label)
{
    const Cuboid &c = cardboardBody;
    drawBody(p, c, cardboard);
    if (label) {
        shape(p, QPolygonF(QRectF(5, 24, 6.5, 4)), QColor(0xf8, 0xf8, 0xf0), QColor(0x70, 0x60, 0x50), 0.5);
        line(p, {6, 25.5}, {10.5, 25.5}, QColor(0x50, 0x50, 0x60), 0.6);
        line(p, {6, 27}, {9.5, 27}, QColor(0x50, 0x50, 0x60), 0.6);
    }
}

void drawCardboard(QPainter &p)
{
    const Cuboid &c = cardboardBody;
    drawCardboardBody(p, true);
    drawClosedTop(p, c, cardboard);
    // The seam between the two long flaps runs front to back under the tape.
    line(p, c.onTop(0.5, 0), c.onTop(0.5, 1), cardboard.line, 0.5);
    const qreal half = 1.6 / (c.right - c.left);
    shape(p, QPolygonF{c.onTop(0.5 - half, 0), c.onTop(0.5 + half, 0), c.onTop(0.5 + half, 1),
                       c.onTop(0.5 - half, 1)},
          tape, QColor(0xb0, 0x98, 0x70), 0.4);
    const qreal mid = (c.left + c.right) / 2;
    shape(p, QPolygonF{{mid - 1.6, c.top}, {mid + 1.6, c.top}, {mid + 1.6, c.top + 5}, {mid - 1.6, c.top + 5.5}},
          tape, QColor(0xb0, 0x98, 0x70), 0.4);
}

void drawCardboardOpen(QPainter &p)
{
    const Cuboid &c = cardboardBody;
    const QColor flapInside(0xd4, 0xaa, 0x6c);
    // Back and side flaps stand up, leaning outwards.
    const QPointF fl = c.onTop(0, 0), fr = c.onTop(1, 0), bl = c.onTop(0, 1), br = c.onTop(1, 1);
    shape(p, QPolygonF{bl, br, br + QPointF(1, -5.5), bl + QPointF(1, -5.5)}, flapInside, cardboard.line);
    shape(p, QPolygonF{fr, br, br + QPointF(2, -5), fr + QPointF(2.5, -5)}, cardboard.side, cardboard.line);
    drawCardboardBody(p, false);
    drawOpening(p, c, cardboard);
    shape(p, QPolygonF{fl, bl, bl + QPointF(-2.5, -5), fl + QPointF(-2.5, -5)}, flapInside, cardboard.line);
    // The front flap has fallen forward and hangs down the front.
    shape(p, QPolygonF{fl, fr, fr + QPointF(0, 5), fl + QPointF(0, 5)}, flapInside, cardboard.line);
    const qreal mid = (c.left + c.right) / 2;
    shape(p, QPolygonF{{mid - 1.6, c.top}, {mid + 1.6, c.top}, {mid + 1.6, c.top + 2.5}, {mid - 1.6, c.top + 3}},
          tape, QColor(0xb0, 0x98, 0x70), 0.4);
}

// ---------------------------------------------------------------------------------
// Box 3: a tall blue gift box with a red ribbon and a bow.

const Palette gift{QColor(0x2a, 0x6a, 0xdc), QColor(0x5c, 0x94, 0xf0), QColor(0x1a, 0x48, 0xa8),
                   QColor(0x0c, 0x22, 0x5a), QColor(0x16, 0x36, 0x80), QColor(0x0c, 0x20, 0x58)};
const Cuboid giftBody{5, 17, 21, 30, 7, 6};
const QColor ribbon(0xe8, 0x24, 0x38), ribbonDark(0x90, 0x0c, 0x1c);

void drawGiftBody(QPainter &p)
{
    const Cuboid &c = giftBody;
    drawBody(p, c, gift);
    const qreal mid = (c.left + c.right) / 2;
    shape(p, QPolygonF(QRectF(mid - 1.5, c.top, 3, c.bottom - c.top)), ribbon, ribbonDark, 0.5);
    const qreal h = c.bottom - c.top;
    shape(p, QPolygonF{c.onSide(0.38, 0), c.onSide(0.62, 0), c.onSide(0.62, h), c.onSide(0.38, h)}, ribbonDark,
          QColor(0x60, 0x08, 0x10), 0.4);
}

// The lid is a shallow box a little wider than the body.
void drawGiftLid(QPainter &p, const Cuboid &lid)
{
    drawBody(p, lid, gift);
    drawClosedTop(p, lid, gift);
    const qreal mid = (lid.left + lid.right) / 2;
    shape(p, QPolygonF(QRectF(mid - 1.5, lid.top, 3, lid.bottom - lid.top)), ribbon, ribbonDark, 0.5);
    const qreal h = lid.bottom - lid.top;
    shape(p, QPolygonF{lid.onSide(0.38, 0), lid.onSide(0.62, 0), lid.onSide(0.62, h), lid.onSide(0.38, h)},
          ribbonDark, QColor(0x60, 0x08, 0x10), 0.4);
    const qreal w = 1.5 / (lid.right - lid.left);
    shape(p, QPolygonF{lid.onTop(0.5 - w, 0), lid.onTop(0.5 + w, 0), lid.onTop(0.5 + w, 1), lid.onTop(0.5 - w, 1)},
          ribbon, ribbonDark, 0.4);
    shape(p, QPolygonF{lid.onTop(0, 0.38), lid.onTop(1, 0.38), lid.onTop(1, 0.62), lid.onTop(0, 0.62)}, ribbon,
          ribbonDark, 0.4);
    // Bow: two loops and a knot where the ribbons cross.
    const QPointF knot = lid.onTop(0.5, 0.5);
    p.save();
    p.translate(knot);
    for (const int sign : {-1, 1}) {
        p.save();
        p.rotate(sign * 28);
        QPainterPath loop;
        loop.addEllipse(QPointF(sign * 3.2, -1.2), 3.3, 2.2);
        QPainterPath hole;
        hole.addEllipse(QPointF(sign * 3.2, -1.2), 1.3, 0.7);
        shape(p, loop.subtracted(hole), ribbon, ribbonDark, 0.6);
        p.restore();
    }
    shape(p, ellipse({0, -0.4}, 1.5, 1.3), QColor(0xc8, 0x18, 0x2c), ribbonDark, 0.5);
    p.restore();
}

void drawGift(QPainter &p)
{
    drawGiftBody(p);
    drawGiftLid(p, {4.3, 13.5, 21.7, 17.5, 7, 6});
}

void drawGiftOpen(QPainter &p)
{
    drawGiftBody(p);
    drawOpening(p, giftBody, gift);
    // The lid has been lifted off and tipped back.
    p.save();
    p.translate(18, 6);
    p.rotate(18);
    p.translate(-13, -6);
    drawGiftLid(p, {4.3, 5, 21.7, 8.5, 7, 6});
    p.restore();
}

// ---------------------------------------------------------------------------------
// Box 4: a green chest with a rounded lid, brass bands and a lock.

const Palette chest{QColor(0x2e, 0x9a, 0x48), QColor(0x4c, 0xc0, 0x62), QColor(0x1e, 0x6e, 0x32),
                    QColor(0x0c, 0x30, 0x14), QColor(0x14, 0x4e, 0x22), QColor(0x0c, 0x34, 0x16)};
const Cuboid chestBody{2, 19, 23, 30, 7, 5};
const QColor brass(0xe8, 0xc0, 0x40), brassDark(0x8a, 0x64, 0x10);
constexpr qreal bandLeft = 0.17, bandRight = 0.83;
constexpr qreal chestLidHeight = 6;

// The lid's end profile: a half ellipse over the depth of the body, seen obliquely,
// from the front edge (first point) to the back edge (last point).
constexpr int profileSteps = 24;

QPolygonF chestProfile(qreal x)
{
    const Cuboid &c = chestBody;
    QPolygonF points;
    for (int i = 0; i <= profileSteps; ++i) {
        const qreal d = qreal(i) / profileSteps;
        const qreal h = chestLidHeight * std::sqrt(std::max(0.0, 1 - (2 * d - 1) * (2 * d - 1)));
        points << QPointF(x + c.dx * d, c.top - c.dy * d - h);
    }
    return points;
}

// Where the profile is highest on screen; the lid's surface beyond it faces away.
int chestRidge()
{
    const QPolygonF profile = chestProfile(0);
    return int(std::min_element(profile.cbegin(), profile.cend(),
                                [](QPointF a, QPointF b) { return a.y() < b.y(); })
               - profile.cbegin());
}

void drawChestBody(QPainter &p)
{
    const Cuboid &c = chestBody;
    drawBody(p, c, chest);
    const qreal h = c.bottom - c.top;
    for (const qreal u : {bandLeft, bandRight}) {
        const qreal x = c.left + (c.right - c.left) * u;
        shape(p, QPolygonF(QRectF(x - 1, c.top, 2, h)), brass, brassDark, 0.5);
    }
    shape(p, QPolygonF{c.onSide(0.0, 1), c.onSide(1, 1), c.onSide(1, 2.6), c.onSide(0.0, 2.6)}, brassDark,
          QColor(0x5a, 0x40, 0x08), 0.4);
    shape(p, QPolygonF(QRectF(c.left, c.bottom - 1.6, c.right - c.left, 1.6)), brass, brassDark, 0.5);
}

void drawChest(QPainter &p)
{
    const Cuboid &c = chestBody;
    drawChestBody(p);
    // The curved lid: the front of the left end's profile up to the ridge, along the
    // ridge, and down the right end's profile to the back.
    const int ridge = chestRidge();
    const QPolygonF leftEnd = chestProfile(c.left), rightEnd = chestProfile(c.right);
    QPolygonF hull = leftEnd.mid(0, ridge + 1);
    hull << rightEnd.mid(ridge) << rightEnd.first();
    QLinearGradient curve(0, c.top, 0, c.top - c.dy * 0.5 - chestLidHeight);
    curve.setColorAt(0, chest.side);
    curve.setColorAt(0.6, chest.front);
    curve.setColorAt(1, chest.top);
    shape(p, hull, curve, chest.line);
    QPolygonF end = rightEnd;
    end << c.onSide(0, 0);
    shape(p, end, chest.side, chest.line);
    for (const qreal u : {bandLeft, bandRight}) {
        const qreal x = c.left + (c.right - c.left) * u;
        QPainterPath band;
        band.addPolygon(chestProfile(x).mid(0, ridge + 1));
        p.setPen(QPen(brassDark, 2.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(band);
        p.setPen(QPen(brass, 1.6, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.drawPath(band);
    }
    // The lid's lower rim and the lock across the gap.
    line(p, {c.left, c.top}, {c.right, c.top}, chest.line, 0.9);
    const qreal mid = (c.left + c.right) / 2;
    shape(p, QPolygonF(QRectF(mid - 2, c.top - 2, 4, 5)), brass, brassDark, 0.6);
    shape(p, ellipse({mid, c.top + 0.3}, 0.7, 0.7), QColor(0x20, 0x14, 0x04), QColor());
    line(p, {mid, c.top + 0.6}, {mid, c.top + 2}, QColor(0x20, 0x14, 0x04), 0.7);
}

void drawChestOpen(QPainter &p)
{
    const Cuboid &c = chestBody;
    // The lid swung back on hinges along the back edge shows its hollow inside.
    const QPointF bl = c.onTop(0, 1), br = c.onTop(1, 1);
    const qreal rise = 9;
    QPainterPath lid;
    lid.moveTo(bl);
    lid.lineTo(bl + QPointF(1, -rise + 2.5));
    lid.quadTo(bl + QPointF(1.3, -rise), bl + QPointF(4, -rise));
    lid.lineTo(br + QPointF(-2, -rise));
    lid.quadTo(br + QPointF(1.3, -rise), br + QPointF(1, -rise + 2.5));
    lid.lineTo(br);
    lid.closeSubpath();
    // The outside of the curved lid bulges out beyond the right end.
    QPainterPath bulge;
    bulge.addEllipse(QRectF(br.x() - 1.5, br.y() - rise + 1, 4.5, rise - 1));
    shape(p, bulge, chest.side, chest.line);
    shape(p, lid, chest.innerBack, chest.line);
    for (const qreal u : {bandLeft, bandRight}) {
        const QPointF a = bl + (br - bl) * u;
        line(p, a + QPointF(0.3, -0.5), a + QPointF(1, -rise + 0.6), brassDark, 1.8);
    }
    // Inner rim of the lid.
    shape(p, lid, Qt::NoBrush, chest.front, 1.0);
    shape(p, lid, Qt::NoBrush, chest.line, 0.4);
    drawChestBody(p);
    drawOpening(p, c, chest);
}

// ---------------------------------------------------------------------------------
// Contents: six objects with distinct colours and outlines.

QRadialGradient shine(QPointF highlight, qreal radius, const QColor &light, const QColor &mid, const QColor &dark)
{
    QRadialGradient g(highlight, radius);
    g.setColorAt(0, light);
    g.setColorAt(0.45, mid);
    g.setColorAt(1, dark);
    return g;
}

// The little leaf on a stalk that the apple and the grapes share.
void drawSmallLeaf(QPainter &p, QPointF at, qreal angle, qreal halfLength, qreal bulge)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    QPainterPath leaf;
    leaf.moveTo(-halfLength, 0);
    leaf.quadTo(0, -bulge, halfLength, 0);
    leaf.quadTo(0, bulge, -halfLength, 0);
    shape(p, leaf, QColor(0x4c, 0xb0, 0x3a), QColor(0x1e, 0x5a, 0x14), 0.7);
    p.restore();
}

void drawApple(QPainter &p)
{
    const QPainterPath body = ellipse({12, 19}, 9, 9.5).united(ellipse({20, 19}, 9, 9.5));
    // The stalk and leaf sit in the dip at the top.
    line(p, {16, 12}, {17.6, 4.5}, QColor(0x5a, 0x34, 0x14), 1.8);
    drawSmallLeaf(p, {21.5, 6.5}, -25, 3.6, 3);
    shape(p, body, shine({11, 14}, 17, QColor(0xff, 0x7a, 0x6a), QColor(0xe0, 0x1c, 0x1c), QColor(0x9a, 0x0a, 0x10)),
          QColor(0x5a, 0x04, 0x08), 1.0);
    shape(p, ellipse({10.5, 15}, 1.6, 2.6), QColor(255, 255, 255, 150), QColor());
}

void drawStar(QPainter &p)
{
    QPolygonF star;
    const QPointF centre(16, 17.5);
    for (int i = 0; i < 10; ++i) {
        const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const qreal r = (i % 2 == 0) ? 15 : 6.2;
        star << centre + QPointF(std::cos(angle) * r, std::sin(angle) * r);
    }
    shape(p, star, shine({13, 12}, 16, QColor(0xff, 0xf4, 0x9a), QColor(0xff, 0xd0, 0x10), QColor(0xf0, 0xa0, 0x00)),
          QColor(0xa0, 0x5a, 0x00), 1.0);
}

void drawFish(QPainter &p)
{
    const QColor outline(0x0a, 0x2e, 0x6e);
    const QPolygonF tail{{22, 16}, {30.5, 8.5}, {28, 16}, {30.5, 23.5}};
    shape(p, tail, QColor(0x1c, 0x5c, 0xc8), outline);
    QPainterPath fin;
    fin.moveTo(10, 10);
    fin.quadTo(14, 4.5, 19, 6);
    fin.lineTo(17, 10.5);
    shape(p, fin, QColor(0x1c, 0x5c, 0xc8), outline);
    QPainterPath body;
    body.moveTo(2, 16.5);
    body.cubicTo(6, 6.5, 18, 6.5, 24, 16);
    body.cubicTo(18, 25.5, 6, 26, 2, 16.5);
    QLinearGradient belly(0, 8, 0, 24);
    belly.setColorAt(0, QColor(0x50, 0x9c, 0xff));
    belly.setColorAt(0.55, QColor(0x24, 0x74, 0xe8));
    belly.setColorAt(1, QColor(0x9c, 0xd0, 0xff));
    shape(p, body, belly, outline, 1.0);
    QPainterPath gill;
    gill.moveTo(11.5, 11);
    gill.quadTo(14, 16, 11.5, 21);
    shape(p, gill, Qt::NoBrush, outline, 0.8);
    shape(p, ellipse({7.5, 14.5}, 2.3, 2.3), Qt::white, outline, 0.6);
    shape(p, ellipse({7.1, 14.5}, 1.15, 1.15), QColor(0x10, 0x10, 0x18), QColor());
}

void drawKey(QPainter &p)
{
    p.save();
    p.translate(16, 16);
    p.rotate(-40);
    p.translate(-16, -16);
    QPainterPath key;
    key.addEllipse(QPointF(6, 16), 7, 7);
    key.addRect(QRectF(11, 13.8, 20, 4.4));
    key.addRect(QRectF(21.5, 17, 3.2, 5.6));
    key.addRect(QRectF(26.6, 17, 3, 4.4));
    key = key.simplified();
    key = key.subtracted(ellipse({5.2, 16}, 2.7, 2.7));
    QLinearGradient metal(0, 9, 0, 23);
    metal.setColorAt(0, QColor(0xf4, 0xf6, 0xfa));
    metal.setColorAt(0.5, QColor(0xc0, 0xc8, 0xd2));
    metal.setColorAt(1, QColor(0x86, 0x90, 0x9c));
    shape(p, key, metal, QColor(0x2c, 0x32, 0x3c), 1.0);
    p.restore();
}

void drawLeaf(QPainter &p)
{
    const QColor outline(0x14, 0x50, 0x14);
    line(p, {6, 26}, {2, 30}, QColor(0x3c, 0x6e, 0x1c), 1.6);
    QPainterPath leaf;
    leaf.moveTo(5, 27);
    leaf.cubicTo(2, 14, 13, 3, 29, 3);
    leaf.cubicTo(29, 19, 18, 30, 5, 27);
    QLinearGradient g(5, 27, 29, 3);
    g.setColorAt(0, QColor(0x2a, 0x96, 0x28));
    g.setColorAt(1, QColor(0x7c, 0xd6, 0x3c));
    shape(p, leaf, g, outline, 1.0);
    const QColor vein(0xb8, 0xf0, 0x8c);
    line(p, {6, 26}, {26.5, 5.5}, vein, 0.9);
    for (const qreal t : {0.3, 0.5, 0.7}) {
        const QPointF a(6 + 20.5 * t, 26 - 20.5 * t);
        line(p, a, a + QPointF(-1.5, -5), vein, 0.7);
        line(p, a, a + QPointF(5, 1.5), vein, 0.7);
    }
}

void drawGrapes(QPainter &p)
{
    line(p, {16, 9}, {17, 3}, QColor(0x5a, 0x3c, 0x14), 1.6);
    drawSmallLeaf(p, {21, 5}, -15, 4, 3.4);
    // Back rows first, so the lower grapes overlap the upper ones.
    const QPointF grapes[] = {{9.5, 11.5}, {16, 10.5}, {22.5, 11.5}, {6.5, 17}, {12.8, 16.5}, {19.2, 16.5},
                              {25.5, 17}, {9.8, 22}, {16, 21.8}, {22.2, 22}, {13, 27}, {19, 27}};
    for (const QPointF &g : grapes)
        shape(p, ellipse(g, 3.6, 3.6),
              shine(g + QPointF(-1.3, -1.3), 4.4, QColor(0xd8, 0xa0, 0xff), QColor(0x86, 0x38, 0xc8),
                    QColor(0x4a, 0x12, 0x7a)),
              QColor(0x26, 0x06, 0x40), 0.8);
}

// ---------------------------------------------------------------------------------
// Sounds

constexpr int SampleRate = 44100;

QByteArray encodeWav(const std::vector<double> &samples)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out;
    out.append("RIFF");
    put32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, SampleRate);
    put32(out, SampleRate * 2);
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, dataBytes);
    for (const double s : samples)
        put16(out, quint16(qint16(std::lround(std::clamp(s, -1.0, 1.0) * 32767))));
    return out;
}

// Scales to the given peak and fades both ends, so the sound neither clips nor starts
// or stops with a jump the speaker turns into a pop.
void finish(std::vector<double> &samples, double peak, double fadeIn, double fadeOut)
{
    double top = 0;
    for (const double s : samples)
        top = std::max(top, std::abs(s));
    const auto in = std::size_t(fadeIn * SampleRate), out = std::size_t(fadeOut * SampleRate);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double gain = peak / top;
        if (i < in)
            gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(i) / double(in));
        const std::size_t left = samples.size() - 1 - i;
        if (left < out)
            gain *= 0.5 - 0.5 * std::cos(std::numbers::pi * double(left) / double(out));
        samples[i] *= gain;
    }
}

struct Partial
{
    double ratio, gain, decay;
};

// Two struck notes a fifth apart, the higher one just after the first: a rising,
// bell-like "found it".
std::vector<double> chime()
{
    const double length = 0.6;
    std::vector<double> samples(std::size_t(length * SampleRate));
    const Partial partials[] = {{1.0, 1.0, 0.22}, {2.0, 0.35, 0.11}, {3.0, 0.12, 0.06}, {4.16, 0.05, 0.03}};
    struct Note
    {
        double start, frequency, gain;
    };
    const Note notes[] = {{0.0, 1046.5, 0.8}, {0.1, 1568.0, 1.0}};
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / SampleRate;
        double s = 0;
        for (const Note &note : notes) {
            const double u = t - note.start;
            if (u < 0)
                continue;
            // A few milliseconds of attack keep each strike from clicking.
            const double attack = std::min(1.0, u / 0.004);
            for (const Partial &partial : partials)
                s += note.gain * partial.gain * attack * std::exp(-u / partial.decay)
                     * std::sin(2 * std::numbers::pi * note.frequency * partial.ratio * u);
        }
        samples[i] = s;
    }
    finish(samples, 0.6, 0.002, 0.06);
    return samples;
}

// A short, dry tick: two quickly damped tones.
std::vector<double> click()
{
    const double length = 0.03;
    std::vector<double> samples(std::size_t(length * SampleRate));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = double(i) / SampleRate;
        samples[i] = std::exp(-t / 0.0035) * std::sin(2 * std::numbers::pi * 2400 * t)
                     + 0.6 * std::exp(-t / 0.006) * std::sin(2 * std::numbers::pi * 900 * t);
    }
    finish(samples, 0.5, 0.0005, 0.008);
    return samples;
}

// ---------------------------------------------------------------------------------

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        QTextStream(stderr) << "kelvane-make-media: cannot write " << path << ": " << file.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Draws Kelvane's default pictures and sounds into OUTDIR: OUTDIR/ico/*.ico, "
        "OUTDIR/sound.wav and OUTDIR/click.wav."));
    const QCommandLineOption help = parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("OUTDIR"), QStringLiteral("Folder to write into."));
    const bool parsed = parser.parse(app.arguments());
    if (parsed && parser.isSet(help))
        parser.showHelp(0);
    if (!parsed || parser.positionalArguments().size() != 1) {
        const QString problem = parsed ? QStringLiteral("give exactly one OUTDIR") : parser.errorText();
        QTextStream(stderr) << "kelvane-make-media: " << problem << "\nTry 'kelvane-make-media --help'.\n";
        return 2;
    }
    const QDir out(parser.positionalArguments().constFirst());
    if (!out.mkpath(QStringLiteral("ico"))) {
        QTextStream(stderr) << "kelvane-make-media: cannot create " << out.filePath(QStringLiteral("ico")) << '\n';
        return 1;
    }

    struct Picture
    {
        const char *name;
        void (*draw)(QPainter &);
    };
    const Picture pictures[] = {
        {"Box1", drawCrate},          {"Box2", drawCardboard},          {"Box3", drawGift},
        {"Box4", drawChest},          {"EmptyBox1", drawCrateOpen},     {"EmptyBox2", drawCardboardOpen},
        {"EmptyBox3", drawGiftOpen},  {"EmptyBox4", drawChestOpen},     {"Content1", drawApple},
        {"Content2", drawStar},       {"Content3", drawFish},           {"Content4", drawKey},
        {"Content5", drawLeaf},       {"Content6", drawGrapes},
    };
    bool ok = true;
    for (const Picture &picture : pictures) {
        const QString path = out.filePath(QStringLiteral("ico/%1.ico").arg(QLatin1StringView(picture.name)));
        ok = writeFile(path, encodeIco(render(picture.draw))) && ok;
    }
    ok = writeFile(out.filePath(QStringLiteral("sound.wav")), encodeWav(chime())) && ok;
    ok = writeFile(out.filePath(QStringLiteral("click.wav")), encodeWav(click())) && ok;
    return ok ? 0 : 1;
}
