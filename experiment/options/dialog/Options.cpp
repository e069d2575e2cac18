#include "kelvane/options/Options.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/PictureRow.h"
#include "kelvane/widgets/PictureWidget.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/TrialSettingsForm.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

const QString Title = QStringLiteral("Kelvane Options");

// Twips to pixels for the preview, held to what Save accepts so that a mistyped huge
// number cannot make a widget of millions of pixels.
int previewPixels(const QString &iconSize)
{
    const double twips = std::clamp(leadingNumber(iconSize), 0.0, LargestIconSize);
    return int(std::lround(twips / 15));
}

} // namespace

Options::Options(SettingsStore &store, Dialogs &dialogs, const QString &iconFolder, QWidget *parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs), m_iconFolder(iconFolder),
      m_pending(dialogs, iconFolder)
{
    buildWindow();
    Form_Load();
}

void Options::Form_Load()
{
    m_pending.clear();
    const LoadedDefaults loaded = readDefaultSettings(m_store);
    const DefaultSettings &s = loaded.settings;
    SSTab1->TimeUpMessage->setText(s.trial.TimeUpMessage);
    SSTab1->StartMessage->setText(s.trial.StartMessage);
    SSTab1->EndMessage->setText(s.trial.EndMessage);
    // A long message shows its beginning.
    for (QLineEdit *message : {SSTab1->TimeUpMessage, SSTab1->StartMessage, SSTab1->EndMessage})
        message->setCursorPosition(0);
    SSTab1->time->setText(s.trial.Time);
    SSTab1->CloseAfter->setText(s.trial.CloseAfter);
    SSTab1->ChangeColor->setColour(s.trial.BackColor);
    SSTab1->ChangeForeColor->setColour(s.trial.ForeColor);
    SSTab1->ScreenSize->setText(s.trial.ScreenSize);
    SSTab1->boxSizeMm->setText(s.trial.BoxSizeMm);
    DragBox->setNames(s.objectPictures);
    EmptyBox->setNames(s.boxPictures);
    EmptyIcon->setNames(s.emptyBoxPictures);
    Voorbeeld->setPicture(m_iconFolder, s.boxPictures.value(0));
    PixelIcon->setText(s.iconSize);
    PixelIcon_Change();
    m_loadProblems = loaded.problems + pictureProblems();
}

void Options::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Told over the dialog, so that the researcher sees what the message is about.
    if (!m_loadProblemsTold && !m_loadProblems.isEmpty()) {
        m_loadProblemsTold = true;
        QTimer::singleShot(0, this, &Options::tellLoadProblems);
    }
}

void Options::tellLoadProblems()
{
    QString text = QStringLiteral("Some stored settings cannot be shown as they are:\n");
    for (const QString &problem : std::as_const(m_loadProblems))
        text += QStringLiteral("\n- ") + problem;
    text += QStringLiteral("\n\nSave stores what the dialog shows; a picture that cannot be shown "
                           "keeps its stored name.");
    m_dialogs.message(Title, text, MessageIcon::Exclamation);
}

QStringList Options::pictureProblems() const
{
    const QString folder = QDir::toNativeSeparators(m_iconFolder);
    if (!QFileInfo(m_iconFolder).isDir())
        return {QStringLiteral("The icon folder %1 does not exist, so no picture can be shown.").arg(folder)};
    QStringList problems;
    const auto check = [&](const PictureRow *row, const char *section) {
        for (int i = 0; i < row->count(); ++i) {
            const QString key = QStringLiteral("%1/%2").arg(QLatin1StringView(section)).arg(i + 1);
            const PictureWidget *picture = row->picture(i);
            if (picture->fileName().isEmpty())
                problems.append(QStringLiteral("No picture is named for %1.").arg(key));
            else if (!picture->isMissing())
                continue;
            else if (!QFileInfo::exists(QDir(m_iconFolder).filePath(picture->fileName())))
                problems.append(QStringLiteral("The picture \"%1\" (%2) is not in the icon folder %3.")
                                    .arg(picture->fileName(), key, folder));
            else
                problems.append(QStringLiteral("The picture \"%1\" (%2) in the icon folder %3 cannot be "
                                               "read as a picture.")
                                    .arg(picture->fileName(), key, folder));
        }
    };
    check(DragBox, "DragBoxIcons");
    check(EmptyBox, "EmptyBoxIcons");
    check(EmptyIcon, "EmptyIcons");
    return problems;
}

