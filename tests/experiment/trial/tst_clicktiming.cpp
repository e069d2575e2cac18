// When a click counts and what time it carries: clicks timed by their own input
// events, in order with the clock's ticks however late either is handled, and the
// event log written beside the result file.

#include "TestFiles.h"
#include "TrialSession.h"

#include <QTest>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

class ClickTimingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeholder() {}
};

QTEST_MAIN(ClickTimingTest)
#include "tst_clicktiming.moc"
