#include "frmMain.h"

#include "AnalysisRun.h"
#include "FileList.h"
#include "kelvane/TypedPath.h"
#include "kelvane/Version.h"
#include "OutputPath.h"
#include "ReportControls.h"
#include "ResultTableView.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace kelvane::analyzer {

namespace {

const QString programName = QStringLiteral("Kelvane Analyzer");

// 300 twips from the left and the top of the screen, at 15 twips per pixel.
constexpr int StartPosition = 300 / 15;
constexpr int VisibleFileNames = 5;
// Messages about event logs name one trial each; a long run gets the first ones.
constexpr int ShownWarnings = 20;

QString warningsText(const QStringList &warnings)
{
    if (warnings.size() <= ShownWarnings)
        return warnings.join(u'\n');
    return warnings.first(ShownWarnings).join(u'\n')
           + QStringLiteral("\n... and %1 more like these.").arg(warnings.size() - ShownWarnings);
}

// A label whose text never widens the window: what does not fit is cut, and the whole
// text is in its tooltip.
QLabel *fixedLabel(QWidget *parent, int lines)
{
    auto *label = new QLabel(parent);
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    label->setFixedHeight(label->fontMetrics().lineSpacing() * lines + 4);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmMain::frmMain(Dialogs &dialogs, QWidget *parent) : QMainWindow(parent), m_dialogs(dialogs)
{
    setWindowTitle(programName);
    cdlFiles.filter = QStringLiteral("Kelvane output files (*.bof)|*.bof");
    cdlFiles.kind = FolderKind::Results;
    cdlSaveFile.title = QStringLiteral("Select outputfile");
    cdlSaveFile.kind = FolderKind::Tables;
    cdlTidyFolder.title = QStringLiteral("Folder for the tidy tables");
    buildWidgets();
    buildMenus();
    Form_Load();
}

void frmMain::buildWidgets()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    auto *outputRow = new QHBoxLayout;
    UitvoerbestandlblTekst = new QLabel(QStringLiteral("Output file:"), central);
    txtOutputFile = new QLineEdit(central);
    txtOutputFile->setMinimumWidth(280);
    UitvoerbestandlblTekst->setBuddy(txtOutputFile);
    cmdBlader = new QPushButton(QStringLiteral("&Browse"), central);
    outputRow->addWidget(UitvoerbestandlblTekst);
    outputRow->addWidget(txtOutputFile, 1);
    outputRow->addWidget(cmdBlader);
    layout->addLayout(outputRow);

    auto *tidyRow = new QHBoxLayout;
    tidyCheck = new QCheckBox(QStringLiteral("Also write tidy tables"), central);
    tidyFolderEdit = new QLineEdit(central);
    tidyFolderEdit->setAccessibleName(QStringLiteral("Folder for the tidy tables"));
    tidyFolderEdit->setToolTip(QStringLiteral("clicks.csv, trials.csv, clusters.csv, levels.csv, subjects.csv and "
                                             "datapackage.json are written into this folder"));
    tidyFolderButton = new QPushButton(QStringLiteral("&Folder..."), central);
    tidyFolderButton->setAccessibleName(QStringLiteral("Choose the folder for the tidy tables"));
    tidyRow->addWidget(tidyCheck);
    tidyRow->addWidget(tidyFolderEdit, 1);
    tidyRow->addWidget(tidyFolderButton);
    layout->addLayout(tidyRow);

    auto *choiceRow = new QHBoxLayout;
    frame1 = new QGroupBox(central);
    auto *frameLayout = new QVBoxLayout(frame1);
    optFile[0] = new QRadioButton(QStringLiteral("Text file (Tab delimited)"), frame1);
    optFile[1] = new QRadioButton(QStringLiteral("SPSS file"), frame1);
    optFile[0]->setChecked(true);
    frameLayout->addWidget(optFile[0]);
    frameLayout->addWidget(optFile[1]);
    chkHeader = new QCheckBox(QStringLiteral("Include variable names"), central);
    chkHeader->setChecked(true);
    byNameCheck = new QCheckBox(QStringLiteral("Line clusters up by &name"), central);
    byNameCheck->setToolTip(QStringLiteral("One group of columns per cluster name instead of per position in "
                                         "the file, for counterbalanced orders; also on the report's study page"));
    auto *optionsColumn = new QVBoxLayout;
    optionsColumn->addWidget(frame1);
    optionsColumn->addWidget(chkHeader);
    optionsColumn->addWidget(byNameCheck);
    optionsColumn->addStretch();
    choiceRow->addLayout(optionsColumn, 1);

    auto *buttonColumn = new QVBoxLayout;
    Command1 = new QPushButton(QStringLiteral("&Open file(s)"), central);
    cmdSave = new QPushButton(QStringLiteral("&Compute and save"), central);
    buttonColumn->addWidget(Command1);
    buttonColumn->addWidget(cmdSave);
    buttonColumn->addStretch();
    choiceRow->addLayout(buttonColumn);
    layout->addLayout(choiceRow);

    filesLabel = fixedLabel(central, 1);
    analysedFiles = new QListWidget(central);
    analysedFiles->setAccessibleName(QStringLiteral("Files to analyse"));
    analysedFiles->setSelectionMode(QAbstractItemView::NoSelection);
    analysedFiles->setFixedHeight(analysedFiles->fontMetrics().lineSpacing() * VisibleFileNames
                             + 2 * analysedFiles->frameWidth() + 4);
    filesLabel->setBuddy(analysedFiles);
    layout->addWidget(filesLabel);
    layout->addWidget(analysedFiles);

    runStack = new QStackedWidget(central);
    statusLabel = fixedLabel(runStack, 2);
    statusLabel->setAccessibleName(QStringLiteral("Status"));
    runProgress = new QProgressBar(runStack);
    runProgress->setAccessibleName(QStringLiteral("Progress"));
    runStack->addWidget(statusLabel);
    runStack->addWidget(runProgress);
    runStack->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    runStack->setFixedHeight(std::max(statusLabel->maximumHeight(), runProgress->sizeHint().height()));
    layout->addWidget(runStack);
    reportFrame = new ReportControls(m_dialogs, central);
    layout->addWidget(reportFrame);
    // Shown from the start, empty until a run, so that the window keeps its size.
    tblResults = new ResultTableView(central);
    layout->addWidget(tblResults, 1);
    setCentralWidget(central);
    connect(tblResults, &ResultTableView::clusterChosen, reportFrame, &ReportControls::openViewerAt);

    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(cmdBlader, &QPushButton::clicked, this, &frmMain::cmdBlader_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(txtOutputFile, &QLineEdit::textChanged, this, &frmMain::txtOutputFile_Change);
    connect(optFile[1], &QRadioButton::toggled, this, &frmMain::optFile_Click);
    connect(tidyCheck, &QCheckBox::toggled, this, &frmMain::tidyCheck_Click);
    connect(tidyFolderButton, &QPushButton::clicked, this, &frmMain::tidyFolderButton_Click);
}

void frmMain::buildMenus()
{
    mnuBestand = menuBar()->addMenu(QStringLiteral("&File"));
    mnuOpen = mnuBestand->addAction(QStringLiteral("&Open file(s)"));
    mnuUitvoer = mnuBestand->addAction(QStringLiteral("&Select outputfile"));
    mnuBewaar = mnuBestand->addAction(QStringLiteral("&Compute and save"));
    mnuExtra = menuBar()->addMenu(QStringLiteral("&Extra"));
    mnuAflsuiten = mnuExtra->addAction(QStringLiteral("&Exit"));
    mnuInfo = mnuExtra->addAction(QStringLiteral("&Info"));

    connect(mnuOpen, &QAction::triggered, this, &frmMain::mnuOpen_Click);
    connect(mnuUitvoer, &QAction::triggered, this, &frmMain::mnuUitvoer_Click);
    connect(mnuBewaar, &QAction::triggered, this, &frmMain::mnuBewaar_Click);
    connect(mnuAflsuiten, &QAction::triggered, this, &frmMain::mnuAflsuiten_Click);
    connect(mnuInfo, &QAction::triggered, this, &frmMain::mnuInfo_Click);
}

void frmMain::Form_Load()
{
    m_filesChosen = false;
    setComputeEnabled(false);
    showChosenFiles();
    showStatus(QString());
    tidyCheck_Click();
    move(StartPosition, StartPosition);
}

void frmMain::showChosenFiles()
{
    const QStringList paths = filesToAnalyse(m_fileList);
    analysedFiles->clear();
    for (const QString &path : paths)
        analysedFiles->addItem(QFileInfo(path).fileName());
    QString text;
    if (paths.isEmpty())
        text = QStringLiteral("No result files chosen");
    else if (paths.size() == 1)
        text = QStringLiteral("1 file chosen in %1").arg(QDir::toNativeSeparators(QFileInfo(paths.first()).absolutePath()));
    else
        text = QStringLiteral("%1 files chosen in %2").arg(paths.size()).arg(m_fileList.first());
    filesLabel->setText(text);
    filesLabel->setToolTip(text);
    reportFrame->setResultFiles(paths);
}

void frmMain::showStatus(const QString &text)
{
    statusLabel->setText(text);
    statusLabel->setToolTip(text);
    runStack->setCurrentWidget(statusLabel);
}

void frmMain::setComputeEnabled(bool enabled)
{
    cmdSave->setEnabled(enabled);
    mnuBewaar->setEnabled(enabled);
}

bool frmMain::spssChosen() const
{
    return optFile[1]->isChecked();
}

void frmMain::Command1_Click()
{
    // A cancelled dialog keeps the files chosen before.
    if (const std::optional<QStringList> chosen = m_dialogs.openFiles(cdlFiles))
        chooseFiles(*chosen);
    else
        noteFilesChosen();
}

void frmMain::chooseFiles(const QStringList &paths)
{
    if (paths.size() > MaxSelectedFiles) {
        m_dialogs.message(programName,
                          QStringLiteral("%1 files were selected; the window analyses at most %2 "
                                         "at a time. The earlier selection is kept.\n\nFor "
                                         "larger sets use the command line program:\n"
                                         "kelvane-analyze -o OUTPUT FILE...")
                              .arg(paths.size())
                              .arg(MaxSelectedFiles),
                          MessageIcon::Exclamation);
    } else {
        QStringList absolute;
        for (const QString &path : paths)
            absolute.append(QFileInfo(path).absoluteFilePath());
        m_fileList = fileListFromSelection(absolute);
        showChosenFiles();
    }
    noteFilesChosen();
}

void frmMain::noteFilesChosen()
{
    m_filesChosen = true;
    if (!txtOutputFile->text().isEmpty())
        setComputeEnabled(true);
}

void frmMain::cmdBlader_Click()
{
    cdlSaveFile.filter = spssChosen()
                             ? QStringLiteral("SPSS data files (*.sav)|*.sav|All files (*.*)|*.*")
                             : QStringLiteral("Tab delimited text files (*.dat)|*.dat|All files (*.*)|*.*");
    if (const std::optional<QString> path = m_dialogs.saveFile(cdlSaveFile))
        txtOutputFile->setText(*path);
}

void frmMain::txtOutputFile_Change()
{
    if (txtOutputFile->text().isEmpty())
        setComputeEnabled(false);
    else if (m_filesChosen)
        setComputeEnabled(true);
}

void frmMain::optFile_Click()
{
    // An SPSS data file always names its variables, and its name should say what it is.
    chkHeader->setEnabled(!spssChosen());
    const QString path = outputPathForKind(txtOutputFile->text(), spssChosen());
    if (path != txtOutputFile->text())
        txtOutputFile->setText(path);
}

void frmMain::tidyCheck_Click()
{
    tidyFolderEdit->setEnabled(tidyCheck->isChecked());
    tidyFolderButton->setEnabled(tidyCheck->isChecked());
}

void frmMain::tidyFolderButton_Click()
{
    // The dialog opens where the tables went last, or else beside the output file.
    cdlTidyFolder.initialFolder = !tidyFolderEdit->text().isEmpty() ? tidyFolderEdit->text()
                                  : !m_lastTidyFolder.isEmpty()
                                      ? m_lastTidyFolder
                                      : QFileInfo(txtOutputFile->text()).absolutePath();
    if (const std::optional<QString> folder = m_dialogs.chooseFolder(cdlTidyFolder))
        tidyFolderEdit->setText(*folder);
}

std::optional<QString> frmMain::tidyFolder()
{
    if (tidyFolderEdit->text().trimmed().isEmpty())
        tidyFolderButton_Click();
    if (tidyFolderEdit->text().trimmed().isEmpty())
        return std::nullopt;
    return typedPath(tidyFolderEdit->text());
}

void frmMain::cmdSave_Click()
{
    std::optional<QString> tidy;
    if (tidyCheck->isChecked() && !(tidy = tidyFolder()))
        return;
    cmdSave->setEnabled(false);
    m_outputPath = outputPathWithExtension(typedPath(txtOutputFile->text()), spssChosen());
    if (m_outputPath != txtOutputFile->text())
        txtOutputFile->setText(m_outputPath);
    const QStringList paths = filesToAnalyse(m_fileList);

    AnalysisRun run(spssChosen() ? OutputKind::SpssData : OutputKind::TabDelimited,
                    chkHeader->isChecked(), locale(),
                    byNameCheck->isChecked() ? ClusterLayout::ByName : ClusterLayout::ByPosition);
    run.keepResults();
    if (tidy)
        run.alsoTidy(*tidy);
    runProgress->setRange(0, int(paths.size()));
    runProgress->setValue(0);
    runStack->setCurrentWidget(runProgress);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        run.add(paths[i]);
        runProgress->setValue(int(i) + 1);
        // Let the bar paint; clicks and keys wait until the run is over.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    QString status;
    if (const FileResult<void> saved = run.save(m_outputPath)) {
        tblResults->setResults(run.results(), run.analysedPaths(), locale());
        status = QStringLiteral("Finished: %1 of %2 files analysed, %3 %4 written to %5")
                     .arg(run.analysedCount())
                     .arg(paths.size())
                     .arg(run.analysedCount())
                     .arg(spssChosen() ? QStringLiteral("cases") : QStringLiteral("rows"))
                     .arg(QDir::toNativeSeparators(m_outputPath));
    } else {
        status = QStringLiteral("Not finished: the output file was not written.");
        m_dialogs.message(programName,
                          QStringLiteral("The output file was not written.\n\n") + saved.error().description,
                          MessageIcon::Critical);
    }
    if (tidy) {
        m_lastTidyFolder = *tidy;
        if (const FileResult<void> saved = run.saveTidy(*tidy)) {
            const QString folder = QDir::toNativeSeparators(*tidy);
            status += status.endsWith(u'.') ? QStringLiteral(" Tidy tables written to %1.").arg(folder)
                                            : QStringLiteral("; tidy tables written to %1").arg(folder);
        } else {
            status += status.endsWith(u'.') ? QStringLiteral(" The tidy tables were not all written.")
                                            : QStringLiteral("; the tidy tables were not all written");
            m_dialogs.message(programName,
                              QStringLiteral("The tidy tables were not all written.\n\n") + saved.error().description,
                              MessageIcon::Critical);
        }
    }
    showStatus(status);
    if (!run.skipped().isEmpty()) {
        m_dialogs.message(programName,
                          QStringLiteral("%1 of %2 files could not be analysed and were left out "
                                         "of the output:\n\n%3")
                              .arg(run.skipped().size())
                              .arg(paths.size())
                              .arg(run.skippedReport()),
                          MessageIcon::Exclamation);
    }
    QStringList warnings = run.warnings();
    if (!run.positionWarning().isEmpty())
        warnings.prepend(run.positionWarning());
    if (!warnings.isEmpty())
        m_dialogs.message(programName, warningsText(warnings), MessageIcon::Exclamation);
    cmdSave->setEnabled(true);
}

void frmMain::mnuInfo_Click()
{
    m_dialogs.message(QStringLiteral("Info"),
                      QStringLiteral("Kelvane Analyzer\n\nKelvane project, 2026\n"
                                     "Department of Psychology\n\nVersion ")
                          + QLatin1StringView(Version),
                      MessageIcon::Information);
}

void frmMain::mnuAflsuiten_Click()
{
    // The only window: closing it ends the program, with no questions asked.
    close();
}

} // namespace kelvane::analyzer