DefaultSettings Options::shownSettings() const
{
    DefaultSettings s;
    s.trial.TimeUpMessage = SSTab1->TimeUpMessage->text();
    s.trial.StartMessage = SSTab1->StartMessage->text();
    s.trial.EndMessage = SSTab1->EndMessage->text();
    s.trial.Time = SSTab1->time->text();
    s.trial.CloseAfter = SSTab1->CloseAfter->text();
    s.trial.BackColor = SSTab1->ChangeColor->colour();
    s.trial.ForeColor = SSTab1->ChangeForeColor->colour();
    s.trial.ScreenSize = SSTab1->ScreenSize->text();
    s.trial.BoxSizeMm = SSTab1->boxSizeMm->text();
    s.iconSize = PixelIcon->text();
    // A picture that could not be shown still carries its stored name here.
    s.objectPictures = DragBox->names();
    s.boxPictures = EmptyBox->names();
    s.emptyBoxPictures = EmptyIcon->names();
    return s;
}

void Options::save_Click()
{
    const DefaultSettings settings = shownSettings();
    if (const auto refusal = refusalOf(settings)) {
        refuse(*refusal);
        return;
    }
    // Pictures first, so that the store never names one the icon folder lacks.
    if (!m_pending.copyAll())
        return;
    QString problem;
    if (!saveDefaultSettings(m_store, settings, &problem)) {
        m_dialogs.message(Title, problem + QStringLiteral("\nNothing was saved."), MessageIcon::Critical);
        return;
    }
    accept();
}

void Options::refuse(const Refusal &refusal)
{
    m_dialogs.message(Title, refusal.text, MessageIcon::Exclamation);
    SpinnerField *field = refusal.field == Refusal::Field::ScreenSize ? SSTab1->ScreenSize
                          : refusal.field == Refusal::Field::BoxSize  ? SSTab1->boxSizeMm
                                                                      : PixelIcon;
    if (field != PixelIcon)
        SSTab1->setCurrentWidget(SSTab1->screenTab());
    field->setFocus();
    field->selectAll();
}

void Options::cancel_Click()
{
    reject();
}

void Options::PixelIcon_Change()
{
    const int pixels = previewPixels(PixelIcon->text());
    Voorbeeld->setFixedSize(pixels, pixels);
}

void Options::DragBox_Click(int index)
{
    replacePicture(DragBox, index);
}

void Options::EmptyBox_Click(int index)
{
    replacePicture(EmptyBox, index);
}

void Options::EmptyIcon_Click(int index)
{
    replacePicture(EmptyIcon, index);
}

void Options::replacePicture(PictureRow *row, int index)
{
    const auto name = m_pending.choose();
    if (!name)
        return;
    row->setName(index, *name, m_pending.folderOf(*name));
    showPicturesNamed(*name);
}

void Options::showPicturesNamed(const QString &name)
{
    // The preview keeps what it showed when the dialog opened.
    for (PictureRow *row : {DragBox, EmptyBox, EmptyIcon}) {
        for (int i = 0; i < row->count(); ++i) {
            if (row->name(i) == name)
                row->setName(i, name, m_pending.folderOf(name));
        }
    }
}

bool showOptions(SettingsStore &store, Dialogs &dialogs, const QString &iconFolder, QWidget *parent,
                 const std::function<void(QWidget &)> &prepare)
{
    Options dialog(store, dialogs, iconFolder, parent);
    if (prepare)
        prepare(dialog);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace kelvane
