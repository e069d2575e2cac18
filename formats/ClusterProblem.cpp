#include "kelvane/model/ClusterProblem.h"

namespace kelvane {

QString ClusterProblem::describe() const
{
    QString where;
    if (trial >= 0)
        where = QStringLiteral("trial %1").arg(trial + 1);
    if (box > 0)
        where += QStringLiteral(", box %1").arg(box);
    return where.isEmpty() ? text : where + QStringLiteral(": ") + text;
}

} // namespace kelvane
