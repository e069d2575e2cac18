#include "IconTestPictures.h"
#include "ReadOnlyFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"

#include "kelvane/iconedit/BuiltInIcons.h"
#include "kelvane/iconedit/IconCodec.h"
#include "kelvane/iconedit/IconEffects.h"
#include "kelvane/iconedit/frmIconEdit.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace kelvane;
using namespace kelvane::test;

namespace {

constexpr IconColour StartColour = 0x80FFFF; // RGB(255, 255, 128)
constexpr IconColour Orange = 0x0080FF;     // palette cell (3, 2)

QPoint centre(const QWidget *widget)
{
    return widget->rect().center();
}

QPoint cellCentre(int column, int row)
{
    return QPoint(column * 8 + 4, row * 8 + 4);
}

bool opaqueIn(const IconImage &icon, int x, int y, IconColour colour)
{
    return !icon.isTransparent(x, y) && icon.colourAt(x, y) == colour;
}

QStringList texts(const QList<QAction *> &actions)
{
    QStringList result;
    for (const QAction *action : actions)
        result.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return result;
}

} // namespace

class IconEditWindowTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<ScriptedDialogs> m_dialogs;
    std::unique_ptr<frmIconEdit> m_window;

    QString path(const QString &name) const { return m_dir.filePath(name); }
    frmIconEdit &w() { return *m_window; }

    void click(QWidget *widget, QPoint at = {}) { QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? centre(widget) : at); }
    void paint(int column, int row) { click(w().picBig, cellCentre(column, row)); }
    void drag(const QList<QPoint> &points)
    {
        QTest::mousePress(w().picBig, Qt::LeftButton, {}, points.first());
        for (const QPoint &point : points.mid(1))
            QTest::mouseMove(w().picBig, point);
        QTest::mouseRelease(w().picBig, Qt::LeftButton, {}, points.last());
    }
    // New through the button: a transparent icon in the current slot.
    void startNewIcon()
    {
        click(w().cmdNew);
        QVERIFY(w().currentSlot().Loaded);
    }
    QStringList messageTexts() const
    {
        QStringList result;
        for (const ShownMessage &message : m_dialogs->messages)
            result.append(message.text);
        return result;
    }
    QString lastMessage() const { return m_dialogs->messages.isEmpty() ? QString() : m_dialogs->messages.last().text; }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_dialogs = std::make_unique<ScriptedDialogs>();
        m_window = std::make_unique<frmIconEdit>(m_dir.path(), *m_dialogs);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        QVERIFY2(m_dialogs->unexpected.isEmpty(), qPrintable(m_dialogs->unexpected.join(u'\n')));
        m_window.reset();
        m_dialogs.reset();
    }

    void startsWithTheStartUpPictureNotLoaded();
    void menusAndToolsCarryTheirCaptions();
    void clickingTheStartUpPictureLoadsIt();
    void newGivesATransparentIconWithoutAsking();
    void paintsOneBlockPerCellTheMouseVisits();
    void paintsOnlyWithThePaintToolOn();
    void undoTakesBackTheLastStrokeOrEffect();
    void effectsNeedALoadedIconAndCountAsChanges();
    void gridOptionsRedrawTheView();
    void savesIconFilesIntoTheIconFolder();
    void savingAnIconFromABitmapProposesAnIconName();
    void askingToSaveOnClose();
    void failedSaveKeepsTheWindowAndTheIcon();
    void opensOnlyWhatItCanEdit();
    void slotsKeepTheirOwnIcons();
    void picksColoursFromPaletteAndMixer();
    void reportsTheColourToPaintOnDoubleClick();
    void theOwnerAsksBeforeQuittingAndKeepsOneWindow();
};

