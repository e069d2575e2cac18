#include "kelvane/study/StudyGenerator.h"

#include "kelvane/study/ProblemCluster.h"
#include "kelvane/study/RandomLayout.h"

#include <algorithm>
#include <map>

namespace kelvane {

namespace {

struct Planned
{
    int boxes;
    bool practice;
};

// Practice first; then by size, or in rounds of one problem of each size with the
// sizes shuffled in every round, so that no size gathers at the end of a session.
std::vector<Planned> runOrder(StudyRandom &random, const StudyOptions &options)
{
    std::vector<Planned> order;
    if (options.practiceBoxes > 0)
        order.push_back({options.practiceBoxes, true});
    std::vector<std::size_t> bySize(options.sizes.size());
    for (std::size_t i = 0; i < bySize.size(); ++i)
        bySize[i] = i;
    std::sort(bySize.begin(), bySize.end(),
              [&](std::size_t a, std::size_t b) { return options.sizes[a] < options.sizes[b]; });
    if (options.order == ProblemOrder::Increasing) {
        for (std::size_t i : bySize) {
            for (int p = 0; p < options.problems[i]; ++p)
                order.push_back({options.sizes[i], false});
        }
        return order;
    }
    const int rounds = *std::max_element(options.problems.begin(), options.problems.end());
    for (int round = 0; round < rounds; ++round) {
        std::vector<int> sizes;
        for (std::size_t i : bySize) {
            if (options.problems[i] > round)
                sizes.push_back(options.sizes[i]);
        }
        random.shuffle(sizes);
        for (int size : sizes)
            order.push_back({size, false});
    }
    return order;
}

// Positions in `names` that hold a picture (and, for boxes, an opened picture too).
std::vector<int> usable(const QStringList &names, const QStringList &partners = {})
{
    std::vector<int> positions;
    for (int k = 0; k < names.size(); ++k) {
        if (!names[k].trimmed().isEmpty() && (partners.isEmpty() || !partners.value(k).trimmed().isEmpty()))
            positions.push_back(k);
    }
    return positions;
}

// One of `positions`, another than `previous` whenever there is a choice.
int drawChanging(StudyRandom &random, const std::vector<int> &positions, int previous)
{
    std::vector<int> choice;
    for (int k : positions) {
        if (k != previous)
            choice.push_back(k);
    }
    if (choice.empty())
        choice = positions;
    return choice[std::size_t(random.below(choice.size()))];
}

QString fileNameOf(const Planned &planned, int number)
{
    return planned.practice ? QStringLiteral("practice.box") : QStringLiteral("boxes%1-%2.box").arg(planned.boxes).arg(number);
}

// Every trial of the study: the time limit (0: none), the language's messages, and the
// stored look.
TrialSettings trialSettings(const StudyOptions &options, const StudyLook &look, const StudyTexts &texts)
{
    TrialSettings settings;
    settings.time = options.timeLimit.isEmpty() ? QStringLiteral("0") : options.timeLimit.trimmed();
    settings.TimeUpMessage = texts.timeUp;
    settings.StartMessage = texts.start;
    settings.EndMessage = texts.end;
    settings.CloseAfter = look.trial.CloseAfter;
    settings.ChangeColor = look.trial.BackColor;
    settings.ChangeForeColor = look.trial.ForeColor;
    settings.ScreenSize = look.trial.ScreenSize;
    settings.BoxSizeMm = look.trial.BoxSizeMm;
    return settings;
}

std::vector<BoxRecord> emptyBoxesAt(const std::vector<QPoint> &corners, const QString &closed, const QString &opened)
{
    std::vector<BoxRecord> boxes;
    for (const QPoint &corner : corners) {
        BoxRecord box;
        box.BoxIconFile = closed;
        box.EmptyIconFile = opened;
        box.ContentFile = NoContent;
        box.Left = qint16(corner.x());
        box.Top = qint16(corner.y());
        boxes.push_back(box);
    }
    return boxes;
}

Study refused(const QString &why)
{
    Study study;
    study.refusal = why;
    return study;
}

} // namespace

StudyTexts studyTexts(StudyLanguage language)
{
    if (language == StudyLanguage::Dutch)
        return {QStringLiteral("Uw tijd is om."), QStringLiteral("Klik op START om te beginnen."),
                QStringLiteral("Klik op START om door te gaan."),
                QStringLiteral("Zoek in de dozen naar het verstopte voorwerp. Binnen een opgave zit het "
                               "voorwerp in elke doos precies \u00e9\u00e9n keer: een doos waarin u het al "
                               "gevonden hebt, krijgt het niet nog eens. Klik op START om te beginnen."),
                QStringLiteral("Dat was de oefening. Nu begint het eigenlijke onderzoek. Klik op START als u "
                               "klaar bent.")};
    return {QStringLiteral("Your time is up."), QStringLiteral("Click START to begin."),
            QStringLiteral("Click START to continue."),
            QStringLiteral("Search the boxes for the hidden object. Within a problem the object hides in each "
                           "box exactly once: a box where you have found it will not hold it again. Click START "
                           "to begin."),
            QStringLiteral("That was the practice. Now the study itself begins. Click START when you are ready.")};
}

Study generateStudy(const StudyOptions &options, const StudyLook &look)
{
    if (const auto invalid = invalidStudyOptions(options))
        return refused(*invalid);
    const LayoutRules rules = LayoutRules::forBoxSize(look.iconSize, options.minDistance);
    // Every size is tried before anything is drawn, so that a size that cannot fit is
    // named whatever the seed.
    std::vector<int> sizes = options.sizes;
    if (options.practiceBoxes > 0)
        sizes.push_back(options.practiceBoxes);
    for (int size : sizes) {
        if (const auto impossible = impossibleLayout(size, rules))
            return refused(*impossible + QStringLiteral("; choose fewer boxes or a smaller distance"));
    }
    const std::vector<int> boxPictures = usable(look.boxPictures, look.emptyBoxPictures);
    const std::vector<int> objects = usable(look.objectPictures);
    if (boxPictures.empty())
        return refused(QStringLiteral("the Options hold no box picture with an opened-box picture beside it"));
    if (objects.empty())
        return refused(QStringLiteral("the Options hold no object picture"));

    const StudyTexts texts = studyTexts(options.language);
    const TrialSettings settings = trialSettings(options, look, texts);

    StudyRandom random(options.seed);
    Study study;
    study.instruction = texts.instruction + QStringLiteral(" [seed %1]").arg(options.seed);
    study.afterPractice = texts.afterPractice;
    study.objectRow = look.objectPictures;
    std::map<int, int> numbered; // problems made so far of each size
    int boxPicture = -1;
    int object = -1;
    for (const Planned &planned : runOrder(random, options)) {
        boxPicture = drawChanging(random, boxPictures, boxPicture);
        object = drawChanging(random, objects, object);
        const LayoutOutcome layout = randomLayout(random, planned.boxes, rules);
        if (!layout.refusal.isEmpty())
            return refused(layout.refusal);
        const std::vector<BoxRecord> boxes = emptyBoxesAt(layout.corners, look.boxPictures[boxPicture].trimmed(),
                                                          look.emptyBoxPictures[boxPicture].trimmed());
        const std::vector<int> targets = targetOrder(random, planned.boxes);
        const int number = ++numbered[planned.practice ? 0 : planned.boxes];
        study.problems.push_back({fileNameOf(planned, number), planned.boxes, planned.practice,
                                  problemCluster(settings, boxes, look.objectPictures[object].trimmed(), targets)});
    }
    return study;
}

} // namespace kelvane
