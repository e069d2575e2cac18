#include "kelvane/runexp/RunExp.h"

#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/formats/ResultFileNames.h"
#include "kelvane/model/ClusterCommands.h"
#include "kelvane/runexp/OrdersCommand.h"
#include "kelvane/runexp/ResultsFolder.h"
#include "kelvane/runexp/UpDownButtons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane {

namespace {

const QString Caption = QStringLiteral("Run Experiment");
const QString CaptionPrefix = QStringLiteral("Run Experiment - ");
const QString MessagePrefix = QStringLiteral("Message: ");

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *pushButton = new QPushButton(caption, parent);
    // Enter presses the button that has the focus, as on the researchers' platform;
    // elsewhere in the window it presses Run.
    pushButton->setAutoDefault(true);
    return pushButton;
}

} // namespace

RunExp::RunExp(Program &program, const RunExpServices &services, QWidget *parent)
    : QWidget(parent, Qt::Window), m_program(program), m_services(services)
{
    buildWidgets();
    Form_Load();
}

RunExp::~RunExp() = default;

void RunExp::buildWidgets()
{
    label1 = new QLabel(QStringLiteral("Clusters to run:"), this);
    clusters = new QListWidget(this);
    clusters->setAccessibleName(QStringLiteral("Clusters to run"));
    clusters->setSelectionMode(QAbstractItemView::SingleSelection);
    clusters->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    clusters->setMinimumWidth(420);
    label1->setBuddy(clusters);
    clusters->viewport()->installEventFilter(this);

    AddCluster = button(QStringLiteral("Add Cluster"), this);
    AddComment = button(QStringLiteral("Add Message"), this);
    RemoveCluster = button(QStringLiteral("Remove Event"), this);
    UpDown1 = new UpDownButtons(this);
    LoadExp = button(QStringLiteral("Open Experiment"), this);
    SaveExp = button(QStringLiteral("Save Experiment"), this);
    checkButton = button(QStringLiteral("Check"), this);
    ordersButton = button(QStringLiteral("Orders..."), this);
    ordersButton->setAccessibleName(QStringLiteral("Orders"));

    Label2 = new QLabel(QStringLiteral("Subject name:"), this);
    Subject = new QLineEdit(this);
    Subject->setAccessibleName(QStringLiteral("Subject name"));
    Label2->setBuddy(Subject);
    HideMouse = new QCheckBox(QStringLiteral("Hide Mouse"), this);
    HideMouse->setToolTip(QStringLiteral("Hides the pointer for the whole run. Meant for touch screens: "
                                         "with a mouse the subject clicks blind."));
    Label3 = new QLabel(QStringLiteral("Results file:"), this);
    ResultFile = new QLabel(this);
    ResultFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    ResultFile->setWordWrap(true);
    resultsFolderButton = button(QStringLiteral("Results Folder..."), this);
    btnRunExp = button(QStringLiteral("Run"), this);
    btnRunExp->setDefault(true);
    Command1 = button(QStringLiteral("Mouse"), this);

    auto *commands = new QVBoxLayout;
    for (QWidget *widget : {static_cast<QWidget *>(AddCluster), static_cast<QWidget *>(AddComment),
                            static_cast<QWidget *>(RemoveCluster)})
        commands->addWidget(widget);
    commands->addWidget(UpDown1, 0, Qt::AlignHCenter);
    commands->addSpacing(12);
    for (QWidget *widget : {static_cast<QWidget *>(LoadExp), static_cast<QWidget *>(SaveExp),
                            static_cast<QWidget *>(checkButton), static_cast<QWidget *>(ordersButton)})
        commands->addWidget(widget);
    commands->addStretch();

    auto *grid = new QGridLayout;
    grid->addWidget(label1, 0, 0, 1, 3);
    grid->addWidget(clusters, 1, 0, 1, 2);
    grid->addLayout(commands, 1, 2);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(Subject, 2, 1);
    grid->addWidget(HideMouse, 2, 2);
    grid->addWidget(Label3, 3, 0);
    grid->addWidget(ResultFile, 3, 1);
    grid->addWidget(resultsFolderButton, 3, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);

    auto *run = new QHBoxLayout;
    run->addStretch();
    run->addWidget(btnRunExp);
    run->addWidget(Command1);

    auto *window = new QVBoxLayout(this);
    window->addLayout(grid);
    window->addLayout(run);

    connect(AddCluster, &QPushButton::clicked, this, &RunExp::AddCluster_Click);
    connect(AddComment, &QPushButton::clicked, this, &RunExp::AddComment_Click);
    connect(RemoveCluster, &QPushButton::clicked, this, &RunExp::RemoveCluster_Click);
    connect(UpDown1, &UpDownButtons::upClicked, this, &RunExp::UpDown1_UpClick);
    connect(UpDown1, &UpDownButtons::downClicked, this, &RunExp::UpDown1_DownClick);
    connect(LoadExp, &QPushButton::clicked, this, &RunExp::LoadExp_Click);
    connect(SaveExp, &QPushButton::clicked, this, [this] { SaveExp_Click(); });
    connect(checkButton, &QPushButton::clicked, this, &RunExp::checkButton_Click);
    connect(ordersButton, &QPushButton::clicked, this, &RunExp::ordersButton_Click);
    connect(resultsFolderButton, &QPushButton::clicked, this, &RunExp::resultsFolderButton_Click);
    connect(btnRunExp, &QPushButton::clicked, this, &RunExp::btnRunExp_Click);
    connect(Command1, &QPushButton::clicked, this, &RunExp::Command1_Click);
    connect(Subject, &QLineEdit::textChanged, this, &RunExp::updateResultFile);
    resize(720, 440);
}

