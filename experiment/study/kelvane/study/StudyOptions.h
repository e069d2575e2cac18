#pragma once
// What a standard study is made of: the researcher's choices and the look of its trials
// taken from the stored defaults.

#include "kelvane/options/StoredSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kelvane {

enum class StudyLanguage { English, Dutch };
enum class ProblemOrder {
    Increasing, // every problem of the smallest size first, then the next size
    Shuffled,   // in rounds of one problem of each size, the sizes in random order
};

struct StudyOptions
{
    quint64 seed = 0;
    std::vector<int> sizes{3, 4, 6, 8};
    // Problems of each size, in the order of `sizes`. Four of each: the published
    // versions of the task give four problems at each size, enough to average out a
    // layout that happens to be easy while keeping a session short.
    std::vector<int> problems{4, 4, 4, 4};
    int practiceBoxes = 3;       // 0: no practice problem
    QString timeLimit;           // seconds a search may take; empty: no limit
    StudyLanguage language = StudyLanguage::English;
    ProblemOrder order = ProblemOrder::Increasing;
    double minDistance = 1.5;    // between box centres, in box widths
};

inline constexpr int SmallestProblem = 2;
inline constexpr int MostProblemsOfASize = 100;

// A fresh six-digit seed, short enough to copy by hand from the first message.
quint64 drawnStudySeed();

// What is wrong with the choices, naming the choice, or nothing.
std::optional<QString> invalidStudyOptions(const StudyOptions &options);

// The look of the trials, as the Options dialog keeps it.
struct StudyLook
{
    TrialDefaults trial;           // close-after time, colours, screen size and box size in mm are used
    double iconSize = FirstRunIconSize;
    QStringList boxPictures;       // closed boxes; position k goes with emptyBoxPictures[k]
    QStringList emptyBoxPictures;
    QStringList objectPictures;    // also the object row written at the end of every file
};

// Reads the stored defaults; `problems` gets the values that could not be used.
StudyLook studyLookFromStore(const SettingsStore &store, QStringList *problems);

// "3,4,6,8" as numbers; nothing for anything else than whole numbers and commas.
std::optional<std::vector<int>> numberList(const QString &text);
QString numberListText(const std::vector<int> &numbers);

QString languageName(StudyLanguage language);   // "en", "nl"
std::optional<StudyLanguage> languageNamed(const QString &name);
QString orderName(ProblemOrder order);          // "increasing", "shuffled"
std::optional<ProblemOrder> orderNamed(const QString &name);

// The command line that makes the same study again into `folder`.
QString remakeCommand(const QString &folder, const StudyOptions &options);

} // namespace kelvane
