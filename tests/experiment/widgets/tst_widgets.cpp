#include "ReadOnlyFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "TestIcons.h"

#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/PictureImport.h"
#include "kelvane/widgets/PictureRow.h"
#include "kelvane/widgets/PictureWidget.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/StorableText.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace kelvane;
using namespace kelvane::test;

namespace {

struct IconFolder
{
    IconFolder()
    {
        QDir(dir.path()).mkpath(QStringLiteral("ico"));
        QDir(dir.path()).mkpath(QStringLiteral("elsewhere"));
    }
    QString ico() const { return dir.filePath(QStringLiteral("ico")); }
    QString inIco(const QString &name) const { return QDir(ico()).filePath(name); }
    QString elsewhere(const QString &name) const
    {
        return dir.filePath(QStringLiteral("elsewhere/") + name);
    }

    QTemporaryDir dir;
};

QColor centrePixel(QWidget &widget)
{
    return widget.grab().toImage().pixelColor(widget.width() / 2, widget.height() / 2);
}

} // namespace

class WidgetsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepsTheLeadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("up") << "10" << 1 << "11";
        QTest::newRow("down to negative") << "0" << -1 << "-1";
        QTest::newRow("no number counts as 0") << "abc" << -1 << "-1";
        QTest::newRow("no bounds above 100") << "100" << 1 << "101";
        QTest::newRow("number then text") << " 7 sec" << 1 << "8";
        QTest::newRow("decimal") << "2.5" << 1 << "3.5";
        QTest::newRow("decimal below zero stays short") << "0.3" << -1 << "-0.7";
        QTest::newRow("comma is not a decimal point") << "2,5" << 1 << "3";
        QTest::newRow("page step") << "10" << 10 << "20";
    }

    void stepsTheLeadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, steps);
        QTEST(stepLeadingNumber(text, steps), "expected");
    }

    void spinnerFieldStepsTypesAndRefuses()
    {
        SpinnerField spinner;
        spinner.setAccessibleName(QStringLiteral("Time for this layout"));
        QSignalSpy edits(&spinner, &SpinnerField::edited);
        spinner.setText(QStringLiteral("10"));
        QCOMPARE(edits.size(), 0);

        spinner.show();
        QVERIFY(QTest::qWaitForWindowExposed(&spinner));
        spinner.setFocus();
        QTest::keyClick(&spinner, Qt::Key_Up);
        QCOMPARE(spinner.text(), QStringLiteral("11"));
        QTest::keyClick(&spinner, Qt::Key_Down);
        QTest::keyClick(&spinner, Qt::Key_Down);
        QCOMPARE(spinner.text(), QStringLiteral("9"));
        QCOMPARE(edits.size(), 3);
        QCOMPARE(edits.last().at(0).toString(), QStringLiteral("9"));

        // Free text is allowed (a time of "abc" means no limit); quotes are not.
        spinner.field()->selectAll();
        QTest::keyClicks(spinner.field(), QStringLiteral("a\"bc"));
        QCOMPARE(spinner.text(), QStringLiteral("abc"));
        QCOMPARE(edits.last().at(0).toString(), QStringLiteral("abc"));
        spinner.clearFocus();
        QCOMPARE(spinner.text(), QStringLiteral("abc"));
        spinner.stepDown();
        QCOMPARE(spinner.text(), QStringLiteral("-1"));

        // Arrows are never disabled at any value.
        QCOMPARE(spinner.text(), QStringLiteral("-1"));
        spinner.stepBy(-1);
        QCOMPARE(spinner.text(), QStringLiteral("-2"));
    }

    void wheelChangesOnlyAFocusedSpinner()
    {
        QWidget window;
        auto *spinner = new SpinnerField(&window);
        auto *other = new QLineEdit(&window);
        other->move(0, 60);
        spinner->setText(QStringLiteral("5"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        other->setFocus();
        const QPoint at = spinner->rect().center();
        QWheelEvent wheel(at, spinner->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(spinner, &wheel);
        QCOMPARE(spinner->text(), QStringLiteral("5"));
    }

    void storableTextNamesWhatCannotBeStored()
    {
        QVERIFY(!unstorableCharacter(u"Klik op START, dan €5 – café"));
        const auto quote = unstorableCharacter(u"say \"hi\"");
        QVERIFY(quote);
        QVERIFY(quote->contains(QStringLiteral("double quote")));
        const auto alien = unstorableCharacter(u"Łódź");
        QVERIFY(alien);
        QVERIFY(alien->contains(QStringLiteral("U+0141")));
    }

    void guardedFieldRefusesTypingAndPasting()
    {
        QLineEdit field;
        guardStorableText(&field);
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        QSignalSpy refused(&field, &QLineEdit::inputRejected);
        QTest::keyClicks(&field, QStringLiteral("Uw \"tijd\" is om"));
        QCOMPARE(field.text(), QStringLiteral("Uw tijd is om"));
        QCOMPARE(refused.size(), 2);
        field.clear();
        field.insert(QStringLiteral("Ωmega"));
        QCOMPARE(field.text(), QString());
        field.insert(QStringLiteral("café"));
        QCOMPARE(field.text(), QStringLiteral("café"));
    }

    void colourButtonChoosesThroughTheDialog()
    {
        ScriptedDialogs dialogs;
        ColourButton button(dialogs);
        button.setColour(0);
        button.resize(80, 30);
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy chosen(&button, &ColourButton::colourChosen);

        dialogs.colours = {255};
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(button.colour(), 255);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<ColourValue>(), 255);
        QCOMPARE(centrePixel(button), QColor(Qt::red));
        QCOMPARE(button.accessibleDescription(), QStringLiteral("#ff0000"));

        // Cancelled, or the same colour again: nothing changes, nothing is reported.
        dialogs.colours = {std::nullopt, 255};
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(button.colour(), 255);
        QCOMPARE(chosen.size(), 1);

        // Blue lives in the high byte.
        dialogs.colours = {0xFF0000};
        button.choose();
        QCOMPARE(centrePixel(button), QColor(Qt::blue));
        QVERIFY(dialogs.unexpected.isEmpty());
    }

    void pictureShowsFileOrNamedPlaceholder()
    {
        IconFolder folder;
        writeTestIcon(folder.inIco(QStringLiteral("Box1.ico")), Qt::blue);
        PictureWidget picture;
        picture.setRole(QStringLiteral("Closed box 1"));
        picture.setFixedSize(48, 48);
        picture.setPicture(folder.ico(), QStringLiteral("Box1.ico"));
        QVERIFY(!picture.isMissing());
        QCOMPARE(picture.accessibleName(), QStringLiteral("Closed box 1: Box1.ico"));
        QCOMPARE(centrePixel(picture), QColor(Qt::blue));
        QCOMPARE(picture.rendering(QSize(64, 64)).toImage().pixelColor(60, 60), QColor(Qt::blue));

        picture.setPicture(folder.ico(), QStringLiteral("Gone.ico"));
        QVERIFY(picture.isMissing());
        QCOMPARE(picture.fileName(), QStringLiteral("Gone.ico"));
        QCOMPARE(picture.accessibleName(), QStringLiteral("Closed box 1: Gone.ico (missing)"));
        QCOMPARE(picture.toolTip(), picture.accessibleName());
        // A neutral grey square with the name written in it.
        const QImage placeholder = picture.grab().toImage();
        QCOMPARE(placeholder.pixelColor(3, 3), QColor(224, 224, 224));
        bool written = false;
        for (int y = 0; y < placeholder.height(); ++y)
            for (int x = 0; x < placeholder.width(); ++x)
                written |= placeholder.pixelColor(x, y).lightness() < 128;
        QVERIFY(written);

        // A picture changed on disk is shown as it is now.
        writeTestIcon(folder.inIco(QStringLiteral("Box1.ico")), Qt::green);
        QFile changed(folder.inIco(QStringLiteral("Box1.ico")));
        QVERIFY(changed.open(QIODevice::ReadWrite));
        QVERIFY(changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
        changed.close();
        picture.setPicture(folder.ico(), QStringLiteral("Box1.ico"));
        QCOMPARE(centrePixel(picture), QColor(Qt::green));

        // A file that is not a picture counts as missing too.
        writeBytes(folder.inIco(QStringLiteral("Text.ico")), "not an icon");
        picture.setPicture(folder.ico(), QStringLiteral("Text.ico"));
        QVERIFY(picture.isMissing());

        picture.clearPicture();
        QVERIFY(!picture.isMissing());
        QCOMPARE(picture.accessibleName(), QStringLiteral("Closed box 1: no picture"));
    }

    void pictureReportsClicksAndDrags()
    {
        PictureWidget picture;
        picture.setFixedSize(40, 40);
        picture.show();
        QVERIFY(QTest::qWaitForWindowExposed(&picture));
        QSignalSpy clicks(&picture, &PictureWidget::clicked);
        QSignalSpy rightClicks(&picture, &PictureWidget::rightClicked);
        QSignalSpy drags(&picture, &PictureWidget::dragRequested);

        QTest::mouseClick(&picture, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(&picture, Qt::RightButton, {}, QPoint(5, 5));
        QCOMPARE(clicks.size(), 1);
        QCOMPARE(rightClicks.size(), 1);

        // Moving with the button held asks for a drag only where dragging is allowed.
        const auto pressAndMove = [&picture] {
            QTest::mousePress(&picture, Qt::LeftButton, {}, QPoint(10, 12));
            QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), picture.mapToGlobal(QPointF(30, 30)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&picture, &move);
            QTest::mouseRelease(&picture, Qt::LeftButton, {}, QPoint(30, 30));
        };
        pressAndMove();
        QCOMPARE(drags.size(), 0);
        picture.setDragEnabled(true);
        pressAndMove();
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags.at(0).at(0).toPoint(), QPoint(10, 12));
        // The release that ends a drag is no click.
        QCOMPARE(clicks.size(), 2);
    }

    void pictureRowLoadsNamesAndReportsGestures()
    {
        IconFolder folder;
        writeTestIcon(folder.inIco(QStringLiteral("Content1.ico")), Qt::red);
        writeTestIcon(folder.inIco(QStringLiteral("Content3.ico")), Qt::green);
        PictureRow row(6, QStringLiteral("Object picture"), PictureRow::ReplaceGesture::RightClick);
        row.setIconFolder(folder.ico());
        row.setPictureSize(40);
        row.setDragEnabled(true);
        row.setNames({QStringLiteral("Content1.ico"), QStringLiteral("Content2.ico"),
                      QStringLiteral("Content3.ico")});
        QCOMPARE(row.names(), (QStringList{QStringLiteral("Content1.ico"), QStringLiteral("Content2.ico"),
                                           QStringLiteral("Content3.ico"), QString(), QString(), QString()}));
        QCOMPARE(row.missingNames(), QStringList{QStringLiteral("Content2.ico")});
        QCOMPARE(row.picture(2)->accessibleName(), QStringLiteral("Object picture 3: Content3.ico"));
        QCOMPARE(row.picture(0)->size(), QSize(40, 40));

        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QSignalSpy replace(&row, &PictureRow::replaceRequested);
        QSignalSpy drags(&row, &PictureRow::dragRequested);
        QTest::mouseClick(row.picture(1), Qt::LeftButton);
        QCOMPARE(replace.size(), 0);
        QTest::mouseClick(row.picture(1), Qt::RightButton);
        QCOMPARE(replace.size(), 1);
        QCOMPARE(replace.at(0).at(0).toInt(), 1);

        // A position without a name cannot be dragged.
        for (const int index : {4, 2}) {
            PictureWidget *picture = row.picture(index);
            QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(2, 2));
            QMouseEvent move(QEvent::MouseMove, QPointF(30, 30), picture->mapToGlobal(QPointF(30, 30)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(picture, &move);
            QTest::mouseRelease(picture, Qt::LeftButton, {}, QPoint(30, 30));
        }
        QCOMPARE(drags.size(), 1);
        QCOMPARE(drags.at(0).at(0).toInt(), 2);

        PictureRow options(4, QStringLiteral("Closed box"), PictureRow::ReplaceGesture::Click);
        options.setNamesShown(true);
        options.show();
        QSignalSpy optionsReplace(&options, &PictureRow::replaceRequested);
        QTest::mouseClick(options.picture(3), Qt::LeftButton);
        QCOMPARE(optionsReplace.size(), 1);
        QCOMPARE(optionsReplace.at(0).at(0).toInt(), 3);
    }

    void pictureRowShowsAPictureFromAnotherFolderByItsBareName()
    {
        IconFolder folder;
        writeTestIcon(folder.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        PictureRow row(4, QStringLiteral("Closed box picture"), PictureRow::ReplaceGesture::Click);
        row.setIconFolder(folder.ico());
        row.setNamesShown(true);
        row.setName(1, QStringLiteral("Pear.ico"), QFileInfo(folder.elsewhere(QStringLiteral("Pear.ico"))).absolutePath());
        QCOMPARE(row.name(1), QStringLiteral("Pear.ico"));
        QVERIFY(!row.picture(1)->isMissing());
        QCOMPARE(row.picture(1)->picture().toImage().pixelColor(16, 16), QColor(Qt::green));
        QStringList captions;
        for (const QLabel *caption : row.findChildren<QLabel *>())
            captions.append(caption->text());
        QVERIFY(captions.contains(QStringLiteral("Pear.ico")));
        // The same name from the icon folder, where it is not yet, is missing.
        row.setName(1, QStringLiteral("Pear.ico"));
        QVERIFY(row.picture(1)->isMissing());
    }

    void pictureFromTheIconFolderIsUsedAsItIs()
    {
        IconFolder folder;
        writeTestIcon(folder.inIco(QStringLiteral("Key.ico")), Qt::yellow);
        ScriptedDialogs dialogs;
        dialogs.openPaths = {folder.inIco(QStringLiteral("Key.ico"))};
        QCOMPARE(choosePicture(dialogs, folder.ico()), QStringLiteral("Key.ico"));
        QCOMPARE(dialogs.fileRequests.size(), 1);
        QCOMPARE(dialogs.fileRequests[0].filter, QStringLiteral("Icon Files (*.ico)|*.ico"));
        QCOMPARE(dialogs.fileRequests[0].initialFolder, folder.ico());
        QVERIFY(dialogs.messages.isEmpty());

        dialogs.openPaths = {std::nullopt};
        QCOMPARE(choosePicture(dialogs, folder.ico()), std::nullopt);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(dialogs.unexpected.isEmpty());
    }

    void pictureFromElsewhereIsCopiedAskingBeforeReplacing()
    {
        IconFolder folder;
        ScriptedDialogs dialogs;
        writeTestIcon(folder.elsewhere(QStringLiteral("Apple.ico")), Qt::red);
        QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(QStringLiteral("Apple.ico"))),
                 QStringLiteral("Apple.ico"));
        QCOMPARE(readBytes(folder.inIco(QStringLiteral("Apple.ico"))),
                 readBytes(folder.elsewhere(QStringLiteral("Apple.ico"))));
        // The same bytes again: nothing to ask.
        QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(QStringLiteral("Apple.ico"))),
                 QStringLiteral("Apple.ico"));
        QVERIFY(dialogs.messages.isEmpty());

        // A different picture of that name: No keeps the folder's own file.
        writeTestIcon(folder.elsewhere(QStringLiteral("Apple.ico")), Qt::green);
        const QByteArray red = readBytes(folder.inIco(QStringLiteral("Apple.ico")));
        dialogs.answers = {Answer::No};
        QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(QStringLiteral("Apple.ico"))),
                 std::nullopt);
        QCOMPARE(readBytes(folder.inIco(QStringLiteral("Apple.ico"))), red);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].buttons, MessageButtons::YesNo);
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("Apple.ico")));
        QVERIFY(dialogs.messages[0].text.contains(QDir::toNativeSeparators(folder.ico())));

        dialogs.answers = {Answer::Yes};
        QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(QStringLiteral("Apple.ico"))),
                 QStringLiteral("Apple.ico"));
        QCOMPARE(readBytes(folder.inIco(QStringLiteral("Apple.ico"))),
                 readBytes(folder.elsewhere(QStringLiteral("Apple.ico"))));
        QVERIFY(dialogs.unexpected.isEmpty());
    }

    void preparedPictureReachesTheIconFolderOnlyWhenCompleted()
    {
        IconFolder folder;
        ScriptedDialogs dialogs;
        writeTestIcon(folder.inIco(QStringLiteral("Apple.ico")), Qt::red);
        writeTestIcon(folder.elsewhere(QStringLiteral("Apple.ico")), Qt::green);
        writeTestIcon(folder.elsewhere(QStringLiteral("Pear.ico")), Qt::yellow);
        const QByteArray red = readBytes(folder.inIco(QStringLiteral("Apple.ico")));

        // Agreeing to replace is asked at once, but the folder keeps its file until the
        // import is completed.
        dialogs.answers = {Answer::Yes};
        const auto apple = preparePictureImport(dialogs, folder.ico(),
                                                folder.elsewhere(QStringLiteral("Apple.ico")));
        QVERIFY(apple);
        QVERIFY(apple->copy);
        QCOMPARE(apple->name, QStringLiteral("Apple.ico"));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(readBytes(folder.inIco(QStringLiteral("Apple.ico"))), red);
        const auto pear = preparePictureImport(dialogs, folder.ico(),
                                               folder.elsewhere(QStringLiteral("Pear.ico")));
        QVERIFY(pear && pear->copy);
        QVERIFY(!QFileInfo::exists(folder.inIco(QStringLiteral("Pear.ico"))));

        QVERIFY(completePictureImport(dialogs, folder.ico(), *apple));
        QCOMPARE(readBytes(folder.inIco(QStringLiteral("Apple.ico"))),
                 readBytes(folder.elsewhere(QStringLiteral("Apple.ico"))));

        // The folder's own picture needs no copy, and completing it writes nothing.
        const auto own = preparePictureImport(dialogs, folder.ico(), folder.inIco(QStringLiteral("Apple.ico")));
        QVERIFY(own && !own->copy);
        QCOMPARE(own->bytes, readBytes(folder.inIco(QStringLiteral("Apple.ico"))));
        QVERIFY(dialogs.unexpected.isEmpty());
    }

    void picturesThatCannotBeUsedAreRefusedByName()
    {
        IconFolder folder;
        ScriptedDialogs dialogs;
        writeBytes(folder.elsewhere(QStringLiteral("Notes.ico")), "plain text");
        writeTestIcon(folder.elsewhere(QStringLiteral("Say \"cheese\".ico")), Qt::red);
        for (const QString &name : {QStringLiteral("Notes.ico"), QStringLiteral("Say \"cheese\".ico"),
                                   QStringLiteral("Absent.ico")}) {
            dialogs.messages.clear();
            QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(name)), std::nullopt);
            QCOMPARE(dialogs.messages.size(), 1);
            QVERIFY2(dialogs.messages[0].text.contains(name), qPrintable(dialogs.messages[0].text));
            QVERIFY(!QFileInfo::exists(folder.inIco(name)));
        }

        writeTestIcon(folder.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        ReadOnlyFolder locked(folder.ico());
        if (!locked.holds())
            QSKIP("this file system cannot make a folder refuse new files");
        dialogs.messages.clear();
        QCOMPARE(bringIntoIconFolder(dialogs, folder.ico(), folder.elsewhere(QStringLiteral("Pear.ico"))),
                 std::nullopt);
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("Pear.ico")));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("could not be copied")));
    }
};

QTEST_MAIN(WidgetsTest)
#include "tst_widgets.moc"