void RunExp::Form_Load()
{
    clusters->clear();
    Subject->clear();
    HideMouse->setChecked(true);
    setWindowTitle(Caption);
    m_savedEntries.clear();
    m_savedFile.clear();
    m_experimentFolders.clear();
    updateResultFile();
}

QStringList RunExp::entries() const
{
    QStringList list;
    for (int i = 0; i < clusters->count(); ++i)
        list.append(clusters->item(i)->text());
    return list;
}

QString RunExp::subjectName() const
{
    return Subject->text();
}

QString RunExp::subjectResultFile() const
{
    return kelvane::subjectResultFile(resultsFolder(m_services.store), subjectName());
}

QString RunExp::experimentFile() const
{
    // A list changed since, or put together from several files, is no file's order.
    return listChanged() ? QString() : m_savedFile;
}

bool RunExp::listChanged() const
{
    return entries() != m_savedEntries;
}

int RunExp::selectedIndex() const
{
    const QListWidgetItem *item = clusters->currentItem();
    return item && item->isSelected() ? clusters->row(item) : -1;
}

bool RunExp::appendWritable(const QString &entry, const QString &title, const QString &what)
{
    if (const auto why = unwritableEntry(entry)) {
        m_services.dialogs.message(title, QStringLiteral("%1 cannot be listed: %2.").arg(what, *why),
                                   MessageIcon::Exclamation);
        return false;
    }
    clusters->addItem(entry);
    return true;
}

void RunExp::AddCluster_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Add Cluster");
    request.filter = ClusterFilter;
    request.kind = FolderKind::Clusters;
    const auto chosen = m_services.dialogs.openFile(request);
    if (!chosen)
        return;
    appendWritable(*chosen, request.title, QStringLiteral("The cluster file ") + *chosen);
}

void RunExp::AddComment_Click()
{
    const auto answer = m_services.dialogs.input(QStringLiteral("Add message"), QStringLiteral("Enter message"),
                                                 QString());
    if (!answer || answer->isEmpty())
        return;
    appendWritable(MessagePrefix + *answer, QStringLiteral("Add message"),
                   QStringLiteral("The message \"%1\"").arg(*answer));
}

void RunExp::RemoveCluster_Click()
{
    const int index = selectedIndex();
    if (index < 0)
        return;
    delete clusters->takeItem(index);
    // The next entry is not selected for the researcher: a second press removes nothing.
    clusters->setCurrentRow(-1);
    clusters->clearSelection();
}

void RunExp::moveSelected(int by)
{
    const int index = selectedIndex();
    const int target = index + by;
    if (index < 0 || target < 0 || target >= clusters->count())
        return;
    QListWidgetItem *item = clusters->takeItem(index);
    clusters->insertItem(target, item);
    clusters->setCurrentRow(target);
}

void RunExp::UpDown1_UpClick()
{
    moveSelected(-1);
}

void RunExp::UpDown1_DownClick()
{
    moveSelected(+1);
}

void RunExp::clusters_Click()
{
    m_services.pointer.showWhileHidden();
}

void RunExp::Command1_Click()
{
    m_services.pointer.showWhileHidden();
}

void RunExp::showFileError(const FileError &error)
{
    m_services.dialogs.message(QStringLiteral("Error"), unknownErrorText(error), MessageIcon::Critical);
}

void RunExp::setCaptionFile(const QString &path)
{
    setWindowTitle(CaptionPrefix + fileTitle(path));
}

void RunExp::rememberExperimentFolder(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!m_experimentFolders.contains(folder))
        m_experimentFolders.append(folder);
}

void RunExp::LoadExp_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Open Experiment");
    request.filter = ExperimentFilter;
    request.kind = FolderKind::Experiments;
    if (const auto chosen = m_services.dialogs.openFile(request))
        openExperimentFile(*chosen);
}

bool RunExp::openExperimentFile(const QString &path)
{
    // Read whole first: a file that fails half-way adds nothing.
    const FileResult<QStringList> entries = readExperimentFile(path);
    if (!entries) {
        showFileError(entries.error());
        return false;
    }
    const bool wasEmpty = clusters->count() == 0;
    clusters->addItems(*entries);
    if (wasEmpty) {
        m_savedEntries = *entries;
        m_savedFile = path;
    }
    rememberExperimentFolder(path);
    setCaptionFile(path);
    return true;
}

