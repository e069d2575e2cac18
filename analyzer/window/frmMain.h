#pragma once
// The analyzer's only window: pick result files and an output file, then compute
// the measures of every file and save them as one table.

#include "kelvane/Dialogs.h"

#include <QMainWindow>
#include <QStringList>

#include <array>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStackedWidget;

namespace kelvane::analyzer {

class ReportControls;
class ResultTableView;

class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    // The window holds at most this many selected files; the command line has no bound.
    static constexpr int MaxSelectedFiles = 199;

    explicit frmMain(Dialogs &dialogs, QWidget *parent = nullptr);

    void Form_Load();
    void Command1_Click();
    // Files chosen in the open dialog or named on the command line (a double-clicked
    // result file arrives this way).
    void chooseFiles(const QStringList &paths);
    void mnuOpen_Click() { Command1_Click(); }
    void cmdBlader_Click();
    void mnuUitvoer_Click() { cmdBlader_Click(); }
    void txtOutputFile_Change();
    void optFile_Click();
    void tidyCheck_Click();
    void tidyFolderButton_Click();
    void cmdSave_Click();
    void mnuBewaar_Click() { cmdSave_Click(); }
    void mnuInfo_Click();
    void mnuAflsuiten_Click();

    const QStringList &fileList() const { return m_fileList; }

    QLabel *UitvoerbestandlblTekst = nullptr;
    QLineEdit *txtOutputFile = nullptr;
    QPushButton *cmdBlader = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdSave = nullptr;
    QGroupBox *frame1 = nullptr;
    std::array<QRadioButton *, 2> optFile{}; // tab-delimited text, SPSS data file
    QCheckBox *chkHeader = nullptr;
    QCheckBox *byNameCheck = nullptr;      // the wide table's clusters by name, not position
    QCheckBox *tidyCheck = nullptr;        // also write the tidy tables
    QLineEdit *tidyFolderEdit = nullptr;  // into this folder
    QPushButton *tidyFolderButton = nullptr;
    QLabel *filesLabel = nullptr;        // how many files are chosen, and where
    QListWidget *analysedFiles = nullptr;   // their names
    // The progress of a run while it lasts, then what it did, in the same place, so the
    // window keeps its size.
    QStackedWidget *runStack = nullptr;
    QProgressBar *runProgress = nullptr;
    QLabel *statusLabel = nullptr;
    ReportControls *reportFrame = nullptr;  // report, cluster folders, search viewer
    ResultTableView *tblResults = nullptr; // the rows the last run wrote
    FileDialogRequest cdlFiles;    // result files to analyse, several at once
    FileDialogRequest cdlSaveFile; // the output file
    FileDialogRequest cdlTidyFolder; // the tidy tables' folder

    QMenu *mnuBestand = nullptr;
    QAction *mnuOpen = nullptr;
    QAction *mnuUitvoer = nullptr;
    QAction *mnuBewaar = nullptr;
    QMenu *mnuExtra = nullptr;
    QAction *mnuAflsuiten = nullptr;
    QAction *mnuInfo = nullptr;

private:
    void buildWidgets();
    void buildMenus();
    void setComputeEnabled(bool enabled);
    bool spssChosen() const;
    void showChosenFiles();
    void noteFilesChosen();
    void showStatus(const QString &text);
    // The folder box's text; when it is empty the folder dialog asks for one. Nothing
    // when the researcher cancels.
    std::optional<QString> tidyFolder();

    Dialogs &m_dialogs;
    QStringList m_fileList;
    bool m_filesChosen = false;
    QString m_outputPath;
    QString m_lastTidyFolder;
};

} // namespace kelvane::analyzer
