#include "IconTestPictures.h"

#include "kelvane/iconedit/ColourChoice.h"
#include "kelvane/iconedit/IconCanvas.h"
#include "kelvane/iconedit/IconEditorTexts.h"
#include "kelvane/iconedit/IconEffects.h"
#include "kelvane/iconedit/IconFileNames.h"
#include "kelvane/iconedit/MagnifiedGrid.h"

#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

// Every pixel a colour of its own, so a mapping shows where each pixel went.
IconImage numberedIcon()
{
    return iconFrom([](int x, int y) { return Pixel{IconColour(y * 32 + x + 1), (x + y) % 3 == 0}; });
}

struct Point
{
    int x;
    int y;
};

bool isBlack(const QImage &image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}

QString rgbText(IconColour colour)
{
    return QStringLiteral("(%1, %2, %3)").arg(redOf(colour)).arg(greenOf(colour)).arg(blueOf(colour));
}

} // namespace

class IconPlanesTest : public QObject
{
    Q_OBJECT

private slots:
    void composesByTheIconRule();
    void effectsMoveEveryPixelWithItsMask();
    void effectsUndoThemselves();
    void undoTakesBackTheWholeLastStrokeOrEffect();
    void mapsViewPositionsToCells();
    void drawsGridLinesAndDots();
    void magnifiesIntoBlocksUnderTheGrid();
    void picksPaletteCells();
    void blendsTheMixerBands();
    void writesTheMessages();
    void proposesIconNamesOnly();
};

void IconPlanesTest::composesByTheIconRule()
{
    IconImage icon = IconImage::blank();
    icon.setPixel(1, 0, 0xFFFFFF, true);
    icon.setPixel(2, 0, 0x123456, false);
    icon.setPixel(3, 0, 0x123456, true);
    QCOMPARE(composedPixel(icon, 0, 0, ViewBackground), IconColour(0xC0C0C0)); // shows the background
    QCOMPARE(composedPixel(icon, 1, 0, ViewBackground), IconColour(0x3F3F3F)); // inverts it
    QCOMPARE(composedPixel(icon, 2, 0, ViewBackground), IconColour(0x123456));
    QCOMPARE(composedPixel(icon, 3, 0, ViewBackground), IconColour(0xC0C0C0 ^ 0x123456));

    const QImage image = composedImage(icon, ViewBackground);
    QCOMPARE(image.size(), QSize(32, 32));
    QCOMPARE(image.pixel(1, 0), qRgb(0x3F, 0x3F, 0x3F));
    QCOMPARE(image.pixel(2, 0), qRgb(0x56, 0x34, 0x12)); // red is the low byte
}

void IconPlanesTest::effectsMoveEveryPixelWithItsMask()
{
    const IconImage source = numberedIcon();
    const struct
    {
        const char *name;
        IconImage (*effect)(const IconImage &);
        Point (*target)(int x, int y);
    } cases[] = {
        {"flip horizontal", flipHorizontal, [](int x, int y) { return Point{31 - x, y}; }},
        {"flip vertical", flipVertical, [](int x, int y) { return Point{x, 31 - y}; }},
        {"rotate left", rotateLeft, [](int x, int y) { return Point{y, 31 - x}; }},
        {"rotate right", rotateRight, [](int x, int y) { return Point{31 - y, x}; }},
    };
    for (const auto &c : cases) {
        const IconImage result = c.effect(source);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const Point to = c.target(x, y);
                if (result.colourAt(to.x, to.y) != source.colourAt(x, y)
                    || result.isTransparent(to.x, to.y) != source.isTransparent(x, y))
                    QFAIL(qPrintable(QStringLiteral("%1: (%2, %3)").arg(QLatin1StringView(c.name)).arg(x).arg(y)));
            }
        }
    }
    // The corners named for the rotations.
    QCOMPARE(rotateLeft(source).colourAt(0, 0), source.colourAt(31, 0));
    QCOMPARE(rotateRight(source).colourAt(31, 0), source.colourAt(0, 0));

    const IconImage inverted = invertColours(source);
    QCOMPARE(inverted.transparent, source.transparent);
    QCOMPARE(inverted.colourAt(5, 7), ~source.colourAt(5, 7) & 0xFFFFFF);
    // Transparent black turns white and so inverts the background.
    QCOMPARE(composedPixel(invertColours(IconImage::blank()), 0, 0, ViewBackground), IconColour(0x3F3F3F));
}

void IconPlanesTest::effectsUndoThemselves()
{
    const IconImage icon = mixedIcon();
    QCOMPARE(firstDifference(flipHorizontal(flipHorizontal(icon)), icon), QString());
    QCOMPARE(firstDifference(flipVertical(flipVertical(icon)), icon), QString());
    QCOMPARE(firstDifference(rotateLeft(rotateRight(icon)), icon), QString());
    QCOMPARE(firstDifference(invertColours(invertColours(icon)), icon), QString());
    IconImage left = icon;
    IconImage right = icon;
    for (int turn = 0; turn < 4; ++turn) {
        QVERIFY(turn == 0 || left != icon);
        left = rotateLeft(left);
        right = rotateRight(right);
    }
    QCOMPARE(firstDifference(left, icon), QString());
    QCOMPARE(firstDifference(right, icon), QString());
}

