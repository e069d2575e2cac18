#include "kelvane/editor/NewStudyDialog.h"

#include "kelvane/TypedPath.h"
#include "kelvane/study/StudyFiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace kelvane {

namespace {

template<typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    widget->setAccessibleName(name);
    return widget;
}

} // namespace

NewStudyDialog::NewStudyDialog(Dialogs &dialogs, const SettingsStore &store, QWidget *parent)
    : QDialog(parent), m_dialogs(dialogs), m_store(store)
{
    setWindowTitle(QStringLiteral("New Study"));
    const StudyOptions defaults;
    auto *form = new QFormLayout(this);

    folder = named(new QLineEdit(this), QStringLiteral("Folder"));
    chooseFolder = named(new QPushButton(QStringLiteral("Choose..."), this), QStringLiteral("Choose folder"));
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(folder, 1);
    folderRow->addWidget(chooseFolder);
    form->addRow(QStringLiteral("Folder:"), folderRow);

    sizes = named(new QLineEdit(numberListText(defaults.sizes), this), QStringLiteral("Problem sizes"));
    sizes->setToolTip(QStringLiteral("Boxes of each problem size, separated by commas"));
    form->addRow(QStringLiteral("Problem sizes (boxes):"), sizes);
    problems = named(new QLineEdit(QString::number(defaults.problems.front()), this),
                     QStringLiteral("Problems of each size"));
    problems->setToolTip(QStringLiteral("One count for every size, or one for each size, separated by commas"));
    form->addRow(QStringLiteral("Problems of each size:"), problems);

    practice = named(new QSpinBox(this), QStringLiteral("Practice problem boxes"));
    practice->setRange(0, 99);
    practice->setSpecialValueText(QStringLiteral("No practice"));
    practice->setValue(defaults.practiceBoxes);
    form->addRow(QStringLiteral("Practice problem (boxes):"), practice);

    timeLimit = named(new QLineEdit(this), QStringLiteral("Time limit"));
    timeLimit->setPlaceholderText(QStringLiteral("no limit"));
    form->addRow(QStringLiteral("Time limit per search (seconds):"), timeLimit);

    language = named(new QComboBox(this), QStringLiteral("Language"));
    language->addItem(QStringLiteral("English"), languageName(StudyLanguage::English));
    language->addItem(QStringLiteral("Dutch"), languageName(StudyLanguage::Dutch));
    form->addRow(QStringLiteral("Messages in:"), language);

    order = named(new QComboBox(this), QStringLiteral("Order"));
    order->addItem(QStringLiteral("Increasing size"), orderName(ProblemOrder::Increasing));
    order->addItem(QStringLiteral("Shuffled, one of each size per round"), orderName(ProblemOrder::Shuffled));
    form->addRow(QStringLiteral("Order of problems:"), order);

    minDistance = named(new QDoubleSpinBox(this), QStringLiteral("Distance between boxes"));
    minDistance->setRange(0.1, 20);
    minDistance->setSingleStep(0.1);
    minDistance->setDecimals(1);
    minDistance->setValue(defaults.minDistance);
    minDistance->setToolTip(QStringLiteral("The least distance between the centres of two boxes, in box widths"));
    form->addRow(QStringLiteral("Distance between boxes (box widths):"), minDistance);

    seed = named(new QLineEdit(QString::number(drawnStudySeed()), this), QStringLiteral("Seed"));
    seed->setToolTip(QStringLiteral("The same seed and choices make the same study again"));
    form->addRow(QStringLiteral("Seed:"), seed);

    replace = named(new QCheckBox(QStringLiteral("Replace the cluster and experiment files in the folder"), this),
                    QStringLiteral("Replace files"));
    form->addRow(replace);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Make Study"));
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("Make Study"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    form->addRow(buttons);

    connect(chooseFolder, &QPushButton::clicked, this, &NewStudyDialog::chooseFolder_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &NewStudyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NewStudyDialog::reject);
}

void NewStudyDialog::chooseFolder_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Study Folder");
    request.initialFolder = folder->text();
    request.kind = FolderKind::Experiments;
    if (const auto chosen = m_dialogs.chooseFolder(request))
        folder->setText(QDir::toNativeSeparators(*chosen));
}

std::optional<StudyOptions> NewStudyDialog::chosenOptions(QString *problem) const
{
    StudyOptions options;
    bool ok = false;
    options.seed = seed->text().trimmed().toULongLong(&ok);
    if (!ok) {
        *problem = QStringLiteral("The seed must be a whole number of 0 or more.");
        return std::nullopt;
    }
    const auto sizeList = numberList(sizes->text());
    if (!sizeList) {
        *problem = QStringLiteral("The problem sizes must be box counts separated by commas, as 3,4,6,8.");
        return std::nullopt;
    }
    options.sizes = *sizeList;
    const auto counts = numberList(problems->text());
    if (!counts) {
        *problem = QStringLiteral("The problems of each size must be one count, or one for each size.");
        return std::nullopt;
    }
    options.problems = counts->size() == 1 ? std::vector<int>(options.sizes.size(), counts->front()) : *counts;
    options.practiceBoxes = practice->value();
    options.timeLimit = timeLimit->text().trimmed();
    options.language = languageNamed(language->currentData().toString()).value_or(StudyLanguage::English);
    options.order = orderNamed(order->currentData().toString()).value_or(ProblemOrder::Increasing);
    options.minDistance = minDistance->value();
    if (const auto invalid = invalidStudyOptions(options)) {
        *problem = QStringLiteral("The study cannot be made: %1.").arg(*invalid);
        return std::nullopt;
    }
    return options;
}

void NewStudyDialog::refuse(const QString &text)
{
    m_dialogs.message(QStringLiteral("New Study"), text, MessageIcon::Exclamation);
}

void NewStudyDialog::accept()
{
    if (folder->text().trimmed().isEmpty()) {
        refuse(QStringLiteral("Choose a folder for the study."));
        return;
    }
    QString problem;
    const auto options = chosenOptions(&problem);
    if (!options) {
        refuse(problem);
        return;
    }
    const QString where = QDir::cleanPath(typedPath(folder->text()));
    // A relative folder would land wherever the program happened to be started.
    if (QDir::isRelativePath(where)) {
        refuse(QStringLiteral("Type the folder's whole path, such as %1, or choose it with Choose...")
                   .arg(QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/study"))));
        return;
    }
    const Study study = generateStudy(*options, studyLookFromStore(m_store, nullptr));
    const StudyWriteOutcome outcome = writeStudy(where, study, replace->isChecked());
    if (!outcome.problem.isEmpty()) {
        refuse(QStringLiteral("No study was made: %1.").arg(outcome.problem));
        return;
    }
    m_made = outcome.written.back();
    m_dialogs.message(QStringLiteral("New Study"),
                      QStringLiteral("The study is ready: %1 with %2 cluster files, seed %3.")
                          .arg(QDir::toNativeSeparators(m_made))
                          .arg(study.problems.size())
                          .arg(options->seed),
                      MessageIcon::Information);
    QDialog::accept();
}

} // namespace kelvane
