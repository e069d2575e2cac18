#include "kelvane/runexp/ExperimentLaunch.h"

#include "kelvane/Windows1252.h"
#include "kelvane/formats/SubjectFile.h"
#include "kelvane/trial/EarlierResults.h"
#include "kelvane/trial/PointerShownDialogs.h"
#include "kelvane/trial/RunMessages.h"

#include <QDir>

namespace kelvane {

namespace {

const QString RunTitle = QStringLiteral("Run Experiment");

// Yes replaces, No goes back to the name, Cancel stops; No is the default, so that Enter
// pressed twice throws nothing away.
Answer askSubjectOverwrite(Dialogs &dialogs, const QString &file)
{
    return dialogs.message(QStringLiteral("Save"),
                           QDir::toNativeSeparators(file) + QStringLiteral(" already exists. Would you like to overwrite it?"),
                           MessageIcon::Question, MessageButtons::YesNoCancel, Answer::No);
}

} // namespace

PointerHold::PointerHold(PointerCounter &pointer, bool hide)
    : m_pointer(pointer), m_before(pointer.count())
{
    if (hide)
        m_pointer.hide();
}

PointerHold::~PointerHold()
{
    while (m_pointer.count() < m_before)
        m_pointer.show();
}

QString readinessText(const RunReadiness &readiness)
{
    QString text;
    if (!readiness.problems.isEmpty())
        text = runMessageText(RunTrouble::CannotStart, true, readiness.problems);
    if (!readiness.warnings.isEmpty()) {
        if (!text.isEmpty())
            text += QStringLiteral("\n\n");
        text += QStringLiteral("Warnings:\n") + readiness.warnings.join(u'\n');
    }
    return text;
}

LaunchOutcome launchExperiment(Program &program, const RunExpServices &services, ExperimentSource &source,
                               const RunRequest &request, bool hideMouse, const LaunchSettings &settings,
                               QWidget *researcherWindow, RunEnd *runEnd)
{
    if (request.entries.isEmpty())
        return LaunchOutcome::NothingListed;
    if (request.subjectName.isEmpty()) {
        services.dialogs.message(RunTitle, QStringLiteral("Please enter a subject name."), MessageIcon::Information);
        return LaunchOutcome::SubjectNeeded;
    }

    // Everything is checked before the overwrite question and before any file is
    // touched, so a refused run has destroyed nothing.
    const RunReadiness readiness = checkRunReadiness(request);
    if (!readiness.canRun()) {
        services.dialogs.message(RunTitle, readinessText(readiness), MessageIcon::Critical);
        return readiness.subjectNameRefused ? LaunchOutcome::SubjectNeeded : LaunchOutcome::Refused;
    }
    if (!readiness.warnings.isEmpty())
        services.dialogs.message(RunTitle, readinessText(readiness), MessageIcon::Exclamation);

    const PointerHold hold(services.pointer, hideMouse);
    // The researcher answers what is asked from here on with the mouse, while the
    // subject's pointer stays hidden in between.
    PointerShownDialogs dialogs(services.dialogs, services.pointer);
    const QString file = readiness.subjectFile;
    if (readiness.subjectFileExists) {
        const Answer answer = askSubjectOverwrite(dialogs, file);
        if (answer == Answer::No)
            return LaunchOutcome::KeptEarlierFile;
        if (answer != Answer::Yes)
            return LaunchOutcome::Cancelled;
    }
    if (!readiness.earlierResults.isEmpty()
        && dialogs.message(RunTitle, earlierResultsQuestion(readiness.earlierResults), MessageIcon::Question,
                           MessageButtons::YesNo, Answer::No)
               != Answer::Yes)
        return LaunchOutcome::KeptClusterResults;

    FileError error;
    const QString head = subjectFileHead(request.subjectName, settings.now(), settings.locale);
    if (!replaceDurably(file, toWindows1252(head), &error)) {
        showRunMessage(dialogs, RunTrouble::CannotStart, true, {error.description});
        return LaunchOutcome::HeadNotWritten;
    }

    program.Run.ClusterMessageText.clear();
    program.Run.WholeExperiment = true;
    program.Run.ResultFile.clear();
    TrialScreen screen(program,
                       {dialogs, services.store, services.targetSound, services.clickSound,
                        services.pointer, &source},
                       researcherWindow);
    screen.setClockDrive(settings.drive);
    const RunEnd end = screen.runModal();
    if (runEnd)
        *runEnd = end;
    if (end != RunEnd::Refused)
        showSessionSummary(dialogs, screen.session());
    return LaunchOutcome::Ran;
}

} // namespace kelvane
