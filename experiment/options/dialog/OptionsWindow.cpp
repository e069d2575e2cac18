// The Options window's widgets: the three tabs of trial defaults, the icon size with
// its preview and the three picture rows beside them, and Save and Cancel below.

#include "kelvane/options/Options.h"

#include "kelvane/widgets/ColourButton.h"
#include "kelvane/widgets/PictureRow.h"
#include "kelvane/widgets/PictureWidget.h"
#include "kelvane/widgets/SpinnerField.h"
#include "kelvane/widgets/StorableText.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
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

QLineEdit *messageField(QWidget *tab, const QString &caption)
{
    QGroupBox *box = frame(tab, caption);
    auto *edit = new QLineEdit(box);
    edit->setAccessibleName(caption);
    // Room for the default messages, which are about thirty characters long.
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 36);
    guardStorableText(edit);
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(edit);
    return edit;
}

// A spinner with its unit after it; `unit` may be empty.
SpinnerField *numberField(QWidget *parent, const QString &caption, const QString &unit)
{
    QGroupBox *box = frame(parent, caption);
    auto *spinner = new SpinnerField(box);
    spinner->setAccessibleName(QStringLiteral("%1 (%2)").arg(caption, unit));
    auto *layout = new QHBoxLayout(box);
    layout->addWidget(spinner);
    auto *label = new QLabel(unit, box);
    label->setAccessibleName(unit);
    layout->addWidget(label);
    layout->addStretch(1);
    return spinner;
}

ColourButton *colourField(QWidget *tab, Dialogs &dialogs, const QString &caption)
{
    QGroupBox *box = frame(tab, caption);
    auto *button = new ColourButton(dialogs, box);
    button->setAccessibleName(caption);
    auto *layout = new QHBoxLayout(box);
    auto *label = new QLabel(QStringLiteral("Click to change:"), box);
    label->setBuddy(button);
    layout->addWidget(label);
    layout->addWidget(button);
    layout->addStretch(1);
    return button;
}

} // namespace

void Options::buildWindow()
{
    setWindowTitle(QStringLiteral("Kelvane Options"));
    setAccessibleName(windowTitle());
    setModal(true);

    SSTab1 = new QTabWidget(this);
    SSTab1->setAccessibleName(QStringLiteral("Trial defaults"));
    SSTab1->addTab(messagesTab(), QStringLiteral("Messages"));
    SSTab1->addTab(timingTab(), QStringLiteral("Timing"));
    m_screenTab = screenTab();
    SSTab1->addTab(m_screenTab, QStringLiteral("Screen"));

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

QWidget *Options::messagesTab()
{
    QWidget *tab = newColumn();
    TimeUpMessage = messageField(tab, QStringLiteral("Message on timeout"));
    StartMessage = messageField(tab, QStringLiteral("Start message"));
    EndMessage = messageField(tab, QStringLiteral("End message"));
    endColumn(tab);
    return tab;
}

QWidget *Options::timingTab()
{
    QWidget *tab = newColumn();
    time = numberField(tab, QStringLiteral("Time for this layout"), QStringLiteral("seconds"));
    CloseAfter = numberField(tab, QStringLiteral("Close boxes after"), QStringLiteral("seconds"));
    endColumn(tab);
    return tab;
}

QWidget *Options::screenTab()
{
    QWidget *tab = newColumn();
    ScreenSize = numberField(tab, QStringLiteral("Screen Size"), QStringLiteral("percent"));
    boxSizeMm = numberField(tab, QStringLiteral("Box Size"), QStringLiteral("mm"));
    boxSizeMm->setToolTip(boxSizeHint());
    ChangeColor = colourField(tab, m_dialogs, QStringLiteral("Background Color"));
    ChangeForeColor = colourField(tab, m_dialogs, QStringLiteral("Foreground Color"));
    endColumn(tab);
    return tab;
}

QWidget *Options::picturesColumn()
{
    QWidget *column = newColumn(this);
    column->layout()->setContentsMargins(0, 0, 0, 0);

    auto *sizeRow = new QWidget(column);
    auto *sizeLayout = new QHBoxLayout(sizeRow);
    sizeLayout->setContentsMargins(0, 0, 0, 0);
    column->layout()->addWidget(sizeRow);
    PixelIcon = numberField(sizeRow, QStringLiteral("Icon Size"), QStringLiteral("twips"));
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