void IconPlanesTest::undoTakesBackTheWholeLastStrokeOrEffect()
{
    const IconColour red = iconRgb(255, 0, 0);
    const IconImage start = mixedIcon();
    IconCanvas canvas;
    canvas.show(start);
    QVERIFY(!canvas.undoAvailable());
    QVERIFY(!canvas.undo());

    // A single click: the pixel becomes opaque red, and Undo takes it back.
    canvas.beginStroke(0, 0, red);
    canvas.endStroke();
    QVERIFY(canvas.planes().colourAt(0, 0) == red && !canvas.planes().isTransparent(0, 0));
    QVERIFY(canvas.undoAvailable());
    QVERIFY(canvas.undo());
    QCOMPARE(firstDifference(canvas.planes(), start), QString());
    QVERIFY(!canvas.undo()); // one level only

    // A drag over three cells, one of them outside the icon: Undo removes all of it.
    canvas.beginStroke(3, 3, red);
    QVERIFY(canvas.continueStroke(4, 3, red));
    QVERIFY(!canvas.continueStroke(32, 3, red));
    QVERIFY(canvas.continueStroke(5, 3, red));
    canvas.endStroke();
    QVERIFY(!canvas.continueStroke(6, 3, red)); // no stroke, no paint
    QCOMPARE(canvas.planes().colourAt(5, 3), red);
    QCOMPARE(canvas.planes().colourAt(6, 3), start.colourAt(6, 3));
    canvas.undo();
    QCOMPARE(firstDifference(canvas.planes(), start), QString());

    // An effect, then a click: Undo takes back the click and keeps the effect.
    canvas.applyEffect(rotateLeft);
    canvas.beginStroke(9, 9, red);
    canvas.endStroke();
    canvas.undo();
    QCOMPARE(firstDifference(canvas.planes(), rotateLeft(start)), QString());

    // An effect alone is undone like a stroke.
    canvas.applyEffect(invertColours);
    canvas.undo();
    QCOMPARE(firstDifference(canvas.planes(), rotateLeft(start)), QString());

    // Showing an icon starts afresh.
    canvas.beginStroke(1, 1, red);
    canvas.show(start);
    QVERIFY(!canvas.undoAvailable() && !canvas.strokeInProgress());
}

void IconPlanesTest::mapsViewPositionsToCells()
{
    QCOMPARE(paintedCell(0.0), std::optional<int>(0));
    QCOMPARE(paintedCell(7.9), std::optional<int>(0));
    QCOMPARE(paintedCell(8.0), std::optional<int>(1));
    QCOMPARE(paintedCell(255.9), std::optional<int>(31));
    QCOMPARE(paintedCell(256.0), std::optional<int>());
    QCOMPARE(paintedCell(-0.1), std::optional<int>());

    QCOMPARE(cellLabel(0, 0), QStringLiteral("X=1  Y=1"));
    QCOMPARE(cellLabel(255, 255), QStringLiteral("X=32  Y=32"));
    QCOMPARE(cellLabel(3, 250), QStringLiteral("X=1  Y=32"));
    QCOMPARE(cellLabel(-7.5, 8), QStringLiteral("X=1  Y=2")); // just left of the view
}

void IconPlanesTest::drawsGridLinesAndDots()
{
    // Lines on the first row and column of every block but those of the first ones.
    const QImage solid = gridOverlay(GridStyle::Solid);
    QCOMPARE(solid.size(), QSize(256, 256));
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const bool line = (x % 8 == 0 && x > 0) || (y % 8 == 0 && y > 0);
            if (isBlack(solid, x, y) != line)
                QFAIL(qPrintable(QStringLiteral("solid grid at %1, %2").arg(x).arg(y)));
        }
    }

    const QImage dotted = gridOverlay(GridStyle::Dotted);
    int black = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (isBlack(dotted, x, y)) {
                ++black;
                QVERIFY2(x % 8 == 0 && y % 8 == 0 && x > 0 && y > 0, qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            }
        }
    }
    QCOMPARE(black, 31 * 31);

    const QImage none = gridOverlay(GridStyle::None);
    QCOMPARE(none.pixel(8, 8), qRgb(255, 255, 255));
}

void IconPlanesTest::magnifiesIntoBlocksUnderTheGrid()
{
    IconImage icon = IconImage::blank();
    icon.setPixel(0, 0, iconRgb(255, 0, 0), false);
    icon.setPixel(1, 0, iconRgb(0, 0, 255), false);
    const QImage actual = composedImage(icon, ViewBackground);

    const QImage plain = magnify(actual, QImage());
    QCOMPARE(plain.size(), QSize(256, 256));
    QCOMPARE(plain.pixel(7, 7), qRgb(255, 0, 0));
    QCOMPARE(plain.pixel(8, 0), qRgb(0, 0, 255));
    QCOMPARE(plain.pixel(16, 0), qRgb(0xC0, 0xC0, 0xC0));

    const QImage lined = magnify(actual, gridOverlay(GridStyle::Solid));
    QCOMPARE(lined.pixel(0, 0), qRgb(255, 0, 0)); // the first block has no outer line
    QCOMPARE(lined.pixel(8, 3), qRgb(0, 0, 0));
    QCOMPARE(lined.pixel(9, 3), qRgb(0, 0, 255));
    QCOMPARE(lined.pixel(20, 8), qRgb(0, 0, 0));
}

