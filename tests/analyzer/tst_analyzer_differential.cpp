// The analyzer's present routines against the ones they replaced (tests/analyzer/
// reference): numbers, rounding, the measures' decimals, decoding, click strings,
// distances and whole files, on random and edge inputs. Any difference is a fault of
// the present routines, since the table and the SPSS file must stay byte for byte what
// they were.

#include "Levenshtein.h"
#include "ResultReader.h"
#include "ResultTables.h"
#include "ResultText.h"
#include "TableWriter.h"
#include "reference/ReferenceAnalyzer.h"
#include "reference/ReferenceNumbers.h"

#include "kelvane/TextNumbers.h"
#include "kelvane/Windows1252.h"

#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <bit>
#include <cmath>
#include <limits>

using namespace kelvane;
using namespace kelvane::analyzer;
namespace old = kelvane::reference;
namespace oldAnalyzer = kelvane::analyzer::reference;

namespace {

constexpr quint32 Seed = 20261207;

// Doubles compare by their bits, so that -0 and 0 count as different.
bool sameBits(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

bool sameBits(const std::optional<double> &a, const std::optional<double> &b)
{
    return a.has_value() == b.has_value() && (!a || sameBits(*a, *b));
}

QByteArray randomText(QRandomGenerator &random, QByteArrayView alphabet, int maxLength)
{
    QByteArray text;
    const int length = int(random.bounded(maxLength + 1));
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(int(alphabet.size()))];
    return text;
}

QString describe(QByteArrayView bytes)
{
    return QString::fromLatin1(bytes.toByteArray().toPercentEncoding(" .+-"));
}

// Values next to the halves at which the measures' rounding turns: k + 0.5 units of
// the last decimal, and their neighbours a few steps of the binary grid away.
QList<double> nearTies(QRandomGenerator &random, int decimals, int count)
{
    QList<double> values;
    const double unit = std::pow(10.0, -decimals);
    for (int i = 0; i < count; ++i) {
        const double tie = (double(random.bounded(40000)) + 0.5) * unit;
        double value = tie;
        const int steps = int(random.bounded(7)) - 3;
        for (int s = 0; s < std::abs(steps); ++s)
            value = std::nextafter(value, steps < 0 ? 0.0 : 1e9);
        values.append(value);
    }
    return values;
}

// What the measures are made of: sums of at most 32767 over at most 255 trials, and
// means of distances, which are ratios of small whole numbers.
QList<double> measureLikeValues(QRandomGenerator &random, int count)
{
    QList<double> values;
    for (int i = 0; i < count; ++i) {
        const int trials = 1 + int(random.bounded(255));
        values.append(double(random.bounded(32768)) / trials);
        double distances = 0;
        const int pairs = 1 + int(random.bounded(40));
        for (int p = 0; p < pairs; ++p) {
            const int longer = 1 + int(random.bounded(12));
            distances += double(random.bounded(longer + 1)) / double(longer);
        }
        values.append(distances / pairs);
    }
    return values;
}

void compareOutcomes(const ReadOutcome &was, const ReadOutcome &now, const QByteArray &file)
{
    const auto context = [&] { return qPrintable(describe(file)); };
    QVERIFY2(was.has_value() == now.has_value(), context());
    if (!was) {
        QCOMPARE(now.error().description, was.error().description);
        QVERIFY2(now.error().line == was.error().line, context());
        QCOMPARE(now.error().reason, was.error().reason);
        return;
    }
    QCOMPARE(now->subject, was->subject);
    QCOMPARE(now->clusters.size(), was->clusters.size());
    for (qsizetype c = 0; c < was->clusters.size(); ++c) {
        const ClusterMeasures &a = was->clusters[c];
        const ClusterMeasures &b = now->clusters[c];
        QCOMPARE(b.trials, a.trials);
        QCOMPARE(b.boxes, a.boxes);
        QVERIFY2(sameBits(b.open, a.open) && sameBits(b.wErr, a.wErr) && sameBits(b.bErr, a.bErr)
                     && sameBits(b.strategy, a.strategy),
                 context());
        QVERIFY2(sameBits(b.normalizedLevenshtein, a.normalizedLevenshtein), context());
    }
}

// A number field as a person or another program might have left it.
QByteArray numberField(QRandomGenerator &random, int typical)
{
    switch (random.bounded(300)) {
    case 0: return " " + QByteArray::number(typical) + ".5 ";
    case 1: return " " + QByteArray::number(-typical) + " ";
    case 2: return " " + QByteArray::number(250 + random.bounded(20)) + " ";
    case 3: return "x";
    case 4: return "";
    case 5: return " 1" + QByteArray(1, char(random.bounded(256))) + "2 ";
    case 6: return " " + QByteArray::number(typical) + "e0 ";
    default: return " " + QByteArray::number(typical) + " ";
    }
}

QByteArray clickOrder(QRandomGenerator &random, int boxes)
{
    QByteArray order;
    int clicks = int(random.bounded(12));
    if (random.bounded(200) == 0)
        clicks = 120 + int(random.bounded(150)); // past 256 items, or past 255 characters
    for (int k = 0; k < clicks; ++k) {
        order += ' ';
        if (random.bounded(50) == 0)
            continue; // two blanks: an empty item
        order += QByteArray::number(random.bounded(boxes + 1));
    }
    switch (random.bounded(300)) {
    case 0: return order + "  ";
    case 1: return order + " 300";
    case 2: return order + " 2" + QByteArray(1, char(0x80 + random.bounded(128)));
    default: return order;
    }
}

// A result file with the two header lines, some clusters and, now and then, damage:
// values out of range, stray bytes, missing fields, long click orders, numbering gaps.
// No line is blank and no cluster ends on a negative trial number, where the rules
// were changed on purpose after the routines were.
QByteArray randomResultFile(QRandomGenerator &random)
{
    QByteArray text = "\"07-12-2026\",\"10:15:00\",\"pp\"\r\n";
    if (random.bounded(100) == 0)
        return random.bounded(2) ? QByteArray() : text;
    text += "Trial\tCluster\tTotal boxes\tTotal objects\tTarget\tTotal time\tTotal opened\t"
            "Click order\tTimed click order\tWithin Error\r\n";

    struct Line
    {
        QByteArray trial;
        QByteArray rest;
    };
    QList<Line> lines;
    const int clusters = int(random.bounded(7));
    for (int c = 0; c < clusters; ++c) {
        const int boxes = 2 + int(random.bounded(20));
        const int trials = 1 + int(random.bounded(random.bounded(10) == 0 ? 60 : 22));
        int number = 0;
        for (int t = 0; t < trials; ++t) {
            QByteArray trial = t == 0 ? QByteArray(" 0 ") : numberField(random, number);
            QByteArray rest = "\tC:\\s\\cluster.box\t" + numberField(random, boxes) + "\t 2 \t"
                              + numberField(random, 1 + int(random.bounded(boxes))) + "\t 4.1\t"
                              + numberField(random, int(random.bounded(boxes + 2))) + '\t'
                              + clickOrder(random, boxes) + "\t 1@ 1.2\t";
            if (random.bounded(400) == 0)
                rest = rest.left(int(random.bounded(int(rest.size()))));
            lines.append({trial, rest});
            number += random.bounded(12) == 0 ? int(random.bounded(30)) : 1;
        }
    }
    // A cluster ends before a line read as trial 0, or at the end of the file.
    const auto reading = [](const QByteArray &field) {
        return old::roundHalfEven(old::leadingNumber(fromWindows1252(field)));
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool endsCluster = i + 1 == lines.size() || reading(lines[i + 1].trial) == 0;
        const bool opened = reading(lines[i].trial) == 0
                            || std::any_of(lines.begin(), lines.begin() + i,
                                           [&](const Line &l) { return reading(l.trial) == 0; });
        if (endsCluster && opened && reading(lines[i].trial) < 0)
            lines[i].trial = " 1 ";
    }
    for (const Line &line : lines)
        text += line.trial + line.rest + (random.bounded(8) == 0 ? "\n" : "\r\n");
    if (!text.isEmpty() && random.bounded(6) == 0 && lines.size() > 0)
        text.chop(text.endsWith("\r\n") ? 2 : 1); // no line end after the last line
    return text;
}

} // namespace

class AnalyzerDifferentialTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decodingEveryByte()
    {
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            const QString decoded = fromWindows1252(byte);
            // One character per byte, ASCII kept as it is and nothing else made ASCII:
            // reading numbers, TABs and line ends from the bytes is reading the text.
            QCOMPARE(decoded.size(), 1);
            QCOMPARE(decoded[0].unicode() < 0x80, b < 0x80);
            if (b < 0x80)
                QCOMPARE(decoded[0].unicode(), char16_t(b));
            // Text given as decoded characters goes back to the same bytes.
            QCOMPARE(toWindows1252(decoded), byte);
        }
    }

    void numbersReadTheSame()
    {
        QRandomGenerator random(Seed);
        QList<QByteArray> texts;
        for (int b = 0; b < 256; ++b) {
            const QByteArray byte(1, char(b));
            texts << byte << " 1" + byte + "2 " << byte + "5" << " 7" + byte << "-" + byte + "3"
                  << "4." + byte + "5" << "2e" + byte + "3";
        }
        texts << QByteArray(19, '9') << QByteArray(20, '9') << QByteArray(25, '1') + ".5"
              << " 000000000000000000000007 " << "-0" << " -0 " << "+5" << "+-5" << "1e400"
              << "-1e400" << "1e-400" << "9" + QByteArray(400, '0') << " 1 2 3 " << "\t1\n2"
              << "1\r2" << "12345678901" << " 123456789 " << "1234567890";
        for (int i = 0; i < 20000; ++i)
            texts << randomText(random, " \t\n\r0123456789.+-eEdDx,", 14);
        for (int i = 0; i < 5000; ++i)
            texts << randomText(random, " 0123456789", 24);

        for (const QByteArray &text : texts) {
            const QString decoded = fromWindows1252(text);
            const double was = old::leadingNumber(decoded);
            QVERIFY2(sameBits(leadingNumber(QByteArrayView(text)), was), qPrintable(describe(text)));
            QVERIFY2(sameBits(leadingNumber(QStringView(decoded)), was), qPrintable(describe(text)));
            QVERIFY2(sameBits(roundHalfEven(leadingNumber(QByteArrayView(text))), old::roundHalfEven(was)),
                     qPrintable(describe(text)));
        }
    }

    void roundingTheSame()
    {
        QRandomGenerator random(Seed);
        QList<double> values{0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, 1e300, -1e-300,
                             std::numeric_limits<double>::infinity(), 4503599627370497.0};
        for (int d = 0; d <= 4; ++d)
            values += nearTies(random, d, 2000);
        for (int i = 0; i < 20000; ++i)
            values.append((random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(12)));
        for (const double value : values) {
            for (int decimals = 0; decimals <= 4; ++decimals) {
                QVERIFY2(sameBits(roundHalfEven(value, decimals), old::roundHalfEven(value, decimals)),
                         qPrintable(QString::number(value, 'g', 17)));
            }
        }
    }

    void measureDecimalsTheSame()
    {
        QRandomGenerator random(Seed);
        QList<double> values{0.0, -0.0, 0.0625, 9.9999, 9.99949999, 0.00049999999999999, 0.0005,
                             1e-320, 12345.5, 9999.99995, 10000.00005, 32767.0, 1e15, 1e300,
                             -1.25, -0.0004, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
        for (int decimals : {3, 4})
            values += nearTies(random, decimals, 8000);
        values += measureLikeValues(random, 8000);
        for (int i = 0; i < 8000; ++i)
            values.append(random.generateDouble() * std::pow(10.0, int(random.bounded(16)) - 8));

        const QList<QLocale> locales{QLocale(QLocale::English, QLocale::UnitedStates),
                                     QLocale(QLocale::German, QLocale::Germany),
                                     QLocale(QLocale::Arabic, QLocale::Egypt)};
        for (const QLocale &locale : locales) {
            const QByteArray point = toWindows1252(locale.decimalPoint());
            for (const double value : values) {
                for (const int decimals : {3, 4}) {
                    const QString was = old::fixedDecimals(value, decimals, locale);
                    QCOMPARE(fixedDecimals(value, decimals, locale), was);
                    std::array<char, fixedDecimalsSpace(4, 8)> bytes{};
                    const char *end = writeFixedDecimals(bytes.data(), value, decimals, point);
                    QCOMPARE(QByteArray(bytes.data(), end - bytes.data()), toWindows1252(was));
                }
            }
        }
    }

    void shortNumberFormTheSame()
    {
        QRandomGenerator random(Seed);
        for (int i = 0; i < 20000; ++i) {
            const double value = (random.generateDouble() - 0.3) * std::pow(10.0, int(random.bounded(24)) - 12);
            QCOMPARE(shortNumberForm(value), old::shortNumberForm(value));
            QCOMPARE(shortNumberForm(float(value)), old::shortNumberForm(double(float(value)), 7));
        }
    }

    void clickStringsAndDistancesTheSame()
    {
        for (int box = 0; box < 256; ++box) {
            std::array<char, 2> digits{};
            const char *end = writeClickDigits(digits.data(), quint8(box));
            QCOMPARE(QString::fromLatin1(digits.data(), end - digits.data()),
                     QString::number(box, 16).toUpper());
        }

        QRandomGenerator random(Seed);
        for (int i = 0; i < 10000; ++i) {
            // Mostly click strings of a few boxes; now and then past the 64 characters
            // of the bit-parallel method, up to the 255 that are compared.
            const int longest = random.bounded(25) == 0 ? 255 : 16;
            const QByteArrayView alphabet = random.bounded(2) ? "0123456789ABCDEF" : "123";
            const QByteArray a = randomText(random, alphabet, longest);
            QByteArray b = random.bounded(4) == 0 ? a : randomText(random, alphabet, longest);
            if (random.bounded(3) == 0 && !b.isEmpty())
                b[random.bounded(int(b.size()))] = alphabet[0];
            const double was = oldAnalyzer::levenshtein(QString::fromLatin1(a), QString::fromLatin1(b));
            QVERIFY2(sameBits(levenshtein(a, b), was), qPrintable(QString::fromLatin1(a + " / " + b)));
        }
    }

    void wholeFilesTheSame()
    {
        QRandomGenerator random(Seed);
        ResultReader reader;
        const QStringList paths{QStringLiteral("/study/pp01.bof"), QStringLiteral("C:\\study\\Ren\u00e9e.bof"),
                                QString::fromUtf8("/study/\u0141ukasz.bof"), QStringLiteral("ab")};
        QList<SubjectResult> analysed;
        int refused = 0;
        for (int i = 0; i < 2000; ++i) {
            const QByteArray file = randomResultFile(random);
            const QString &path = i % 100 == 0 ? paths.last() : paths[i % (paths.size() - 1)];
            const ReadOutcome was = oldAnalyzer::readResultText(path, fromWindows1252(file));
            const ReadOutcome now = reader.readBytes(path, file);
            compareOutcomes(was, now, file);
            if (QTest::currentTestFailed())
                return;
            if (now)
                analysed.append(*now);
            else
                ++refused;
        }
        // Both kinds must have been tried in earnest.
        QVERIFY2(refused > 200 && analysed.size() > 700,
                 qPrintable(QStringLiteral("%1 refused, %2 analysed").arg(refused).arg(analysed.size())));

        // The rows of what was analysed. Titles are compared below for a first subject
        // with the most clusters, where the old and the present rule agree.
        for (const QLocale &locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany),
                                      QLocale(QLocale::Arabic, QLocale::Egypt)}) {
            oldAnalyzer::TableWriter was(false, locale);
            TableWriter now(false, locale);
            for (const SubjectResult &subject : analysed) {
                was.add(subject);
                now.add(subject);
            }
            QCOMPARE(now.bytes(), was.bytes());
            QCOMPARE(now.unmappableSubject(), was.unmappableSubject());
        }
        const auto most = std::max_element(analysed.begin(), analysed.end(), [](const auto &a, const auto &b) {
            return a.clusters.size() < b.clusters.size();
        });
        oldAnalyzer::TableWriter was(true, QLocale::c());
        TableWriter now(true, QLocale::c());
        for (const SubjectResult &subject : {*most, analysed.first(), analysed.last()}) {
            was.add(subject);
            now.add(subject);
        }
        QCOMPARE(now.bytes(), was.bytes());
    }
};

QTEST_GUILESS_MAIN(AnalyzerDifferentialTest)
#include "tst_analyzer_differential.moc"
