#include "ReadOnlyFolder.h"
#include "ScriptedDialogs.h"
#include "TestFiles.h"
#include "TestIcons.h"

#include "kelvane/options/Options.h"
#include "kelvane/options/StoredSettings.h"
#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/PictureRow.h"
#include "kelvane/widgets/PictureWidget.h"
#include "kelvane/widgets/SpinnerField.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace kelvane;
using namespace kelvane::test;

namespace {

// A store in memory that keeps every write in order.
class RecordingStore final : public SettingsStore
{
public:
    QString read(const QString &section, const QString &key) const override
    {
        return values.value(section + u'/' + key);
    }
    void write(const QString &section, const QString &key, const QString &text) override
    {
        values.insert(section + u'/' + key, text);
        writes.append(section + u'/' + key + u'=' + text);
    }
    void remove(const QString &section, const QString &key) override
    {
        values.remove(section + u'/' + key);
    }
    bool contains(const QString &section, const QString &key) const override
    {
        return values.contains(section + u'/' + key);
    }
    bool commit(QString *) override
    {
        ++commits;
        return true;
    }

    QMap<QString, QString> values;
    QStringList writes;
    int commits = 0;
};

// An icon folder holding the first-run pictures, each of its own colour, a folder
// elsewhere, and a store holding the first-run values.
struct Fixture
{
    explicit Fixture(SettingsStore *ownStore = nullptr)
    {
        QDir(dir.path()).mkpath(QStringLiteral("ico"));
        QDir(dir.path()).mkpath(QStringLiteral("elsewhere"));
        int hue = 0;
        for (const QStringList &names : {firstRunObjectPictures(), firstRunBoxPictures(), firstRunEmptyBoxPictures()}) {
            for (const QString &name : names) {
                writeTestIcon(inIco(name), QColor::fromHsv(hue, 255, 200));
                hue += 25;
            }
        }
        store = ownStore ? ownStore : &recording;
        applyFirstRunRule(*store, firstRunTrialDefaults());
        store->commit(nullptr);
        recording.writes.clear();
        recording.commits = 0;
    }

    Options &open()
    {
        dialog = std::make_unique<Options>(*store, dialogs, ico());
        dialog->show();
        if (!QTest::qWaitForWindowExposed(dialog.get()))
            qFatal("the Options dialog was not shown");
        return *dialog;
    }

    QString ico() const { return dir.filePath(QStringLiteral("ico")) + u'/'; }
    QString inIco(const QString &name) const { return ico() + name; }
    QString elsewhere(const QString &name) const { return dir.filePath(QStringLiteral("elsewhere/") + name); }
    QString stored(const char *section, const char *key) const
    {
        return store->read(QString::fromLatin1(section), QString::fromLatin1(key));
    }
    void setStored(const char *section, const char *key, const QString &text)
    {
        store->write(QString::fromLatin1(section), QString::fromLatin1(key), text);
        store->commit(nullptr);
        recording.writes.clear();
    }

    QTemporaryDir dir;
    RecordingStore recording;
    SettingsStore *store = nullptr;
    ScriptedDialogs dialogs;
    std::unique_ptr<Options> dialog;
};

void typeInto(QWidget *field, const QString &text)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

QColor colourAt(const PictureWidget *picture)
{
    return picture->picture().toImage().pixelColor(16, 16);
}

QColor iconColour(const QString &path)
{
    return QImage(path).pixelColor(16, 16);
}

} // namespace

class OptionsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadShowsTheStoredValues()
    {
        Fixture f;
        f.setStored("Messages", "StartMessage", QStringLiteral("Press START"));
        f.setStored("Timing", "Time", QStringLiteral("abc"));
        f.setStored("Screen", "BackColor", QStringLiteral("255"));
        f.setStored("Screen", "ScreenSize", QStringLiteral("70"));
        f.setStored("Screen", "IconSize", QStringLiteral("960"));
        f.setStored("EmptyBoxIcons", "1", QStringLiteral("Box3.ico"));
        Options &o = f.open();

        QCOMPARE(o.windowTitle(), QStringLiteral("Kelvane Options"));
        QVERIFY(o.isModal());
        QCOMPARE(o.SSTab1->count(), 3);
        QCOMPARE(o.SSTab1->tabText(0), QStringLiteral("Messages"));
        QCOMPARE(o.SSTab1->tabText(1), QStringLiteral("Timing"));
        QCOMPARE(o.SSTab1->tabText(2), QStringLiteral("Screen"));
        QCOMPARE(o.SSTab1->TimeUpMessage->text(), QStringLiteral("Uw tijd is om."));
        QCOMPARE(o.SSTab1->StartMessage->text(), QStringLiteral("Press START"));
        QCOMPARE(o.SSTab1->time->text(), QStringLiteral("abc"));
        QCOMPARE(o.SSTab1->CloseAfter->text(), QStringLiteral("2"));
        QCOMPARE(o.SSTab1->ScreenSize->text(), QStringLiteral("70"));
        QCOMPARE(o.SSTab1->ChangeColor->colour(), 255);
        QCOMPARE(o.SSTab1->ChangeForeColor->colour(), 16777215);
        QCOMPARE(o.PixelIcon->text(), QStringLiteral("960"));
        QCOMPARE(o.DragBox->names(), firstRunObjectPictures());
        QCOMPARE(o.EmptyBox->name(0), QStringLiteral("Box3.ico"));
        QCOMPARE(o.EmptyIcon->names(), firstRunEmptyBoxPictures());
        QCOMPARE(colourAt(o.EmptyIcon->picture(2)), iconColour(f.inIco(QStringLiteral("EmptyBox3.ico"))));
        // The preview is closed box 0 at the stored size.
        QCOMPARE(o.Voorbeeld->fileName(), QStringLiteral("Box3.ico"));
        QCOMPARE(o.Voorbeeld->size(), QSize(64, 64));
        QVERIFY(o.save->isDefault());
        QCOMPARE(f.recording.writes, QStringList());
        QTest::qWait(20);
        QCOMPARE(f.dialogs.messages.size(), 0);
    }

    void everyControlHasAnAccessibleName()
    {
        Fixture f;
        Options &o = f.open();
        int checked = 0;
        for (QWidget *widget : o.findChildren<QWidget *>()) {
            const bool control = widget->focusPolicy() != Qt::NoFocus || qobject_cast<PictureWidget *>(widget);
            // A spinner's own text field hands its focus to the spinner, which is named.
            if (!control || widget->isHidden() || widget->focusProxy())
                continue;
            ++checked;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), widget->metaObject()->className());
        }
        // 3 messages, 4 spinners, 2 colours, 14 pictures and the preview, Save, Cancel, the tabs.
        QVERIFY2(checked >= 27, qPrintable(QString::number(checked)));
        QCOMPARE(o.SSTab1->time->accessibleName(), QStringLiteral("Time for this layout (seconds)"));
        QCOMPARE(o.EmptyBox->picture(0)->accessibleName(), QStringLiteral("Closed box picture 1: Box1.ico"));
    }

    void spinnersAddOrTakeOneFromTheLeadingNumber()
    {
        Fixture f;
        Options &o = f.open();
        o.SSTab1->setCurrentIndex(1);
        typeInto(o.SSTab1->time, QStringLiteral("10"));
        QTest::keyClick(o.SSTab1->time, Qt::Key_Up);
        QCOMPARE(o.SSTab1->time->text(), QStringLiteral("11"));
        typeInto(o.SSTab1->CloseAfter, QStringLiteral("0"));
        QTest::keyClick(o.SSTab1->CloseAfter, Qt::Key_Down);
        QCOMPARE(o.SSTab1->CloseAfter->text(), QStringLiteral("-1"));
        typeInto(o.SSTab1->time, QStringLiteral("abc"));
        QTest::keyClick(o.SSTab1->time, Qt::Key_Up);
        QCOMPARE(o.SSTab1->time->text(), QStringLiteral("1"));
        o.SSTab1->time->field()->clear();
        QTest::keyClick(o.SSTab1->time, Qt::Key_Up);
        QCOMPARE(o.SSTab1->time->text(), QStringLiteral("1"));

        // The arrows themselves, with the mouse, and no bound at 100 percent.
        o.SSTab1->setCurrentIndex(2);
        typeInto(o.SSTab1->ScreenSize, QStringLiteral("100"));
        QTest::mouseClick(o.SSTab1->ScreenSize, Qt::LeftButton, {}, QPoint(o.SSTab1->ScreenSize->width() - 4, 4));
        QCOMPARE(o.SSTab1->ScreenSize->text(), QStringLiteral("101"));
        QTest::mouseClick(o.PixelIcon, Qt::LeftButton, {}, QPoint(o.PixelIcon->width() - 4, o.PixelIcon->height() - 4));
        QCOMPARE(o.PixelIcon->text(), QStringLiteral("479"));
        QCOMPARE(f.recording.writes, QStringList());
    }

    void iconSizeResizesThePreviewAtOnce()
    {
        Fixture f;
        Options &o = f.open();
        QCOMPARE(o.Voorbeeld->size(), QSize(32, 32));
        typeInto(o.PixelIcon, QStringLiteral("960"));
        QCOMPARE(o.Voorbeeld->size(), QSize(64, 64));
        QTest::keyClick(o.PixelIcon, Qt::Key_Up);
        QCOMPARE(o.PixelIcon->text(), QStringLiteral("961"));
        QCOMPARE(o.Voorbeeld->size(), QSize(64, 64));
        // Text gives no size; a mistyped huge number does not make a huge widget.
        typeInto(o.PixelIcon, QStringLiteral("big"));
        QCOMPARE(o.Voorbeeld->size(), QSize(0, 0));
        typeInto(o.PixelIcon, QStringLiteral("99999999"));
        QCOMPARE(o.Voorbeeld->size(), QSize(467, 467));
    }

    void choosingAPictureReplacesItButNotThePreview()
    {
        Fixture f;
        Options &o = f.open();
        const QColor box1 = colourAt(o.Voorbeeld);
        f.dialogs.openPaths = {f.inIco(QStringLiteral("Content2.ico"))};
        QTest::mouseClick(o.EmptyBox->picture(0), Qt::LeftButton);
        QCOMPARE(f.dialogs.fileRequests.size(), 1);
        QCOMPARE(f.dialogs.fileRequests[0].filter, QStringLiteral("Icon Files (*.ico)|*.ico"));
        QCOMPARE(f.dialogs.fileRequests[0].initialFolder, f.ico());
        QCOMPARE(o.EmptyBox->name(0), QStringLiteral("Content2.ico"));
        QCOMPARE(colourAt(o.EmptyBox->picture(0)), iconColour(f.inIco(QStringLiteral("Content2.ico"))));
        QCOMPARE(o.Voorbeeld->fileName(), QStringLiteral("Box1.ico"));
        QCOMPARE(colourAt(o.Voorbeeld), box1);

        // A cancelled file dialog changes nothing.
        f.dialogs.openPaths = {std::nullopt};
        QTest::mouseClick(o.DragBox->picture(5), Qt::LeftButton);
        QCOMPARE(o.DragBox->name(5), QStringLiteral("Content6.ico"));
        QVERIFY(f.dialogs.unexpected.isEmpty());
        QCOMPARE(f.recording.writes, QStringList());
    }

    void saveWritesEveryKeyInTheTableOrderAndCloses()
    {
        Fixture f;
        Options &o = f.open();
        typeInto(o.SSTab1->TimeUpMessage, QStringLiteral("Time is up."));
        typeInto(o.SSTab1->StartMessage, QString());
        o.SSTab1->setCurrentIndex(1);
        typeInto(o.SSTab1->time, QStringLiteral("abc"));
        QTest::keyClick(o.SSTab1->CloseAfter, Qt::Key_Up);
        o.SSTab1->setCurrentIndex(2);
        typeInto(o.SSTab1->ScreenSize, QStringLiteral("70"));
        typeInto(o.SSTab1->boxSizeMm, QStringLiteral("12.5"));
        f.dialogs.colours = {255, 65280};
        QTest::mouseClick(o.SSTab1->ChangeColor, Qt::LeftButton);
        QTest::mouseClick(o.SSTab1->ChangeForeColor, Qt::LeftButton);
        typeInto(o.PixelIcon, QStringLiteral("960"));
        f.dialogs.openPaths = {f.inIco(QStringLiteral("Box4.ico")), f.inIco(QStringLiteral("Content1.ico")),
                               f.inIco(QStringLiteral("EmptyBox1.ico"))};
        QTest::mouseClick(o.DragBox->picture(2), Qt::LeftButton);
        QTest::mouseClick(o.EmptyBox->picture(3), Qt::LeftButton);
        QTest::mouseClick(o.EmptyIcon->picture(1), Qt::LeftButton);
        QCOMPARE(f.recording.writes, QStringList());

        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QVERIFY(!o.isVisible());
        const QStringList expected = {
            QStringLiteral("Messages/TimeUpMessage=Time is up."),
            QStringLiteral("Messages/StartMessage="),
            QStringLiteral("Messages/EndMessage=Klik op START om door te gaan."),
            QStringLiteral("Timing/Time=abc"),
            QStringLiteral("Timing/CloseAfter=3"),
            QStringLiteral("Screen/BackColor=255"),
            QStringLiteral("Screen/ForeColor=65280"),
            QStringLiteral("Screen/ScreenSize=70"),
            QStringLiteral("Screen/IconSize=960"),
            QStringLiteral("DragBoxIcons/1=Content1.ico"),
            QStringLiteral("DragBoxIcons/2=Content2.ico"),
            QStringLiteral("DragBoxIcons/3=Box4.ico"),
            QStringLiteral("DragBoxIcons/4=Content4.ico"),
            QStringLiteral("DragBoxIcons/5=Content5.ico"),
            QStringLiteral("DragBoxIcons/6=Content6.ico"),
            QStringLiteral("EmptyBoxIcons/1=Box1.ico"),
            QStringLiteral("EmptyBoxIcons/2=Box2.ico"),
            QStringLiteral("EmptyBoxIcons/3=Box3.ico"),
            QStringLiteral("EmptyBoxIcons/4=Content1.ico"),
            QStringLiteral("EmptyIcons/1=EmptyBox1.ico"),
            QStringLiteral("EmptyIcons/2=EmptyBox1.ico"),
            QStringLiteral("EmptyIcons/3=EmptyBox3.ico"),
            QStringLiteral("EmptyIcons/4=EmptyBox4.ico"),
            QStringLiteral("Screen/BoxSizeMm=12.5"),
        };
        QCOMPARE(f.recording.writes, expected);
        QCOMPARE(f.recording.commits, 1);
        QVERIFY(f.dialogs.messages.isEmpty());
    }

    void savedValuesReadBackThroughTheStoreFile()
    {
        QTemporaryDir storeDir;
        const QString path = storeDir.filePath(QStringLiteral("Kelvane.ini"));
        auto store = std::make_unique<QSettingsStore>(path);
        Fixture f(store.get());
        Options &o = f.open();
        typeInto(o.SSTab1->EndMessage, QStringLiteral("Next one"));
        o.SSTab1->setCurrentIndex(1);
        typeInto(o.SSTab1->time, QStringLiteral("30"));
        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));

        store.reset();
        QSettingsStore again(path);
        QCOMPARE(again.read(QStringLiteral("Messages"), QStringLiteral("EndMessage")), QStringLiteral("Next one"));
        QCOMPARE(again.read(QStringLiteral("Timing"), QStringLiteral("Time")), QStringLiteral("30"));
        QCOMPARE(again.read(QStringLiteral("Screen"), QStringLiteral("IconSize")), QStringLiteral("480"));
        QVERIFY(readBytes(path).contains("Time=30"));
    }

    void enterSaves()
    {
        Fixture f;
        Options &o = f.open();
        typeInto(o.SSTab1->EndMessage, QStringLiteral("Go on"));
        QTest::keyClick(o.SSTab1->EndMessage, Qt::Key_Return);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(f.stored("Messages", "EndMessage"), QStringLiteral("Go on"));

        Fixture g;
        Options &p = g.open();
        typeInto(p.PixelIcon, QStringLiteral("720"));
        QTest::keyClick(p.PixelIcon, Qt::Key_Enter);
        QCOMPARE(p.result(), int(QDialog::Accepted));
        QCOMPARE(g.stored("Screen", "IconSize"), QStringLiteral("720"));
    }

    void showOptionsTellsWhetherTheResearcherSaved()
    {
        for (const bool saving : {true, false}) {
            Fixture f;
            QTimer::singleShot(0, qApp, [saving] {
                auto *dialog = qobject_cast<Options *>(QApplication::activeModalWidget());
                if (!dialog)
                    qFatal("no Options dialog is shown");
                QTest::mouseClick(saving ? dialog->save : dialog->cancel, Qt::LeftButton);
            });
            QCOMPARE(showOptions(*f.store, f.dialogs, f.ico(), nullptr), saving);
            QCOMPARE(f.recording.commits, saving ? 1 : 0);
        }
    }

    void cancelChangesNothing()
    {
        Fixture f;
        const auto before = f.recording.values;
        writeTestIcon(f.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        writeTestIcon(f.elsewhere(QStringLiteral("Box2.ico")), Qt::yellow);
        const QByteArray box2 = readBytes(f.inIco(QStringLiteral("Box2.ico")));
        Options &o = f.open();
        typeInto(o.SSTab1->TimeUpMessage, QStringLiteral("Too late"));
        typeInto(o.PixelIcon, QStringLiteral("960"));
        f.dialogs.openPaths = {f.elsewhere(QStringLiteral("Pear.ico")), f.elsewhere(QStringLiteral("Box2.ico"))};
        f.dialogs.answers = {Answer::Yes};
        QTest::mouseClick(o.DragBox->picture(0), Qt::LeftButton);
        QTest::mouseClick(o.EmptyBox->picture(1), Qt::LeftButton);
        QCOMPARE(o.DragBox->name(0), QStringLiteral("Pear.ico"));
        QCOMPARE(colourAt(o.EmptyBox->picture(1)), QColor(Qt::yellow));

        QTest::mouseClick(o.cancel, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Rejected));
        QVERIFY(!o.isVisible());
        QCOMPARE(f.recording.writes, QStringList());
        QCOMPARE(f.recording.commits, 0);
        QCOMPARE(f.recording.values, before);
        // Pictures chosen elsewhere were not copied, and the agreed replacement not made.
        QVERIFY(!QFileInfo::exists(f.inIco(QStringLiteral("Pear.ico"))));
        QCOMPARE(readBytes(f.inIco(QStringLiteral("Box2.ico"))), box2);

        // Escape is Cancel too.
        Options &again = f.open();
        typeInto(again.SSTab1->TimeUpMessage, QStringLiteral("Too late"));
        QTest::keyClick(again.SSTab1->TimeUpMessage, Qt::Key_Escape);
        QCOMPARE(again.result(), int(QDialog::Rejected));
        QCOMPARE(f.recording.writes, QStringList());
    }

    void picturesFromElsewhereAreCopiedOnSave()
    {
        Fixture f;
        writeTestIcon(f.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        Options &o = f.open();
        f.dialogs.openPaths = {f.elsewhere(QStringLiteral("Pear.ico"))};
        QTest::mouseClick(o.EmptyIcon->picture(3), Qt::LeftButton);
        QCOMPARE(o.EmptyIcon->name(3), QStringLiteral("Pear.ico"));
        QCOMPARE(colourAt(o.EmptyIcon->picture(3)), QColor(Qt::green));
        QVERIFY(!QFileInfo::exists(f.inIco(QStringLiteral("Pear.ico"))));

        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(readBytes(f.inIco(QStringLiteral("Pear.ico"))), readBytes(f.elsewhere(QStringLiteral("Pear.ico"))));
        QCOMPARE(f.stored("EmptyIcons", "4"), QStringLiteral("Pear.ico"));
    }

    void oneNameStandsForOnePicture()
    {
        Fixture f;
        QDir(f.dir.path()).mkpath(QStringLiteral("other"));
        const QString otherPear = f.dir.filePath(QStringLiteral("other/Pear.ico"));
        writeTestIcon(f.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        writeTestIcon(otherPear, Qt::blue);
        Options &o = f.open();
        f.dialogs.openPaths = {f.elsewhere(QStringLiteral("Pear.ico")), otherPear, otherPear};
        QTest::mouseClick(o.DragBox->picture(0), Qt::LeftButton);
        // A different Pear.ico for another place: declined, then agreed.
        f.dialogs.answers = {Answer::No};
        QTest::mouseClick(o.DragBox->picture(1), Qt::LeftButton);
        QCOMPARE(o.DragBox->name(1), QStringLiteral("Content2.ico"));
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(QDir::toNativeSeparators(otherPear)));
        f.dialogs.answers = {Answer::Yes};
        QTest::mouseClick(o.DragBox->picture(1), Qt::LeftButton);
        QCOMPARE(o.DragBox->name(1), QStringLiteral("Pear.ico"));
        // Both places show the picture that will be copied.
        QCOMPARE(colourAt(o.DragBox->picture(0)), QColor(Qt::blue));
        QCOMPARE(colourAt(o.DragBox->picture(1)), QColor(Qt::blue));

        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(readBytes(f.inIco(QStringLiteral("Pear.ico"))), readBytes(otherPear));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void saveRefusesSizesThatCannotWork()
    {
        Fixture f;
        Options &o = f.open();
        o.SSTab1->setCurrentIndex(2);
        typeInto(o.SSTab1->ScreenSize, QStringLiteral("150"));
        o.SSTab1->setCurrentIndex(0);
        QTest::mouseClick(o.save, Qt::LeftButton);
        QVERIFY(o.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("screen size \"150\"")));
        QCOMPARE(o.SSTab1->currentIndex(), 2);
        QVERIFY(o.SSTab1->ScreenSize->hasFocus());

        typeInto(o.SSTab1->ScreenSize, QStringLiteral("100"));
        for (const QString &size : {QStringLiteral("0"), QStringLiteral("abc"), QStringLiteral("7001")}) {
            typeInto(o.PixelIcon, size);
            QTest::keyClick(o.PixelIcon, Qt::Key_Return);
            QVERIFY(o.isVisible());
            QVERIFY2(f.dialogs.messages.last().text.contains(QStringLiteral("icon size \"%1\"").arg(size)),
                     qPrintable(f.dialogs.messages.last().text));
            QVERIFY(o.PixelIcon->hasFocus());
        }
        QCOMPARE(f.dialogs.messages.size(), 4);
        QCOMPARE(f.recording.writes, QStringList());

        // Time and close-after are free text.
        typeInto(o.PixelIcon, QStringLiteral("15"));
        o.SSTab1->setCurrentIndex(1);
        typeInto(o.SSTab1->time, QStringLiteral("none"));
        typeInto(o.SSTab1->CloseAfter, QString());
        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(f.stored("Timing", "Time"), QStringLiteral("none"));
        QCOMPARE(f.stored("Timing", "CloseAfter"), QString());
        QCOMPARE(f.stored("Screen", "ScreenSize"), QStringLiteral("100"));
    }

    void failedStoreWriteIsToldAndTheDialogStaysOpen()
    {
        QTemporaryDir storeDir;
        const QString path = storeDir.filePath(QStringLiteral("Kelvane.ini"));
        QSettingsStore store(path);
        Fixture f(&store);
        const QByteArray before = readBytes(path);
        writeTestIcon(f.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        Options &o = f.open();
        o.SSTab1->setCurrentIndex(1);
        typeInto(o.SSTab1->time, QStringLiteral("30"));
        f.dialogs.openPaths = {f.elsewhere(QStringLiteral("Pear.ico"))};
        QTest::mouseClick(o.DragBox->picture(0), Qt::LeftButton);
        {
            ReadOnlyFolder locked(storeDir.path());
            if (!locked.holds())
                QSKIP("this file system cannot make a folder refuse new files");
            QTest::mouseClick(o.save, Qt::LeftButton);
        }
        QVERIFY(o.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Critical);
        QVERIFY2(f.dialogs.messages[0].text.contains(QDir::toNativeSeparators(path)),
                 qPrintable(f.dialogs.messages[0].text));
        QCOMPARE(readBytes(path), before);
        QCOMPARE(store.read(QStringLiteral("Timing"), QStringLiteral("Time")), QStringLiteral("10"));
        QCOMPARE(o.SSTab1->time->text(), QStringLiteral("30"));

        // Once the store can be written, Save succeeds with what the dialog still shows.
        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QVERIFY(readBytes(path).contains("Time=30"));
        QVERIFY(readBytes(path).contains("1=Pear.ico"));
        QVERIFY(QFileInfo::exists(f.inIco(QStringLiteral("Pear.ico"))));
    }

    void pictureThatCannotBeCopiedKeepsTheDialogOpen()
    {
        Fixture f;
        writeTestIcon(f.elsewhere(QStringLiteral("Pear.ico")), Qt::green);
        Options &o = f.open();
        f.dialogs.openPaths = {f.elsewhere(QStringLiteral("Pear.ico"))};
        QTest::mouseClick(o.DragBox->picture(0), Qt::LeftButton);
        {
            ReadOnlyFolder locked(f.ico());
            if (!locked.holds())
                QSKIP("this file system cannot make a folder refuse new files");
            QTest::mouseClick(o.save, Qt::LeftButton);
        }
        QVERIFY(o.isVisible());
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages[0].text.contains(QStringLiteral("Pear.ico")));
        QCOMPARE(f.recording.writes, QStringList());
        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(f.stored("DragBoxIcons", "1"), QStringLiteral("Pear.ico"));
    }

    void badStoredValuesAreShownAndNamedInOneMessage()
    {
        Fixture f;
        writeBytes(f.inIco(QStringLiteral("Broken.ico")), "not a picture");
        f.setStored("DragBoxIcons", "3", QStringLiteral("Gone.ico"));
        f.setStored("EmptyIcons", "2", QStringLiteral("Broken.ico"));
        f.setStored("Screen", "BackColor", QStringLiteral("red"));
        f.setStored("Screen", "IconSize", QStringLiteral("big"));
        Options &o = f.open();
        QTRY_COMPARE(f.dialogs.messages.size(), 1);
        const QString text = f.dialogs.messages[0].text;
        for (const QString &named : {QStringLiteral("\"Gone.ico\" (DragBoxIcons/3)"),
                                     QStringLiteral("\"Broken.ico\" (EmptyIcons/2)"),
                                     QStringLiteral("\"red\" (Screen/BackColor)"),
                                     QStringLiteral("\"big\" (Screen/IconSize)")})
            QVERIFY2(text.contains(named), qPrintable(text));
        QCOMPARE(f.dialogs.messages[0].icon, MessageIcon::Exclamation);
        QVERIFY(o.DragBox->picture(2)->isMissing());
        QVERIFY(o.EmptyIcon->picture(1)->isMissing());
        QCOMPARE(o.PixelIcon->text(), QStringLiteral("big"));
        QCOMPARE(o.SSTab1->ChangeColor->colour(), 0);
        QCOMPARE(o.Voorbeeld->size(), QSize(0, 0));

        // The icon size must be mended; the pictures keep their stored names.
        QTest::mouseClick(o.save, Qt::LeftButton);
        QVERIFY(o.isVisible());
        typeInto(o.PixelIcon, QStringLiteral("480"));
        QTest::mouseClick(o.save, Qt::LeftButton);
        QCOMPARE(o.result(), int(QDialog::Accepted));
        QCOMPARE(f.stored("DragBoxIcons", "3"), QStringLiteral("Gone.ico"));
        QCOMPARE(f.stored("EmptyIcons", "2"), QStringLiteral("Broken.ico"));
        QCOMPARE(f.stored("Screen", "BackColor"), QStringLiteral("0"));
        QCOMPARE(f.stored("Screen", "IconSize"), QStringLiteral("480"));
    }

    void missingIconFolderIsOneLine()
    {
        Fixture f;
        QVERIFY(QDir(f.ico()).removeRecursively());
        f.open();
        QTRY_COMPARE(f.dialogs.messages.size(), 1);
        const QString text = f.dialogs.messages[0].text;
        QVERIFY2(text.contains(QStringLiteral("icon folder %1 does not exist").arg(QDir::toNativeSeparators(f.ico()))),
                 qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("DragBoxIcons/")));
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
