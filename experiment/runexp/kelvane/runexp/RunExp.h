#pragma once
// The experiment window: the researcher lists clusters and messages, saves and opens
// that list as an experiment file, names the subject and runs the experiment. The trial
// window reads the list and the subject straight from here while it runs.

#include "kelvane/model/Program.h"
#include "kelvane/runexp/ExperimentLaunch.h"
#include "kelvane/runexp/OrdersPreviewDialog.h"
#include "kelvane/trial/RunSequencing.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvane {

class UpDownButtons;

class RunExp : public QWidget, public ExperimentSource
{
    Q_OBJECT

public:
    RunExp(Program &program, const RunExpServices &services, QWidget *parent = nullptr);
    ~RunExp() override;

    // What the trial window reads during a run.
    QStringList entries() const override;
    QString subjectName() const override;
    QString subjectResultFile() const override;
    QString experimentFile() const override;

    // Appends the entries of an experiment file to the list, as Open Experiment does
    // after its dialog. False (with a message naming the file) when the file cannot be
    // read or is damaged; the list is then unchanged.
    bool openExperimentFile(const QString &path);

    // The list differs from the file last opened into an empty list or saved.
    bool listChanged() const;
    // How the last run's trial window ended; Running when no run has started.
    RunEnd lastRunEnd() const { return m_lastRunEnd; }
    // Dates, locale and clock of the runs started here (tests fix them).
    LaunchSettings &launchSettings() { return m_launch; }
    // How the orders preview is shown: modally by default; tests look at it and answer.
    void setOrdersPreviewRunner(std::function<bool(OrdersPreviewDialog &)> runner)
    {
        m_runOrdersPreview = std::move(runner);
    }

    // Handlers, named after their widgets.
    void Form_Load();
    void AddCluster_Click();
    void AddComment_Click();
    void RemoveCluster_Click();
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void clusters_Click();
    void LoadExp_Click();
    bool SaveExp_Click();
    void btnRunExp_Click();
    void Command1_Click();
    void checkButton_Click();
    void ordersButton_Click();
    void resultsFolderButton_Click();

    QLabel *label1 = nullptr;
    QListWidget *clusters = nullptr;
    QPushButton *AddCluster = nullptr;
    QPushButton *RemoveCluster = nullptr;
    QPushButton *AddComment = nullptr;
    UpDownButtons *UpDown1 = nullptr;
    QPushButton *LoadExp = nullptr;
    QPushButton *SaveExp = nullptr;
    QPushButton *checkButton = nullptr;
    QPushButton *ordersButton = nullptr;
    QLabel *Label2 = nullptr;
    QLineEdit *Subject = nullptr;
    QCheckBox *HideMouse = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *ResultFile = nullptr;
    QPushButton *resultsFolderButton = nullptr;
    QPushButton *btnRunExp = nullptr;
    QPushButton *Command1 = nullptr;

Q_SIGNALS:
    // The window has closed; whoever opened it shows itself again.
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWidgets();
    int selectedIndex() const;
    bool appendWritable(const QString &entry, const QString &title, const QString &what);
    void moveSelected(int by);
    void showFileError(const FileError &error);
    void setCaptionFile(const QString &path);
    void rememberExperimentFolder(const QString &path);
    void updateResultFile();
    RunRequest runRequest() const;
    // The unsaved-list question on closing; true when the window may close.
    bool mayClose();

    Program &m_program;
    RunExpServices m_services;
    LaunchSettings m_launch;
    QStringList m_savedEntries;
    // The file last opened into an empty list or saved, as the program was given it.
    QString m_savedFile;
    QStringList m_experimentFolders;
    RunEnd m_lastRunEnd = RunEnd::Running;
    std::function<bool(OrdersPreviewDialog &)> m_runOrdersPreview = [](OrdersPreviewDialog &preview) {
        return preview.exec() == QDialog::Accepted;
    };
};

} // namespace kelvane
