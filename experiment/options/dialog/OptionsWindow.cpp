// The Options window's widgets: the trial-settings form for the defaults, the icon size with
// its preview and the three picture rows beside them, and Save and Cancel below.

#include "kelvane/options/Options.h"

#include "kelvane/widgets/PictureRow.h"
#include "kelvane/widgets/PictureWidget.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/TrialSettingsForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kelvane {

namespace {

// The preview shows boxes up to this side without scrolling (1920 twips).
constexpr int PreviewAreaPixels = 128;

QGroupBox *frame(QWidget *parent, const QString &caption)
{
    auto *box = new QGroupBox(caption, parent);
    box->setAccessibleName(caption);
    parent->layout()->addWidget(box);
    return box;
}

QWidget *newColumn(QWidget *parent = nullptr)
{
    auto *column = new QWidget(parent);
    auto *layout = new QVBoxLayout(column);
    layout->setSpacing(6);
    return column;
}

void endColumn(QWidget *column)
{
    static_cast<QVBoxLayout *>(column->layout())->addStretch(1);
}

} // namespace

void Options::buildWindow()
{
    setWindowTitle(QStringLiteral("Kelvane Options"));
    setAccessibleName(windowTitle());
    setModal(true);

    SSTab1 = new TrialSettingsForm(m_dialogs, this);
    SSTab1->setAccessibleName(QStringLiteral("Trial defaults"));
    // Room for the default messages, which are about thirty characters long.
    SSTab1->setMessageWidth(36);

    auto *hint = new QLabel(QStringLiteral("Set all options, then click save to set as default."), this);
    hint->setAccessibleName(hint->text());
    save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("save"));
    save->setDefault(true);
    cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(save, &QPushButton::clicked, this, &Options::save_Click);
    connect(cancel, &QPushButton::clicked, this, &Options::cancel_Click);

    auto *top = new QHBoxLayout;
    top->addWidget(SSTab1, 1);
    top->addWidget(picturesColumn());
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(save);
    bottom->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
}

QWidget *Options::picturesColumn()
{
    QWidget *column = newColumn(this);
    column->layout()->setContentsMargins(0, 0, 0, 0);

    auto *sizeRow = new QWidget(column);
    auto *sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    column->layout()->addWidget(sizeRow);
    PixelIcon = framedSpinner(sizeRow, QStringLiteral("Icon Size"), QStringLiteral("twips"));
    sizeLayout->setAlignment(PixelIcon->parentWidget(), Qt::AlignTop);
    connect(PixelIcon->field(), &QLineEdit::textChanged, this, &Options::PixelIcon_Change);

    // The preview keeps its true size; a large one scrolls instead of stretching the window.
    m_previewArea = new QScrollArea(sizeRow);
    m_previewArea->setAccessibleName(QStringLiteral("Icon size preview"));
    m_previewArea->setFixedSize(PreviewAreaPixels + 2 * m_previewArea->frameWidth(),
                                PreviewAreaPixels + 2 * m_previewArea->frameWidth());
    m_previewArea->setAlignment(Qt::AlignCenter);
    Voorbeeld = new PictureWidget;
    Voorbeeld->setRole(QStringLiteral("Icon size preview"));
    m_previewArea->setWidget(Voorbeeld);
    sizeLayout->addWidget(m_previewArea);

    DragBox = pictureRow(column, 6, QStringLiteral("Items"), QStringLiteral("Object picture"),
                         &Options::DragBox_Click);
    EmptyBox = pictureRow(column, 4, QStringLiteral("Box"), QStringLiteral("Closed box picture"),
                          &Options::EmptyBox_Click);
    EmptyIcon = pictureRow(column, 4, QStringLiteral("EmptyBox"), QStringLiteral("Opened empty box picture"),
                           &Options::EmptyIcon_Click);
    endColumn(column);
    return column;
}

PictureRow *Options::pictureRow(QWidget *column, int count, const QString &caption, const QString &role,
                                void (Options::*clicked)(int))
{
    QGroupBox *box = frame(column, caption);
    auto *row = new PictureRow(count, role, PictureRow::ReplaceGesture::Click, box);
    row->setIconFolder(m_iconFolder);
    row->setNamesShown(true);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(row);
    connect(row, &PictureRow::replaceRequested, this, clicked);
    return row;
}

} // namespace kelvane