void IconEditWindowTest::startsWithTheStartUpPictureNotLoaded()
{
    QCOMPARE(w().windowTitle(), QStringLiteral(" Icon editor (32x32)"));
    QCOMPARE(w().PanelIcons[0]->icon(), std::optional<IconImage>(startUpPicture()));
    QVERIFY(!w().PanelIcons[1]->icon() && !w().PanelIcons[2]->icon());
    QVERIFY(w().lblIcons[0]->isVisible() && !w().lblIcons[1]->isVisible() && !w().lblIcons[2]->isVisible());
    QCOMPARE(w().lblFileSpec->text(), QStringLiteral("Untitled"));
    QVERIFY(!w().PicIcon->icon());
    QVERIFY(w().picBig->picture().isNull());
    QCOMPARE(w().currentSlot().InUse, true);
    QCOMPARE(w().currentSlot().Loaded, false);
    QVERIFY(!w().slot(1).InUse && w().slot(1).FileSpec.isEmpty());
    QVERIFY(!w().imgPaint->looksSelected());
    QVERIFY(w().mnuOptionsSolidGridlines->isChecked() && !w().mnuOptionsDottedGridlines->isChecked());
    QVERIFY(!w().mnuFileSave->isEnabled());
    QVERIFY(!w().mnuEditUndo->isEnabled());
    QVERIFY(!w().mnuEffectsInvert->isEnabled());
    QCOMPARE(w().PaintColor(), StartColour);
    QCOMPARE(w().colours->picColorToUse->colour(), StartColour);
    QCOMPARE(w().colours->lblBlueDegree->text(), QStringLiteral("128"));

    // Nothing to save and nothing to paint on yet; a press on the view says how to get
    // something, rather than doing nothing.
    click(w().cmdSave);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("No icon loaded yet")});
    paint(3, 3);
    QVERIFY(!w().PicIcon->icon());
    QCOMPARE(lastMessage(), QStringLiteral("No icon loaded yet. To paint, choose New or Open, or click the picture to the right to edit it."));
    w().mnuEffectsInvert_Click();
    QCOMPARE(lastMessage(), QStringLiteral("No icon loaded yet"));
    w().mnuEditUndo_Click();
    QCOMPARE(m_dialogs->messages.size(), 4);
}

void IconEditWindowTest::menusAndToolsCarryTheirCaptions()
{
    QStringList visible;
    QStringList hidden;
    for (QAction *menu : w().menuBar()->actions())
        (menu->isVisible() ? visible : hidden).append(menu->text());
    QCOMPARE(visible, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("E&ffects"),
                                   QStringLiteral("&Options")}));
    QCOMPARE(hidden, (QStringList{QStringLiteral("&Tools"), QStringLiteral("Ext&raction")}));
    QCOMPARE(texts(w().mnuFile->actions()),
             (QStringList{QStringLiteral("&New"), QStringLiteral("&Open"), QStringLiteral("&Save"), QStringLiteral("E&xit")}));
    QCOMPARE(texts(w().mnuEdit->actions()),
             (QStringList{QStringLiteral("&Undo"), QStringLiteral("-"), QStringLiteral("Cu&t"), QStringLiteral("&Copy"),
                          QStringLiteral("&Paste"), QStringLiteral("-"), QStringLiteral("C&lear clipboard")}));
    QVERIFY(!w().cutAction->isEnabled() && !w().copyAction->isEnabled() && !w().pasteAction->isEnabled());
    QVERIFY(w().clearClipboardAction->isEnabled());
    QCOMPARE(texts(w().mnuEffects->actions()),
             (QStringList{QStringLiteral("Flip &Horizontal"), QStringLiteral("Flip &Vertical"), QStringLiteral("-"),
                          QStringLiteral("Rotate &left"), QStringLiteral("Rotate &right"), QStringLiteral("-"),
                          QStringLiteral("&Invert")}));
    QCOMPARE(texts(w().mnuOptions->actions()),
             (QStringList{QStringLiteral("&Solid grid lines"), QStringLiteral("&Dotted grid lines")}));
    QCOMPARE(texts(w().mnuTools->actions()), QStringList{QStringLiteral("&Paint")});
    QCOMPARE(texts(w().extractionMenu->actions()), QStringList{QStringLiteral("Show extraction panel")});
    QVERIFY(!w().showExtractionAction->isEnabled());

    QStringList tips;
    for (const ToolImage *tool : w().toolImages) {
        tips.append(tool->toolTip());
        QCOMPARE(tool->isEnabled(), tool == w().imgPaint);
    }
    QCOMPARE(tips, (QStringList{QStringLiteral("Paint"), QStringLiteral("Fill"),
                                QStringLiteral("Line (Shift if for 45 or 90 degree)"),
                                QStringLiteral("Rectangle (Shift key if for square)"),
                                QStringLiteral("Filled Rectangle (Shift key if for square)"),
                                QStringLiteral("Oval (Shift key if for circle)"),
                                QStringLiteral("Filled Oval (Shift key if for circle)"), QStringLiteral("Region")}));
    QCOMPARE(w().cmdNew->toolTip(), QStringLiteral("New file"));
    QCOMPARE(w().cmdOpen->toolTip(), QStringLiteral("Open file"));
    QCOMPARE(w().cmdSave->toolTip(), QStringLiteral("Save to disk"));

    // Every control can be told apart by a screen reader.
    for (QWidget *widget : w().findChildren<QWidget *>()) {
        const bool control = qobject_cast<QToolButton *>(widget) || qobject_cast<QScrollBar *>(widget)
                             || qobject_cast<IconPicture *>(widget) || qobject_cast<ColourBox *>(widget)
                             || qobject_cast<MagnifiedView *>(widget) || qobject_cast<ToolImage *>(widget)
                             || qobject_cast<PaletteGrid *>(widget) || qobject_cast<MixerStrip *>(widget);
        if (control && !widget->objectName().startsWith(QStringLiteral("qt_")))
            QVERIFY2(!widget->accessibleName().isEmpty(), widget->metaObject()->className());
    }
}

