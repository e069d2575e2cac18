// What the README and the format comments promise a newcomer: files it names exist, and
// the formats are described as Kelvane's own.

#include "TestFiles.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace kelvane::test;

namespace {

QString sourceText(const QString &relativePath)
{
    return QString::fromUtf8(readBytes(QStringLiteral(KELVANE_SOURCE_DIR "/") + relativePath));
}

} // namespace

class DocsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesTheReadmeNamesExist()
    {
        const QString readme = sourceText(QStringLiteral("README.md"));
        static const QRegularExpression named(QStringLiteral(R"((examples|tests/data)/[\w./-]+\.\w+)"));
        QStringList missing;
        int count = 0;
        for (const QRegularExpressionMatch &match : named.globalMatch(readme)) {
            ++count;
            if (!QFileInfo::exists(QStringLiteral(KELVANE_SOURCE_DIR "/") + match.captured(0)))
                missing.append(match.captured(0));
        }
        QVERIFY(count > 0);
        QCOMPARE(missing, QStringList());
    }
};

QTEST_GUILESS_MAIN(DocsTest)
#include "tst_docs.moc"
