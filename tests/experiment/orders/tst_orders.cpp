// Counterbalanced orders: the balance the designs promise, messages travelling with
// their clusters, and order files that read back as the orders made.

#include "TestFiles.h"

#include "kelvane/formats/ExperimentFile.h"
#include "kelvane/orders/ExperimentOrders.h"
#include "kelvane/orders/OrderFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <map>

using namespace kelvane;
using namespace kelvane::test;
using namespace Qt::StringLiterals;

namespace {

// How often each block stands at each position, and how often each ordered pair of
// blocks stands side by side, over all orders.
struct Balance
{
    std::map<std::pair<int, int>, int> atPosition;
    std::map<std::pair<int, int>, int> neighbours;
};

Balance balanceOf(const QList<BlockOrder> &orders)
{
    Balance balance;
    for (const BlockOrder &order : orders) {
        for (qsizetype position = 0; position < order.size(); ++position) {
            ++balance.atPosition[{order[position], int(position)}];
            if (position > 0)
                ++balance.neighbours[{order[position - 1], order[position]}];
        }
    }
    return balance;
}

QStringList clustersNamed(const QString &folder, const QStringList &titles)
{
    QStringList paths;
    for (const QString &title : titles)
        paths.append(folder + u'/' + title);
    return paths;
}

} // namespace

class OrdersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void balancedLatinSquareIsBalanced_data()
    {
        QTest::addColumn<int>("k");
        for (int k = 2; k <= 8; ++k)
            QTest::addRow("%d blocks", k) << k;
    }

    void balancedLatinSquareIsBalanced()
    {
        QFETCH(int, k);
        const OrderPlan plan = planOrders(k, OrderScheme::BalancedLatinSquare);
        QVERIFY(plan.refusal.isEmpty());
        // An odd square needs its mirror: every count below doubles.
        const int times = k % 2 == 0 ? 1 : 2;
        QCOMPARE(plan.orders.size(), k * times);
        const Balance balance = balanceOf(plan.orders);
        for (int block = 0; block < k; ++block) {
            for (int position = 0; position < k; ++position)
                QCOMPARE(balance.atPosition.count({block, position}) ? balance.atPosition.at({block, position}) : 0,
                         times);
            for (int next = 0; next < k; ++next) {
                if (next == block)
                    continue;
                const auto found = balance.neighbours.find({block, next});
                QCOMPARE(found == balance.neighbours.end() ? 0 : found->second, times);
            }
        }
        // No block twice in one order: the position counts above allow none.
        QCOMPARE(int(balance.atPosition.size()), k * k);
    }

    void allOrdersAndTheirLimits()
    {
        QList<BlockOrder> expected{{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
        QCOMPARE(planOrders(3, OrderScheme::AllOrders).orders, expected);
        QCOMPARE(planOrders(6, OrderScheme::AllOrders).orders.size(), 720);
        const OrderPlan seven = planOrders(7, OrderScheme::AllOrders);
        QVERIFY(seven.orders.isEmpty());
        QCOMPARE(seven.refusal, u"All orders of 7 clusters would be 5040 experiment files; at most 720 are made "
                                "(up to 6 clusters). The balanced Latin square gives 14."_s);
        QCOMPARE(planOrders(4, OrderScheme::AsListed).orders, QList<BlockOrder>{(BlockOrder{0, 1, 2, 3})});
        for (const OrderScheme scheme : {OrderScheme::BalancedLatinSquare, OrderScheme::AllOrders, OrderScheme::AsListed}) {
            QCOMPARE(planOrders(1, scheme).refusal, u"Orders need at least two clusters in the list; it holds one."_s);
            QVERIFY(planOrders(0, scheme).orders.isEmpty());
        }
    }

    void messagesTravelWithTheirClusters()
    {
        const QStringList entries{u"Message: Rest"_s, u"a.box"_s, u"b.box"_s, u"Message: Pause"_s,
                                  u"Message:  twice"_s, u"c.box"_s, u"Message: Thanks"_s};
        const ExperimentBlocks blocks = splitIntoBlocks(entries, Instructions::TravelWithCluster);
        QCOMPARE(blocks.blocks.size(), 3);
        QCOMPARE(entriesInOrder(blocks, {2, 0, 1}),
                 (QStringList{u"Message: Pause"_s, u"Message:  twice"_s, u"c.box"_s, u"Message: Rest"_s, u"a.box"_s,
                              u"b.box"_s, u"Message: Thanks"_s}));
        QCOMPARE(entriesInOrder(blocks, {0, 1, 2}), entries);
        // Unless asked otherwise, the instructions open every order.
        const ExperimentBlocks instructed = splitIntoBlocks(entries);
        QCOMPARE(entriesInOrder(instructed, {2, 0, 1}),
                 (QStringList{u"Message: Rest"_s, u"Message: Pause"_s, u"Message:  twice"_s, u"c.box"_s, u"a.box"_s,
                              u"b.box"_s, u"Message: Thanks"_s}));
        QCOMPARE(entriesInOrder(instructed, {0, 1, 2}), entries);
        // The preview shows each order as it runs, and names a message written for the
        // middle of the session that would open an order (the run shows only the last
        // message before a cluster, so it would take the instructions' place).
        const OrdersPreview preview = previewOrders(instructed, {{0, 1, 2}, {2, 0, 1}, {2, 1, 0}, {1, 2, 0}});
        QCOMPARE(preview.lines, (QStringList{u"1: \"Rest\", a.box, b.box, \"Pause\", \"twice\", c.box"_s,
                                             u"2: \"Rest\", \"Pause\", \"twice\", c.box, a.box, b.box"_s,
                                             u"3: \"Rest\", \"Pause\", \"twice\", c.box, b.box, a.box"_s,
                                             u"4: \"Rest\", b.box, \"Pause\", \"twice\", c.box, a.box"_s}));
        QCOMPARE(preview.warnings, QStringList{u"Orders 2, 3 begin with \"twice\", a message written for the middle "
                                               "of the session; the subject sees it in place of the instructions."_s});
        QCOMPARE(previewOrders(blocks, {{2, 0, 1}, {1, 0, 2}}).warnings,
                 QStringList{u"Order 1 begins with \"twice\", a message written for the middle of the session."_s});
        // The same cluster twice is two blocks, each with its own message.
        const ExperimentBlocks repeated = splitIntoBlocks({u"a.box"_s, u"Message: again"_s, u"a.box"_s});
        QCOMPARE(entriesInOrder(repeated, {1, 0}), (QStringList{u"Message: again"_s, u"a.box"_s, u"a.box"_s}));
    }

    void theFilesReadBackAsTheOrdersListed()
    {
        QTemporaryDir dir;
        const QStringList clusters = clustersNamed(u"/study"_s, {u"a.box"_s, u"b.box"_s, u"c.box"_s});
        const ExperimentBlocks blocks =
            splitIntoBlocks({u"Message: Rest"_s, clusters[0], clusters[1], clusters[2], u"Message: end"_s});
        const QList<BlockOrder> orders = planOrders(3, OrderScheme::BalancedLatinSquare).orders;
        const OrderFileNames names(dir.filePath(u"study.BEX"_s));
        const OrderSetSaved saved = saveOrderSet(names, blocks, orders);
        QVERIFY2(saved.saved, qPrintable(saved.error.description));
        for (int i = 0; i < orders.size(); ++i) {
            const FileResult<QStringList> entries = readExperimentFile(dir.filePath(u"study-%1.bex"_s.arg(i + 1)));
            QVERIFY(entries);
            QCOMPARE(*entries, entriesInOrder(blocks, orders[i]));
        }
        QCOMPARE(readBytes(dir.filePath(u"study-2.bex"_s)),
                 QByteArray("\"Message: Rest\"\r\n\"/study/b.box\"\r\n\"/study/c.box\"\r\n\"/study/a.box\"\r\n"
                            "\"Message: end\"\r\n"));

        // Six orders: 102 subjects, whole rounds from subject 1 on, wrapping around.
        const QList<QByteArray> rows = readBytes(names.tableFile()).split('\n');
        QCOMPARE(rows.size(), 1 + 102 + 1);
        QCOMPARE(rows[0], "subject,order,file,cluster 1,cluster 2,cluster 3\r");
        QCOMPARE(rows[1], "1,1,study-1.bex,a.box,b.box,c.box\r");
        QCOMPARE(rows[5], "5,5,study-5.bex,a.box,c.box,b.box\r");
        QCOMPARE(rows[7], "7,1,study-1.bex,a.box,b.box,c.box\r");
        QCOMPARE(rows[102], "102,6,study-6.bex,b.box,a.box,c.box\r");
        QCOMPARE(rows[103], "");

        // Clusters of the same name in two folders are told apart by their paths.
        const ExperimentBlocks twins = splitIntoBlocks({u"/x/a.box"_s, u"/y/a.box"_s, u"/x/a.box"_s});
        QCOMPARE(clusterLabels(twins), (QStringList{u"/x/a.box"_s, u"/y/a.box"_s, u"/x/a.box"_s}));
    }

    void aFailedSetPutsBackWhatWasThere()
    {
        QTemporaryDir dir;
        const OrderFileNames names(dir.filePath(u"study.bex"_s));
        const ExperimentBlocks blocks = splitIntoBlocks({u"a.box"_s, u"b.box"_s, u"c.box"_s, u"d.box"_s});
        const QList<BlockOrder> orders = planOrders(4, OrderScheme::BalancedLatinSquare).orders;
        writeBytes(names.experimentFile(1), "earlier 1");
        writeBytes(names.tableFile(), "earlier table");
        // The third file cannot be written: a folder has its name.
        QVERIFY(QDir(dir.path()).mkdir(u"study-3.bex"_s));

        const OrderSetSaved failed = saveOrderSet(names, blocks, orders);
        QVERIFY(!failed.saved);
        QVERIFY2(failed.error.description.contains(names.experimentFile(3)), qPrintable(failed.error.description));
        QCOMPARE(readBytes(names.experimentFile(1)), QByteArray("earlier 1"));
        QVERIFY(!QFile::exists(names.experimentFile(2)));
        QVERIFY(!QFile::exists(names.experimentFile(4)));
        QCOMPARE(readBytes(names.tableFile()), QByteArray("earlier table"));

        // A smaller set replacing a larger one leaves none of the larger set's numbers.
        QVERIFY(QDir(dir.path()).rmdir(u"study-3.bex"_s));
        for (const int order : {5, 6, 12})
            writeBytes(names.experimentFile(order), "earlier");
        writeBytes(dir.filePath(u"study-draft.bex"_s), "not an order");
        const OrderSetSaved saved = saveOrderSet(names, blocks, orders);
        QVERIFY(saved.saved);
        QCOMPARE(saved.staleRemoved, (QStringList{names.experimentFile(5), names.experimentFile(6),
                                                  names.experimentFile(12)}));
        QCOMPARE(names.existingFiles(), (QStringList{names.experimentFile(1), names.experimentFile(2),
                                                     names.experimentFile(3), names.experimentFile(4),
                                                     names.tableFile()}));
        QVERIFY(QFile::exists(dir.filePath(u"study-draft.bex"_s)));
    }
};

QTEST_GUILESS_MAIN(OrdersTest)
#include "tst_orders.moc"