void IconEditWindowTest::clickingTheStartUpPictureLoadsIt()
{
    click(w().PanelIcons[0]);
    QVERIFY(w().currentSlot().Loaded);
    QCOMPARE(w().currentSlot().FileSpec, QStringLiteral("Untitled"));
    QCOMPARE(w().PicIcon->icon(), std::optional<IconImage>(startUpPicture()));
    QCOMPARE(w().planes(), startUpPicture());
    QCOMPARE(w().picBig->picture(), magnify(composedImage(startUpPicture(), ViewBackground), gridOverlay(GridStyle::Solid)));
    QVERIFY(w().imgPaint->looksSelected() && w().mnuToolsPaint->isChecked());
    QVERIFY(w().mnuFileSave->isEnabled() && w().mnuEffectsRotateLeft->isEnabled());
    QVERIFY(!w().mnuEditUndo->isEnabled());

    // A second click changes nothing, painting included.
    paint(0, 0);
    click(w().PanelIcons[0]);
    QVERIFY(opaqueIn(w().planes(), 0, 0, StartColour));
    QVERIFY(m_dialogs->messages.isEmpty());
}

void IconEditWindowTest::newGivesATransparentIconWithoutAsking()
{
    click(w().PanelIcons[0]);
    w().mnuFileNew->trigger(); // unchanged: nothing to ask
    QVERIFY(m_dialogs->messages.isEmpty());
    QCOMPARE(w().PanelIcons[0]->icon(), std::optional<IconImage>(IconImage::blank()));
    QCOMPARE(w().planes(), IconImage::blank());
    QCOMPARE(w().lblFileSpec->text(), QStringLiteral("Untitled"));
    // Transparent pixels show the view's light grey.
    QCOMPARE(w().picBig->picture().pixel(3, 3), qRgb(0xC0, 0xC0, 0xC0));
}

