#pragma once
// The wide table's column groups when clusters are lined up by name rather than by their
// position in each file: with counterbalanced orders, position 1 holds one cluster for one
// subject and another for the next, while a name means the same cluster for everyone.

#include "Measures.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace kelvane::analyzer {

struct NamedColumns
{
    // Per group, the cluster's name; a cluster a subject ran a second time gets a group
    // of its own, labelled with " (2)" after the name.
    QStringList labels;
    // Per subject, per group: the index of the subject's cluster there, or -1 for none.
    QList<QList<int>> clusterAt;
};

// One group per cluster name, in the order the names first appear over the subjects.
NamedColumns columnsByName(const QList<SubjectResult> &subjects);

// Notices when two files hold different clusters at the same position, which makes the
// positional table's columns mix clusters. Holds one name per position, not per file.
class PositionNames
{
public:
    void add(const QString &path, const SubjectResult &subject);
    // Said once, at the first position that differs; empty while none does.
    const QString &warning() const { return m_warning; }

private:
    QStringList m_names; // the first name seen at each position
    QStringList m_paths; // the file it was seen in
    QString m_warning;
};

} // namespace kelvane::analyzer