void IconPlanesTest::picksPaletteCells()
{
    QCOMPARE(paletteIndexAt(3.5, 2.5), std::optional<int>(35));
    QCOMPARE(PaletteColors[35], IconColour(0x0080FF));
    QCOMPARE(paletteIndexAt(0.2, 0.2), std::optional<int>(0));
    QCOMPARE(paletteIndexAt(15.99, 2.99), std::optional<int>(47));
    QCOMPARE(PaletteColors[47], IconColour(0x400040));
    QCOMPARE(paletteIndexAt(0, 1), std::optional<int>());
    QCOMPARE(paletteIndexAt(16, 1), std::optional<int>());
    QCOMPARE(paletteIndexAt(4, 3), std::optional<int>());
}

void IconPlanesTest::blendsTheMixerBands()
{
    const auto band = [](const std::array<IconColour, MixerBands> &bands, int number) {
        return rgbText(bands[std::size_t(number - 1)]);
    };
    const auto yellowish = mixerBands(255, 255, 128);
    QCOMPARE(band(yellowish, 1), QStringLiteral("(255, 0, 0)"));
    QCOMPARE(band(yellowish, 14), QStringLiteral("(255, 128, 0)")); // 127.5 rounds to even
    QCOMPARE(band(yellowish, 25), QStringLiteral("(255, 235, 0)"));
    QCOMPARE(band(yellowish, 26), QStringLiteral("(245, 255, 0)"));
    QCOMPARE(band(yellowish, 50), QStringLiteral("(10, 255, 0)"));
    QCOMPARE(band(yellowish, 51), QStringLiteral("(0, 255, 5)"));
    QCOMPARE(band(yellowish, 75), QStringLiteral("(0, 255, 123)"));
    QCOMPARE(band(yellowish, 76), QStringLiteral("(0, 245, 128)"));
    QCOMPARE(band(yellowish, 100), QStringLiteral("(0, 10, 128)"));

    const auto redOnly = mixerBands(13, 0, 0);
    QCOMPARE(band(redOnly, 1), QStringLiteral("(13, 0, 0)"));
    QCOMPARE(band(redOnly, 26), QStringLiteral("(12, 0, 0)")); // 12.5 rounds to even

    QCOMPARE(band(mixerBands(10, 0, 0), 1), QStringLiteral("(10, 0, 0)"));
    const auto fading = mixerBands(200, 0, 0);
    QCOMPARE(band(fading, 1), QStringLiteral("(200, 0, 0)"));
    QCOMPARE(band(fading, 100), QStringLiteral("(0, 0, 0)"));
    for (const IconColour colour : mixerBands(0, 0, 0))
        QCOMPARE(colour, IconColour(0));
}

void IconPlanesTest::writesTheMessages()
{
    QCOMPARE(wrongSizeText(QSize(16, 16), QStringLiteral("/icons/small.ico")),
             QStringLiteral("Image is not of 32 x 32\n\n16 x 16\n/icons/small.ico"));
    QCOMPARE(errorMessageText(QStringLiteral("mnuFileSave_Click"), 70, QStringLiteral("Could not create /x.ico")),
             QStringLiteral("mnuFileSave_Click\n70     Could not create /x.ico"));
    QCOMPARE(colourReportText(255, 255, 128), QStringLiteral("Currently selected color: \n\nRGB(255, 255, 128)"));
}

void IconPlanesTest::proposesIconNamesOnly()
{
    QCOMPARE(proposedIconName(QStringLiteral("Untitled")), QStringLiteral("Untitled"));
    QCOMPARE(proposedIconName(QStringLiteral("/data/ico/box.ico")), QStringLiteral("/data/ico/box.ico"));
    QCOMPARE(proposedIconName(QStringLiteral("/data/pictures/apple.bmp")), QStringLiteral("/data/pictures/apple.ico"));
    QCOMPARE(proposedIconName(QStringLiteral("/data/hand.v2.CUR")), QStringLiteral("/data/hand.v2.ico"));
    QCOMPARE(withIconSuffix(QStringLiteral("/data/ico/new")), QStringLiteral("/data/ico/new.ico"));
    QCOMPARE(withIconSuffix(QStringLiteral("/data/ico/NEW.ICO")), QStringLiteral("/data/ico/NEW.ICO"));
    QCOMPARE(withIconSuffix(QStringLiteral("/data/ico/apple.bmp")), QStringLiteral("/data/ico/apple.bmp.ico"));
}

QTEST_GUILESS_MAIN(IconPlanesTest)
#include "tst_iconplanes.moc"
