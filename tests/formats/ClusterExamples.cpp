#include "ClusterExamples.h"

namespace kelvane::test {

namespace {

TrialSettings firstRunTrial(const char *target)
{
    TrialSettings s;
    s.time = QStringLiteral("10");
    s.TimeUpMessage = QStringLiteral("Uw tijd is om.");
    s.TargetNumberText = QString::fromLatin1(target);
    s.StartMessage = QStringLiteral("Klik op START om te beginnen.");
    s.EndMessage = QStringLiteral("Klik op START om door te gaan.");
    s.CloseAfter = QStringLiteral("2");
    s.ChangeColor = 0;
    s.ChangeForeColor = 16777215;
    s.ScreenSize = QStringLiteral("85");
    return s;
}

BoxRecord box(const char *closed, const char *open, const char *content, bool empty, qint16 left,
              qint16 top)
{
    BoxRecord b;
    b.BoxIconFile = QString::fromLatin1(closed);
    b.EmptyIconFile = QString::fromLatin1(open);
    b.ContentFile = QString::fromLatin1(content);
    b.Empty = empty;
    b.Left = left;
    b.Top = top;
    return b;
}

} // namespace

ClusterModel twoTrialExample()
{
    ClusterModel cluster;
    cluster.Trials = {firstRunTrial("2"), firstRunTrial("1")};
    cluster.box(0, 1) = box("Box1.ico", "EmptyBox1.ico", "leeg", true, 1200, 4800);
    cluster.box(0, 2) = box("Box2.ico", "EmptyBox2.ico", "Content1.ico", false, 3500, 3500);
    cluster.box(1, 1) = box("Box1.ico", "EmptyBox1.ico", "Content2.ico", false, 2000, 2000);
    return cluster;
}

QStringList firstRunObjectRow()
{
    QStringList names;
    for (int i = 1; i <= 6; ++i)
        names.append(QStringLiteral("Content%1.ico").arg(i));
    return names;
}

QByteArray twoTrialExampleBytes()
{
    return "2\r\n"
           "\"10\",\"Uw tijd is om.\",\"2\",\"Klik op START om te beginnen.\","
           "\"Klik op START om door te gaan.\",\"2\",\" 0\",\" 16777215\",\"85\",\" 2\","
           "\"Box1.ico\",\"EmptyBox1.ico\",\"leeg\",#TRUE#,\" .1714286\",\" .6857143\","
           "\"Box2.ico\",\"EmptyBox2.ico\",\"Content1.ico\",#FALSE#,\" .5\",\" .5\","
           "\"10\",\"Uw tijd is om.\",\"1\",\"Klik op START om te beginnen.\","
           "\"Klik op START om door te gaan.\",\"2\",\" 0\",\" 16777215\",\"85\",\" 1\","
           "\"Box1.ico\",\"EmptyBox1.ico\",\"Content2.ico\",#FALSE#,\" .2857143\",\" .2857143\","
           "\"Content1.ico\",\"Content2.ico\",\"Content3.ico\",\"Content4.ico\",\"Content5.ico\","
           "\"Content6.ico\",";
}

} // namespace kelvane::test
