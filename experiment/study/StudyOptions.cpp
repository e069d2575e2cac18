#include "kelvane/study/StudyOptions.h"

#include "kelvane/model/ClusterModel.h"

#include <QRandomGenerator>

#include <cmath>

namespace kelvane {

namespace {

bool isSeconds(const QString &text)
{
    bool ok = false;
    const double seconds = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(seconds) && seconds > 0 && seconds <= 86400;
}

} // namespace

quint64 drawnStudySeed()
{
    return QRandomGenerator::global()->bounded(100000, 1000000);
}

std::optional<QString> invalidStudyOptions(const StudyOptions &options)
{
    if (options.sizes.empty())
        return QStringLiteral("at least one problem size is needed");
    for (int size : options.sizes) {
        if (size < SmallestProblem || size > ClusterModel::MaxBoxesPerTrial)
            return QStringLiteral("a problem size of %1 boxes: sizes run from %2 to %3")
                .arg(size).arg(SmallestProblem).arg(ClusterModel::MaxBoxesPerTrial);
    }
    for (std::size_t i = 0; i < options.sizes.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (options.sizes[i] == options.sizes[j])
                return QStringLiteral("the size %1 is given twice").arg(options.sizes[i]);
        }
    }
    if (options.problems.size() != options.sizes.size())
        return QStringLiteral("%1 problem counts for %2 sizes: give one count, or one for each size")
            .arg(options.problems.size()).arg(options.sizes.size());
    for (int count : options.problems) {
        if (count < 1 || count > MostProblemsOfASize)
            return QStringLiteral("%1 problems of a size: counts run from 1 to %2").arg(count).arg(MostProblemsOfASize);
    }
    if (options.practiceBoxes != 0
        && (options.practiceBoxes < SmallestProblem || options.practiceBoxes > ClusterModel::MaxBoxesPerTrial))
        return QStringLiteral("a practice problem of %1 boxes: 0 (none) or %2 to %3")
            .arg(options.practiceBoxes).arg(SmallestProblem).arg(ClusterModel::MaxBoxesPerTrial);
    if (!options.timeLimit.isEmpty() && !isSeconds(options.timeLimit))
        return QStringLiteral("the time limit \"%1\" is not a number of seconds above 0 and up to a day")
            .arg(options.timeLimit);
    if (!(options.minDistance > 0 && options.minDistance <= 20))
        return QStringLiteral("the distance between boxes must be above 0 and at most 20 box widths");
    return std::nullopt;
}

StudyLook studyLookFromStore(const SettingsStore &store, QStringList *problems)
{
    const StoredDefaults stored = readStoredDefaults(store, firstRunTrialDefaults());
    QString iconProblem;
    StudyLook look;
    look.trial = stored.trial;
    look.iconSize = readIconSize(store, &iconProblem);
    look.boxPictures = stored.boxPictures;
    look.emptyBoxPictures = stored.emptyBoxPictures;
    look.objectPictures = stored.objectPictures;
    if (problems) {
        *problems = stored.problems;
        if (!iconProblem.isEmpty())
            problems->append(iconProblem);
    }
    return look;
}

std::optional<std::vector<int>> numberList(const QString &text)
{
    std::vector<int> numbers;
    for (const QString &part : text.split(u',')) {
        bool ok = false;
        const int number = part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        numbers.push_back(number);
    }
    return numbers;
}

QString numberListText(const std::vector<int> &numbers)
{
    QStringList parts;
    for (int number : numbers)
        parts.append(QString::number(number));
    return parts.join(u',');
}

QString languageName(StudyLanguage language)
{
    return language == StudyLanguage::Dutch ? QStringLiteral("nl") : QStringLiteral("en");
}

std::optional<StudyLanguage> languageNamed(const QString &name)
{
    if (name == QLatin1StringView("en"))
        return StudyLanguage::English;
    if (name == QLatin1StringView("nl"))
        return StudyLanguage::Dutch;
    return std::nullopt;
}

QString orderName(ProblemOrder order)
{
    return order == ProblemOrder::Shuffled ? QStringLiteral("shuffled") : QStringLiteral("increasing");
}

std::optional<ProblemOrder> orderNamed(const QString &name)
{
    if (name == QLatin1StringView("increasing"))
        return ProblemOrder::Increasing;
    if (name == QLatin1StringView("shuffled"))
        return ProblemOrder::Shuffled;
    return std::nullopt;
}

QString remakeCommand(const QString &folder, const StudyOptions &options)
{
    QString command = QStringLiteral("kelvane --new-study \"%1\" --seed %2 --sizes %3 --problems %4 --practice %5")
                          .arg(folder)
                          .arg(options.seed)
                          .arg(numberListText(options.sizes), numberListText(options.problems))
                          .arg(options.practiceBoxes);
    if (!options.timeLimit.isEmpty())
        command += QStringLiteral(" --time-limit ") + options.timeLimit.trimmed();
    command += QStringLiteral(" --language %1 --order %2").arg(languageName(options.language), orderName(options.order));
    if (options.minDistance != 1.5)
        command += QStringLiteral(" --min-distance ") + QString::number(options.minDistance);
    return command;
}

} // namespace kelvane
