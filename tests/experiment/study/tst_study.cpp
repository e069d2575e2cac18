// The standard-study generator held to the design's properties over many seeds and
// sizes, and its files to the checker and to themselves.

#include "RunProgram.h"
#include "TestFiles.h"

#include "kelvane/formats/BoxSizeFile.h"
#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/model/ClusterFileReader.h"
#include "kelvane/model/LayoutGeometry.h"
#include "kelvane/study/ProblemEditing.h"
#include "kelvane/study/RandomLayout.h"
#include "kelvane/study/StudyFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

StudyLook firstRunLook()
{
    StudyLook look;
    look.trial = firstRunTrialDefaults();
    look.boxPictures = firstRunBoxPictures();
    look.emptyBoxPictures = firstRunEmptyBoxPictures();
    look.objectPictures = firstRunObjectPictures();
    return look;
}

StudyOptions everySize(quint64 seed)
{
    StudyOptions options;
    options.seed = seed;
    options.sizes.clear();
    for (int n = 2; n <= 16; ++n)
        options.sizes.push_back(n);
    options.problems.assign(options.sizes.size(), 1);
    return options;
}

qint64 squaredDistance(const BoxRecord &a, const BoxRecord &b)
{
    const qint64 dx = a.Left - b.Left;
    const qint64 dy = a.Top - b.Top;
    return dx * dx + dy * dy;
}

} // namespace

class StudyTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomNumbersAreTheSameEverywhere()
    {
        // The published first outputs of splitmix64 from seed 0.
        StudyRandom random(0);
        QCOMPARE(random.next(), 0xE220A8397B1DCDAFULL);
        QCOMPARE(random.next(), 0x6E789E6AA1B965F4ULL);
        QCOMPARE(random.next(), 0x06C45D188009454FULL);
        // Both ends of a range come up, nothing beyond them.
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i)
            seen.insert(random.between(-2, 3));
        QCOMPARE(seen, (std::set<int>{-2, -1, 0, 1, 2, 3}));
    }

    void problemsKeepTheRulesForEverySeedAndSize()
    {
        const StudyLook look = firstRunLook();
        const LayoutRules rules = LayoutRules::forBoxSize(look.iconSize);
        QCOMPARE(rules.minDistance, 720);
        for (quint64 seed = 1; seed <= 40; ++seed) {
            const Study study = generateStudy(everySize(seed), look);
            QVERIFY2(study.refusal.isEmpty(), qPrintable(study.refusal));
            QCOMPARE(study.problems.size(), std::size_t(16)); // practice, then sizes 2 to 16
            QString previousPicture;
            for (const StudyProblem &problem : study.problems) {
                const ClusterModel &c = problem.cluster;
                const int n = problem.boxes;
                QCOMPARE(c.trialCount(), n);
                std::set<int> targets;
                for (int t = 0; t < n; ++t) {
                    QCOMPARE(c.CountBoxes(t), n);
                    const int target = c.Trials[std::size_t(t)].TargetNumberText.toInt();
                    targets.insert(target);
                    for (int k = 1; k <= n; ++k) {
                        const BoxRecord &box = c.box(t, k);
                        // One layout for the whole problem, the object only in the target.
                        QCOMPARE(box.Left, c.box(0, k).Left);
                        QCOMPARE(box.Top, c.box(0, k).Top);
                        QCOMPARE(box.BoxIconFile, c.box(0, k).BoxIconFile);
                        QCOMPARE(box.Empty, k != target);
                        QVERIFY(box.Left >= rules.margin && box.Top >= rules.margin);
                        QVERIFY(box.Left + rules.boxSize <= LayoutAreaTwips - rules.margin);
                        QVERIFY(box.Top + rules.boxSize <= LayoutAreaTwips - rules.margin);
                        for (int other = 1; other < k; ++other)
                            QVERIFY2(squaredDistance(box, c.box(t, other)) >= 720 * 720,
                                     qPrintable(u"seed %1, %2 boxes"_s.arg(seed).arg(n)));
                    }
                }
                QCOMPARE(int(targets.size()), n);
                QCOMPARE(*targets.begin(), 1);
                QCOMPARE(*targets.rbegin(), n);
                QVERIFY(c.box(0, 1).BoxIconFile != previousPicture);
                previousPicture = c.box(0, 1).BoxIconFile;
            }
        }
    }

    void sameSeedSameBytes()
    {
        QTemporaryDir first;
        QTemporaryDir second;
        StudyOptions options;
        options.seed = 2026;
        options.order = ProblemOrder::Shuffled;
        options.problems = {2, 1, 3, 2};
        const Study study = generateStudy(options, firstRunLook());
        QVERIFY(writeStudy(first.path(), study, false).problem.isEmpty());
        QVERIFY(writeStudy(second.path(), generateStudy(options, firstRunLook()), false).problem.isEmpty());
        const QStringList files = studyFilesIn(first.path());
        QCOMPARE(files.size(), 10);
        QCOMPARE(studyFilesIn(second.path()), files);
        for (const QString &name : files) {
            if (name != StudyExperimentName)
                QCOMPARE(readBytes(second.path() + u'/' + name), readBytes(first.path() + u'/' + name));
        }
        // What a subject is shown is what was drawn: the files read back as generated.
        for (const StudyProblem &problem : study.problems)
            QCOMPARE(readClusterFile(first.filePath(problem.fileName), ObjectRow::Ignore).cluster, problem.cluster);

        // Rounds of one problem of each size while sizes last, after the practice.
        QStringList sizes;
        for (const StudyProblem &problem : study.problems)
            sizes.append(QString::number(problem.boxes));
        QCOMPARE(sizes.size(), 9);
        QCOMPARE(sizes.front(), u"3"_s);
        std::sort(sizes.begin() + 1, sizes.begin() + 5);
        std::sort(sizes.begin() + 5, sizes.begin() + 8);
        QCOMPARE(sizes.mid(1), (QStringList{u"3"_s, u"4"_s, u"6"_s, u"8"_s, u"3"_s, u"6"_s, u"8"_s, u"6"_s}));

        const QStringList entries = readExperimentFile(first.filePath(StudyExperimentName)).value();
        QCOMPARE(entries.size(), 11);
        QVERIFY(entries[0].startsWith(u"Message: Search the boxes"_s));
        QVERIFY(entries[0].endsWith(u" [seed 2026]"_s));
        QCOMPARE(entries[1], QDir::toNativeSeparators(first.filePath(u"practice.box"_s)));
        QVERIFY(entries[2].startsWith(u"Message: "_s));

        options.seed = 2027;
        QVERIFY(generateStudy(options, firstRunLook()).problems[1].cluster != study.problems[1].cluster);
    }

    void theCheckerAcceptsEveryGeneratedStudy()
    {
        QTemporaryDir dir;
        QStringList experiments;
        for (quint64 seed = 1; seed <= 6; ++seed) {
            StudyOptions options = everySize(seed);
            options.language = seed % 2 ? StudyLanguage::Dutch : StudyLanguage::English;
            options.order = seed % 3 ? ProblemOrder::Increasing : ProblemOrder::Shuffled;
            options.timeLimit = seed % 2 ? QString() : u"7.5"_s;
            const QString folder = dir.filePath(QString::number(seed));
            QVERIFY(writeStudy(folder, generateStudy(options, firstRunLook()), false).problem.isEmpty());
            experiments.append(folder + u"/STUDY.bex"_s);
        }
        const ProgramRun run = runProgram(QStringLiteral(KELVANE_CHECK_BINARY),
                                          QStringList{u"--strict"_s, u"--icons"_s,
                                                      QStringLiteral(KELVANE_SOURCE_DIR) + u"/experiment/resources/ico"_s}
                                              + experiments);
        QVERIFY2(run.status == 0, qPrintable(run.out + run.err));
        QCOMPARE(run.out.count(u": ok (18 entries, 16 clusters)\n"_s), 6);
    }

    void whatCannotBeMadeIsRefusedAndNothingWritten()
    {
        QTemporaryDir dir;
        StudyOptions options;
        options.sizes = {3, 40};
        options.problems = {1, 1};
        options.minDistance = 6;
        const Study study = generateStudy(options, firstRunLook());
        QVERIFY(study.problems.empty());
        QVERIFY2(study.refusal.startsWith(u"40 boxes of 480 twips do not fit in the 7000-twip layout square"_s),
                 qPrintable(study.refusal));
        const QString folder = dir.filePath(u"new"_s);
        QCOMPARE(writeStudy(folder, study, false).problem, study.refusal);
        QVERIFY(!QFileInfo::exists(folder));

        // A folder holding a study is left alone unless replacing is asked for.
        options = StudyOptions();
        QVERIFY(writeStudy(folder, generateStudy(options, firstRunLook()), false).problem.isEmpty());
        const QByteArray before = readBytes(folder + u"/boxes8-4.box"_s);
        options.seed = 5;
        const StudyWriteOutcome again = writeStudy(folder, generateStudy(options, firstRunLook()), false);
        QVERIFY2(again.problem.contains(u"already holds cluster or experiment files (boxes3-1.box, "_s),
                 qPrintable(again.problem));
        QVERIFY(again.written.isEmpty());
        QCOMPARE(readBytes(folder + u"/boxes8-4.box"_s), before);
        // An earlier cluster's millimetre sizes must not size the new boxes of that name.
        writeBytes(folder + u"/boxes8-4.sizes.csv"_s, "trial,box_mm\r\n0,30\r\n");
        QCOMPARE(writeStudy(folder, generateStudy(options, firstRunLook()), true).written.size(), 18);
        QVERIFY(readBytes(folder + u"/boxes8-4.box"_s) != before);
        QVERIFY(!QFileInfo::exists(folder + u"/boxes8-4.sizes.csv"_s));

        // A stored size in millimetres goes with every generated trial.
        StudyLook sized = firstRunLook();
        sized.trial.BoxSizeMm = u"20"_s;
        QVERIFY(writeStudy(folder, generateStudy(options, sized), true).problem.isEmpty());
        ClusterModel read = readClusterFile(folder + u"/boxes8-4.box"_s, ObjectRow::Ignore).cluster;
        QVERIFY(readBoxSizes(folder + u"/boxes8-4.box"_s, read));
        QCOMPARE(read.Trials.size(), std::size_t(8));
        for (const TrialSettings &trial : read.Trials)
            QCOMPARE(trial.BoxSizeMm, u"20"_s);
    }

    void aTrialMadeIntoAProblem()
    {
        const Study study = generateStudy(StudyOptions(), firstRunLook());
        ClusterModel cluster = study.problems[5].cluster; // the first of four boxes
        cluster.Trials.resize(2);
        // The researcher's own object stays the one hidden.
        cluster.box(1, 3).ContentFile = u"Pear.ico"_s;
        cluster.box(1, 3).Empty = false;
        cluster.Trials[1].TargetNumberText = u"3"_s;
        const auto object = problemObject(cluster, 1, firstRunObjectPictures());
        QCOMPARE(object, u"Pear.ico"_s);
        const ClusterModel problem = problemFromTrial(cluster, 1, *object, {2, 4, 1, 3});
        QCOMPARE(problem.trialCount(), 4);
        for (int t = 0; t < 4; ++t) {
            QCOMPARE(problem.objectCount(t), 1);
            QCOMPARE(problem.box(t, problem.Trials[std::size_t(t)].TargetNumberText.toInt()).ContentFile,
                     u"Pear.ico"_s);
        }
        QCOMPARE(problem.Trials[0].TargetNumberText, u"2"_s);
    }
};

QTEST_GUILESS_MAIN(StudyTest)
#include "tst_study.moc"
