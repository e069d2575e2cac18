#include "TrialSession.h"

#include "TestFiles.h"
#include "TimedInput.h"
#include "kelvane/formats/ResultFileNames.h"


#include <QPushButton>
#include <QTest>

namespace kelvane::test {

Session::Session()
{
    screen.setClockDrive(TrialClock::Drive::Manual);
}

Session::~Session()
{
    // The pointer counter may still hide the pointer after a failed test.
    while (pointer.count() < 0)
        pointer.show();
}

quint64 Session::stampNow()
{
    return inputStamp(screen.timeSource().nowNs());
}

quint64 Session::stampInTrial(qint64 ms)
{
    return inputStamp(screen.Timer1->startNs() + ms * NsPerMs);
}

void Session::clickBox(int k)
{
    sendClick(screen.Boxes.at(k), stampNow(), stampNow());
}

void Session::clickBoxAt(int k, qint64 pressedMs, qint64 releasedMs)
{
    sendClick(screen.Boxes.at(k), stampInTrial(pressedMs), stampInTrial(releasedMs));
}

void Session::pressStart()
{
    QVERIFY(screen.OK->isVisible());
    sendClick(screen.OK, stampNow(), stampNow());
}

void Session::stall(qint64 ms)
{
    screen.timeSource().advanceMs(ms);
}

int Session::ticks(int n)
{
    int done = 0;
    while (done < n && screen.Timer1->isEnabled()) {
        stall(TickNs / NsPerMs);
        screen.Timer1->timeout();
        screen.Timer1->deliverOwed();
        ++done;
    }
    return done;
}

QByteArray Session::resultBytes() const
{
    return readBytes(clusterResultPath(folder.program.ClusterFile));
}

QByteArray Session::resultHead() const
{
    return readBytes(folder.program.ClusterFile).replace("\r\n", ",") + "\r\n"
           + "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
             "Click order\tTimed click order\tWithin Error\r\n";
}

} // namespace kelvane::test