void IconEditWindowTest::paintsOneBlockPerCellTheMouseVisits()
{
    startNewIcon();
    click(w().colours->PicColorPalette, QPoint(3 * 16 + 8, 2 * 16 + 8));
    QCOMPARE(w().PaintColor(), Orange);

    paint(2, 3);
    QVERIFY(opaqueIn(w().planes(), 2, 3, Orange));
    QCOMPARE(w().PicIcon->icon(), std::optional<IconImage>(w().planes()));
    const QImage view = w().picBig->picture();
    QCOMPARE(view.pixel(2 * 8 + 4, 3 * 8 + 4), qRgb(0xFF, 0x80, 0x00));
    QCOMPARE(view.pixel(2 * 8, 3 * 8 + 4), qRgb(0, 0, 0)); // the grid line over the block's first column
    QCOMPARE(view.pixel(1 * 8 + 4, 3 * 8 + 4), qRgb(0xC0, 0xC0, 0xC0));
    QVERIFY(w().currentSlot().Changed);

    // A drag paints a continuous line through the cells of its move events, also those
    // the pointer skipped between two of them, and nothing outside the view: back
    // inside, the line goes on from the last cell painted.
    drag({cellCentre(5, 10), cellCentre(6, 10), cellCentre(9, 10), QPoint(300, 84), QPoint(-5, 84), cellCentre(11, 10)});
    for (int column = 0; column < IconImage::Size; ++column)
        QVERIFY2(opaqueIn(w().planes(), column, 10, Orange) == (column >= 5 && column <= 11),
                 qPrintable(QString::number(column)));
    QVERIFY(!w().MouseIsDown());
    // A quick slant: one cell per column, each touching the one before.
    drag({cellCentre(20, 20), cellCentre(27, 23)});
    int painted = 0;
    for (int y = 18; y < 26; ++y) {
        for (int x = 18; x < 30; ++x)
            painted += opaqueIn(w().planes(), x, y, Orange) ? 1 : 0;
    }
    QCOMPARE(painted, 8);
    for (const QPoint cell : {QPoint(20, 20), QPoint(21, 20), QPoint(22, 21), QPoint(23, 21), QPoint(24, 22),
                              QPoint(25, 22), QPoint(26, 23), QPoint(27, 23)})
        QVERIFY2(opaqueIn(w().planes(), cell.x(), cell.y(), Orange), qPrintable(QStringLiteral("%1,%2").arg(cell.x()).arg(cell.y())));

    // The cell label follows the pointer.
    QTest::mouseMove(w().picBig, QPoint(0, 255));
    QCOMPARE(w().lblBigXY->text(), QStringLiteral("X=1  Y=32"));
    QTest::mouseMove(w().picBig, QPoint(255, 255));
    QCOMPARE(w().lblBigXY->text(), QStringLiteral("X=32  Y=32"));
    w().picBigContainer_MouseMove();
    QVERIFY(w().lblBigXY->text().isEmpty());
}

void IconEditWindowTest::paintsOnlyWithThePaintToolOn()
{
    startNewIcon();
    click(w().imgPaint);
    QVERIFY(!w().imgPaint->looksSelected() && !w().mnuToolsPaint->isChecked());
    paint(1, 1);
    QVERIFY(w().planes().isTransparent(1, 1));
    click(w().imgPaint);
    QVERIFY(w().imgPaint->looksSelected());
    QTest::mouseClick(w().picBig, Qt::RightButton, {}, cellCentre(1, 1));
    QVERIFY(w().planes().isTransparent(1, 1));
    paint(1, 1);
    QVERIFY(opaqueIn(w().planes(), 1, 1, StartColour));

    // Over an empty slot the tool cannot be turned on.
    m_dialogs->answers.push_back(Answer::No);
    click(w().PanelIcons[2]);
    click(w().imgPaint);
    QVERIFY(!w().imgPaint->looksSelected() && !w().mnuToolsPaint->isEnabled());
}