bool RunExp::SaveExp_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save Experiment");
    request.filter = ExperimentFilter;
    request.kind = FolderKind::Experiments;
    const std::optional<QString> chosen = chooseSavePath(m_services.dialogs, request, [](const QString &name) {
        return QFileInfo(name).suffix().isEmpty() ? name + QLatin1StringView(".bex") : name;
    });
    if (!chosen)
        return false;
    const QString path = *chosen;
    const QStringList list = entries();
    if (const FileResult<void> saved = saveExperimentFile(path, list); !saved) {
        showFileError(saved.error());
        return false;
    }
    m_savedEntries = list;
    m_savedFile = path;
    rememberExperimentFolder(path);
    setCaptionFile(path);
    return true;
}

RunRequest RunExp::runRequest() const
{
    RunRequest request;
    request.entries = entries();
    request.subjectName = subjectName();
    request.resultsFolder = resultsFolder(m_services.store);
    request.programFolder = m_program.ProgramFolder;
    request.iconFolder = m_program.IconFolder;
    request.experimentFolders = m_experimentFolders;
    return request;
}

void RunExp::btnRunExp_Click()
{
    RunEnd end = RunEnd::Running;
    const LaunchOutcome outcome = launchExperiment(m_program, m_services, *this, runRequest(),
                                                   HideMouse->isChecked(), m_launch, this, &end);
    if (outcome == LaunchOutcome::Ran)
        m_lastRunEnd = end;
    if (outcome == LaunchOutcome::SubjectNeeded || outcome == LaunchOutcome::KeptEarlierFile)
        Subject->setFocus();
    activateWindow();
}

void RunExp::checkButton_Click()
{
    const RunRequest request = runRequest();
    RunReadiness readiness = checkRunReadiness(request);
    if (request.subjectName.isEmpty())
        readiness.warnings.append(QStringLiteral("No subject name has been entered yet, so the subject file "
                                                 "was not checked."));
    else if (readiness.subjectFileExists)
        readiness.warnings.append(QStringLiteral("%1 already exists; Run will ask before replacing it.")
                                      .arg(QDir::toNativeSeparators(readiness.subjectFile)));
    for (const QString &file : readiness.earlierResults)
        readiness.warnings.append(QStringLiteral("%1 holds trials that no experiment run recorded; Run will ask "
                                                 "before replacing them.")
                                      .arg(QDir::toNativeSeparators(file)));
    if (readiness.canRun()) {
        QString text = QStringLiteral("The experiment can be run.");
        if (!readiness.warnings.isEmpty())
            text += QStringLiteral("\n\n") + readinessText(readiness);
        m_services.dialogs.message(QStringLiteral("Check"), text,
                                   readiness.warnings.isEmpty() ? MessageIcon::Information
                                                                : MessageIcon::Exclamation);
        return;
    }
    m_services.dialogs.message(QStringLiteral("Check"), readinessText(readiness), MessageIcon::Critical);
}

void RunExp::ordersButton_Click()
{
    // Without a file of its own the orders go where experiments were saved last.
    const auto preview = [this](const QStringList &listed,
                                const QList<BlockOrder> &orders) -> std::optional<Instructions> {
        OrdersPreviewDialog dialog(listed, orders, this);
        if (!m_runOrdersPreview(dialog))
            return std::nullopt;
        return dialog.instructions();
    };
    makeOrderFiles(m_services.dialogs, {entries(), m_savedFile, QString(), preview});
}

void RunExp::resultsFolderButton_Click()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Results Folder");
    request.initialFolder = resultsFolder(m_services.store);
    const auto chosen = m_services.dialogs.chooseFolder(request);
    if (!chosen)
        return;
    rememberResultsFolder(m_services.store, QDir::fromNativeSeparators(*chosen));
    updateResultFile();
}

void RunExp::updateResultFile()
{
    const QString folder = resultsFolder(m_services.store);
    ResultFile->setText(Subject->text().isEmpty()
                            ? QDir::toNativeSeparators(QDir(folder).absolutePath()) + QDir::separator()
                            : QDir::toNativeSeparators(QFileInfo(subjectResultFile()).absoluteFilePath()));
}

void RunExp::showEvent(QShowEvent *event)
{
    // The results folder may have been chosen in another window since.
    updateResultFile();
    QWidget::showEvent(event);
}

bool RunExp::mayClose()
{
    if (!listChanged())
        return true;
    const Answer answer = m_services.dialogs.message(
        Caption, QStringLiteral("The list of events has changed. Would you like to save it?"),
        MessageIcon::Question, MessageButtons::YesNoCancel, Answer::Yes);
    if (answer == Answer::Yes)
        return SaveExp_Click();
    return answer == Answer::No;
}

void RunExp::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
    // The next opening starts afresh, as a newly loaded window would.
    Form_Load();
    Q_EMIT closed();
}

void RunExp::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnRunExp->click();
        return;
    case Qt::Key_Escape:
        Command1->click();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool RunExp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == clusters->viewport() && event->type() == QEvent::MouseButtonRelease)
        clusters_Click();
    return QWidget::eventFilter(watched, event);
}

} // namespace kelvane
