#pragma once
// A standard study made from options and a seed: a practice problem, then problems of
// each size, each one cluster; no file is touched here.

#include "kelvane/model/ClusterModel.h"
#include "kelvane/study/StudyOptions.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kelvane {

struct StudyProblem
{
    QString fileName;  // "practice.box", "boxes3-1.box", ...
    int boxes = 0;
    bool practice = false;
    ClusterModel cluster;
};

struct Study
{
    std::vector<StudyProblem> problems; // in the order the subject meets them
    QString instruction;                // the first message, ending with the seed
    QString afterPractice;              // the message after the practice problem
    QStringList objectRow;              // written at the end of every cluster file
    QString refusal;                    // why no study was made; `problems` is then empty
};

Study generateStudy(const StudyOptions &options, const StudyLook &look);

// The trial messages in the study's language: time up, start, end.
struct StudyTexts
{
    QString timeUp;
    QString start;
    QString end;
    QString instruction;
    QString afterPractice;
};
StudyTexts studyTexts(StudyLanguage language);

} // namespace kelvane