void IconEditWindowTest::undoTakesBackTheLastStrokeOrEffect()
{
    startNewIcon();
    const IconImage blank = IconImage::blank();

    paint(4, 4);
    QVERIFY(w().mnuEditUndo->isEnabled());
    w().mnuEditUndo->trigger();
    QCOMPARE(w().planes(), blank);
    QCOMPARE(w().PicIcon->icon(), std::optional<IconImage>(blank));
    QVERIFY(!w().mnuEditUndo->isEnabled());

    drag({cellCentre(1, 1), cellCentre(2, 1), cellCentre(3, 1), cellCentre(4, 1)});
    w().mnuEditUndo->trigger();
    QCOMPARE(w().planes(), blank);

    paint(0, 31);
    w().mnuEffectsRotateLeft->trigger();
    const IconImage rotated = w().planes();
    QVERIFY(opaqueIn(rotated, 31, 31, StartColour)); // (0, 31) turns to (31, 31)
    paint(10, 10);
    paint(11, 11);
    w().mnuEditUndo->trigger();
    QCOMPARE(firstDifference(w().planes(), [&] {
                 IconImage expected = rotated;
                 expected.setPixel(10, 10, StartColour, false);
                 return expected;
             }()),
             QString());
}

void IconEditWindowTest::effectsNeedALoadedIconAndCountAsChanges()
{
    click(w().PanelIcons[0]);
    QVERIFY(!w().currentSlot().Changed);
    w().mnuEffectsFlipHoriz->trigger();
    QCOMPARE(w().planes(), flipHorizontal(startUpPicture()));
    QVERIFY(w().currentSlot().Changed);
    QVERIFY(w().mnuEditUndo->isEnabled());
    w().mnuEffectsFlipVert->trigger();
    w().mnuEffectsRotateRight->trigger();
    w().mnuEffectsInvert->trigger();
    QCOMPARE(w().planes(), invertColours(rotateRight(flipVertical(flipHorizontal(startUpPicture())))));
    QCOMPARE(w().picBig->picture(), magnify(composedImage(w().planes(), ViewBackground), gridOverlay(GridStyle::Solid)));

    // Undo counts as a change too: it is asked about on closing.
    m_dialogs->answers.push_back(Answer::Cancel);
    QVERIFY(!w().close());
    QCOMPARE(lastMessage(), QStringLiteral("Save current icon?"));
    QCOMPARE(m_dialogs->messages.last().buttons, MessageButtons::YesNoCancel);
    QCOMPARE(m_dialogs->messages.last().icon, MessageIcon::Question);

    // An empty slot disables the effects at once, not only when the menu opens.
    m_dialogs->answers.push_back(Answer::No);
    click(w().PanelIcons[1]);
    QVERIFY(!w().mnuEffectsFlipHoriz->isEnabled() && !w().mnuEffectsInvert->isEnabled());
    QVERIFY(!w().mnuFileSave->isEnabled());
}

void IconEditWindowTest::gridOptionsRedrawTheView()
{
    click(w().PanelIcons[0]);
    const QImage actual = composedImage(startUpPicture(), ViewBackground);
    w().mnuOptionsSolidGridlines->trigger();
    QCOMPARE(w().picBig->picture(), magnify(actual, QImage()));
    w().mnuOptionsDottedGridlines->trigger();
    QCOMPARE(w().picBig->picture(), magnify(actual, gridOverlay(GridStyle::Dotted)));
    w().mnuOptionsSolidGridlines->trigger();
    QVERIFY(!w().mnuOptionsDottedGridlines->isChecked());
    QCOMPARE(w().picBig->picture(), magnify(actual, gridOverlay(GridStyle::Solid)));
}

void IconEditWindowTest::savesIconFilesIntoTheIconFolder()
{
    QSignalSpy saved(&w(), &frmIconEdit::iconSaved);
    startNewIcon();
    paint(0, 0);
    m_dialogs->savePaths.push_back(path(QStringLiteral("drawn")));
    click(w().cmdSave);
    const QString file = path(QStringLiteral("drawn.ico"));
    const FileDialogRequest request = m_dialogs->fileRequests.last();
    QCOMPARE(request.initialFolder, m_dir.path());
    QCOMPARE(request.proposedName, QStringLiteral("Untitled"));
    QCOMPARE(request.filter, QStringLiteral("Icon Files (*.ico)|*.ico|"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.first().first().toString(), file);
    QCOMPARE(decodePicture(readBytes(file)).icon, std::optional<IconImage>(w().planes()));
    QVERIFY(opaqueIn(w().planes(), 0, 0, StartColour));
    QCOMPARE(w().currentSlot().FileSpec, file);
    QCOMPARE(w().lblFileSpec->text(), file);
    QVERIFY(!w().currentSlot().Changed);
    QVERIFY(!w().mnuEditUndo->isEnabled());
    QCOMPARE(QImage(file).size(), QSize(32, 32));

    // Saving again under the same name asks first; No shows the dialog again.
    paint(1, 0);
    m_dialogs->savePaths.push_back(file);
    m_dialogs->answers.push_back(Answer::No);
    m_dialogs->savePaths.push_back(std::nullopt);
    w().mnuFileSave->trigger();
    QCOMPARE(lastMessage(), file + QStringLiteral(" already exists. Would you like to overwrite it?"));
    QCOMPARE(m_dialogs->fileRequests.last().proposedName, QStringLiteral("drawn.ico"));
    QVERIFY(w().currentSlot().Changed);
    QCOMPARE(saved.size(), 1);

    m_dialogs->savePaths.push_back(file);
    m_dialogs->answers.push_back(Answer::Yes);
    w().mnuFileSave->trigger();
    QCOMPARE(saved.size(), 2);
    QVERIFY(opaqueIn(decodePicture(readBytes(file)).icon.value(), 1, 0, StartColour));
    QVERIFY(w().close()); // saved: nothing to ask
}

void IconEditWindowTest::savingAnIconFromABitmapProposesAnIconName()
{
    const QString bitmap = path(QStringLiteral("apple.bmp"));
    writeBytes(bitmap, readBytes(dataFile(QStringLiteral("ico/im-24bit.bmp"))));
    m_dialogs->openPaths.push_back(bitmap);
    click(w().cmdOpen);
    QCOMPARE(w().currentSlot().FileSpec, bitmap);
    QVERIFY(!w().planes().isTransparent(0, 0));

    m_dialogs->savePaths.push_back(bitmap); // the researcher insists on the bitmap's name
    w().mnuFileSave->trigger();
    QCOMPARE(m_dialogs->fileRequests.last().proposedName, QStringLiteral("apple.ico"));
    QCOMPARE(decodePicture(readBytes(bitmap)).kind, PictureKind::Bitmap); // untouched
    QCOMPARE(w().currentSlot().FileSpec, bitmap + QStringLiteral(".ico"));
}

void IconEditWindowTest::askingToSaveOnClose()
{
    startNewIcon();
    paint(5, 5);
    const IconImage painted = w().planes();

    m_dialogs->answers.push_back(Answer::Cancel);
    QVERIFY(!w().close());
    QVERIFY(w().isVisible());

    // Yes, then a cancelled save dialog: still open, icon intact.
    m_dialogs->answers.push_back(Answer::Yes);
    m_dialogs->savePaths.push_back(std::nullopt);
    w().mnuFileExit->trigger();
    QVERIFY(w().isVisible());
    QCOMPARE(w().planes(), painted);

    m_dialogs->answers.push_back(Answer::No);
    QVERIFY(w().close());
    QVERIFY(!w().isVisible());
    QCOMPARE(m_dialogs->messages.size(), 3);
}

void IconEditWindowTest::failedSaveKeepsTheWindowAndTheIcon()
{
    const QString locked = path(QStringLiteral("locked"));
    QVERIFY(QDir().mkpath(locked));
    ReadOnlyFolder readOnly(locked);
    if (!readOnly.holds())
        QSKIP("this file system cannot refuse new files to the test");
    startNewIcon();
    paint(5, 5);
    m_dialogs->answers.push_back(Answer::Yes);
    m_dialogs->savePaths.push_back(locked + QStringLiteral("/icon.ico"));
    QVERIFY(!w().close());
    QVERIFY(lastMessage().startsWith(QStringLiteral("mnuFileSave_Click\n70     Could not create ") + locked
                                     + QStringLiteral("/icon.ico")));
    QVERIFY(w().currentSlot().Changed);
    QVERIFY(opaqueIn(w().planes(), 5, 5, StartColour));
    QVERIFY(!QFileInfo::exists(locked + QStringLiteral("/icon.ico")));
}

void IconEditWindowTest::opensOnlyWhatItCanEdit()
{
    const QString small = path(QStringLiteral("small.ico"));
    const QString broken = path(QStringLiteral("broken.ico"));
    const QString drawn = path(QStringLiteral("drawn.ico"));
    writeBytes(small, readBytes(dataFile(QStringLiteral("ico/im-16.ico"))));
    writeBytes(broken, encodeIcon(mixedIcon()).left(1000));
    writeBytes(drawn, encodeIcon(mixedIcon()));

    m_dialogs->openPaths.push_back(std::nullopt);
    w().mnuFileOpen->trigger();
    QVERIFY(m_dialogs->messages.isEmpty());
    const FileDialogRequest request = m_dialogs->fileRequests.last();
    QCOMPARE(request.filter,
             QStringLiteral("Icon Files (*.ico)|*.ico|(*.bmp)|*.bmp|(*.wmf)|*.wmf|(*.cur)|*.cur|(*.*)|*.*|"));
    QCOMPARE(request.initialFolder, m_dir.path());

    m_dialogs->openPaths.push_back(small);
    click(w().cmdOpen);
    QCOMPARE(lastMessage(), QStringLiteral("Image is not of 32 x 32\n\n16 x 16\n") + small);
    m_dialogs->openPaths.push_back(broken);
    click(w().cmdOpen);
    QCOMPARE(lastMessage(), QStringLiteral("mnuFileOpen_Click\n481     ") + broken
                                + QStringLiteral(" is damaged: image 1 of 1 is said to take bytes 22 to 4286, "
                                                 "but the file has only 1000 bytes."));
    m_dialogs->openPaths.push_back(path(QStringLiteral("gone.ico")));
    click(w().cmdOpen);
    QVERIFY(lastMessage().startsWith(QStringLiteral("mnuFileOpen_Click\n53     Could not open ")
                                     + path(QStringLiteral("gone.ico"))));
    // None of them touched the slot.
    QCOMPARE(w().PanelIcons[0]->icon(), std::optional<IconImage>(startUpPicture()));
    QVERIFY(!w().currentSlot().Loaded);

    m_dialogs->openPaths.push_back(drawn);
    click(w().cmdOpen);
    QCOMPARE(w().planes(), mixedIcon());
    QCOMPARE(w().currentSlot().FileSpec, drawn);
    QCOMPARE(w().PicIcon->icon(), std::optional<IconImage>(mixedIcon()));
}

void IconEditWindowTest::slotsKeepTheirOwnIcons()
{
    click(w().PanelIcons[1]);
    QVERIFY(!w().PicIcon->icon() && w().picBig->picture().isNull() && w().lblFileSpec->text().isEmpty());
    QVERIFY(w().lblIcons[1]->isVisible() && !w().lblIcons[0]->isVisible());
    QVERIFY(!w().mnuFileSave->isEnabled() && !w().imgPaint->looksSelected());
    paint(0, 0);
    QVERIFY(!w().PicIcon->icon());
    QVERIFY(lastMessage().startsWith(QStringLiteral("No icon loaded yet. To paint")));
    m_dialogs->messages.clear();

    startNewIcon();
    QCOMPARE(w().PanelIcons[1]->icon(), std::optional<IconImage>(IconImage::blank()));
    QCOMPARE(w().PanelIcons[0]->icon(), std::optional<IconImage>(startUpPicture()));
    paint(7, 7);

    // Leaving a changed icon asks; No drops the painting, which the panel never had.
    m_dialogs->answers.push_back(Answer::No);
    click(w().PanelIcons[0]);
    QCOMPARE(lastMessage(), QStringLiteral("Save current icon?"));
    QCOMPARE(w().planes(), startUpPicture());
    click(w().PanelIcons[1]);
    QCOMPARE(w().planes(), IconImage::blank());
    QCOMPARE(m_dialogs->messages.size(), 1);

    // Cancel stays where it is.
    paint(7, 7);
    m_dialogs->answers.push_back(Answer::Cancel);
    click(w().PanelIcons[2]);
    QVERIFY(w().lblIcons[1]->isVisible());
    QVERIFY(opaqueIn(w().planes(), 7, 7, StartColour));
}

void IconEditWindowTest::picksColoursFromPaletteAndMixer()
{
    ColourChooser &c = *w().colours;
    click(c.PicColorPalette, QPoint(15 * 16 + 8, 2 * 16 + 8));
    QCOMPARE(w().PaintColor(), IconColour(0x400040));
    click(c.PicColorPalette, QPoint(0, 20)); // on the edge: nothing
    QCOMPARE(w().PaintColor(), IconColour(0x400040));

    // Band 14 of the start-up strip (255, 255, 128) is (255, 128, 0).
    click(c.picMix, QPoint(10, 13 * MixerStrip::BandPixels + 1));
    QCOMPARE(w().PaintColor(), iconRgb(255, 128, 0));
    QCOMPARE(c.picColorToUse->colour(), iconRgb(255, 128, 0));

    // A level alone does not change the colour to paint.
    c.HsrGreen->setValue(0);
    c.HsrBlue->setValue(0);
    c.HsrRed->setValue(13);
    QCOMPARE(c.lblRedDegree->text(), QStringLiteral("13"));
    QCOMPARE(c.PicRGB[0]->colour(), iconRgb(13, 0, 0));
    QCOMPARE(w().PaintColor(), iconRgb(255, 128, 0));
    click(c.picMix, QPoint(10, 25 * MixerStrip::BandPixels + 1));
    QCOMPARE(w().PaintColor(), iconRgb(12, 0, 0)); // band 26
}

void IconEditWindowTest::reportsTheColourToPaintOnDoubleClick()
{
    // Qt's test double click ends with the double-click event; the release follows.
    QTest::mouseDClick(w().colours->picColorToUse, Qt::LeftButton);
    QTest::mouseRelease(w().colours->picColorToUse, Qt::LeftButton);
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("Currently selected color: \n\nRGB(255, 255, 128)")});
    QCOMPARE(w().PaintColor(), StartColour);
    click(w().colours->picColorToUse); // a plain click reports nothing
    QCOMPARE(m_dialogs->messages.size(), 1);
}

void IconEditWindowTest::theOwnerAsksBeforeQuittingAndKeepsOneWindow()
{
    startNewIcon();
    paint(2, 2);
    m_dialogs->answers.push_back(Answer::Cancel);
    QVERIFY(!w().closeAskingToSave());
    QVERIFY(w().isVisible());
    m_dialogs->answers.push_back(Answer::No);
    QVERIFY(w().closeAskingToSave());
    QVERIFY(!w().isVisible());
    QCOMPARE(m_dialogs->messages.size(), 2); // closing itself did not ask again

    ScriptedDialogs dialogs;
    QPointer<frmIconEdit> editor;
    frmIconEdit *first = showIconEditor(editor, m_dir.path(), dialogs);
    QCOMPARE(showIconEditor(editor, m_dir.path(), dialogs), first);
    QVERIFY(first->isVisible());
    QVERIFY(first->close());
    QTRY_VERIFY(editor.isNull()); // it deletes itself, so the next opening starts afresh
    QVERIFY(showIconEditor(editor, m_dir.path(), dialogs) != nullptr);
    delete editor.data();
}

QTEST_MAIN(IconEditWindowTest)
#include "tst_iconeditwindow.moc"
