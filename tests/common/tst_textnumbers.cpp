#include "kelvane/TextNumbers.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <charconv>

using namespace kelvane;

class TextNumbersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << QStringLiteral("10") << 10.0;
        QTest::newRow("unit after") << QStringLiteral("2.5s") << 2.5;
        QTest::newRow("blank inside") << QStringLiteral("1 0") << 10.0;
        QTest::newRow("tab and line feed") << QStringLiteral("\t1\n2") << 12.0;
        QTest::newRow("leading blanks") << QStringLiteral("   .5") << 0.5;
        QTest::newRow("negative") << QStringLiteral(" -3.25") << -3.25;
        QTest::newRow("nothing") << QStringLiteral("abc") << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("comma stops") << QStringLiteral("2,5") << 2.0;
        QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("exponent") << QStringLiteral(" 1.428571E-04") << 1.428571e-4;
        QTest::newRow("D exponent") << QStringLiteral("1D3") << 1000.0;
        QTest::newRow("d exponent, negative") << QStringLiteral("2.5d-1") << 0.25;
        QTest::newRow("D exponent, blanks") << QStringLiteral(" 4 D +2") << 400.0;
        QTest::newRow("exponent without digits") << QStringLiteral("3e") << 3.0;
        QTest::newRow("D without digits") << QStringLiteral("7d") << 7.0;
        QTest::newRow("exponent sign only") << QStringLiteral("3E-x") << 3.0;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("carriage return stops") << QStringLiteral("1\r2") << 1.0;
    }
    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(kelvane::leadingNumber(text), expected);
        // Files are read as bytes, by a quicker way for plain decimals: it must agree.
        QCOMPARE(kelvane::leadingNumber(QByteArrayView(text.toLatin1())), expected);
    }

    // The quick reading of plain decimals gives the correctly rounded double, bit for
    // bit, also where the decimal lies near a tie between two doubles.
    void plainDecimalsReadAsCorrectlyRounded()
    {
        QRandomGenerator random(7);
        for (int i = 0; i < 200000; ++i) {
            const int digits = 1 + int(random.bounded(16));
            QByteArray text;
            for (int d = 0; d < digits; ++d)
                text += char('0' + random.bounded(10));
            text.insert(random.bounded(digits + 1), '.');
            if (random.bounded(4) == 0)
                text = "  " + text + ' ';
            double expected = 0;
            const QByteArray trimmed = text.trimmed();
            std::from_chars(trimmed.constData(), trimmed.constData() + trimmed.size(), expected);
            if (trimmed == ".")
                expected = 0;
            QCOMPARE(std::bit_cast<quint64>(kelvane::leadingNumber(QByteArrayView(text))),
                     std::bit_cast<quint64>(expected));
        }
    }

    void roundingGoesToEvenOnHalves()
    {
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(3.5), 4.0);
        QCOMPARE(roundHalfEven(-2.5), -2.0);
        QCOMPARE(roundHalfEven(2.6), 3.0);
        QCOMPARE(roundHalfEven(0.125, 2), 0.12);
        QCOMPARE(roundHalfEven(0.375, 2), 0.38);
        // Twenty ticks of 0.1 s carry the sum's rounding; two decimals remove it.
        double clock = 0;
        for (int i = 0; i < 20; ++i)
            clock += 0.1;
        QCOMPARE(roundHalfEven(clock, 2), 2.0);
    }

    void numberForm()
    {
        QCOMPARE(kelvane::numberForm(7), QStringLiteral(" 7 "));
        QCOMPARE(kelvane::numberForm(0), QStringLiteral(" 0 "));
        QCOMPARE(kelvane::numberForm(-3), QStringLiteral("-3 "));
    }

    void shortNumberForm_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole") << 12.0 << QStringLiteral(" 12");
        QTest::newRow("fraction") << 5.7 << QStringLiteral(" 5.7");
        QTest::newRow("below one") << 0.1 << QStringLiteral(" .1");
        QTest::newRow("zero") << 0.0 << QStringLiteral(" 0");
        QTest::newRow("negative") << -0.5 << QStringLiteral("-.5");
        QTest::newRow("sum of ticks") << 2.0000000000000004 << QStringLiteral(" 2");
        QTest::newRow("small") << 0.00012 << QStringLiteral(" .00012");
        QTest::newRow("very small") << 0.000012 << QStringLiteral(" 1.2E-05");
    }
    void shortNumberForm()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(kelvane::shortNumberForm(value), expected);
    }

    void shortNumberFormOfSingles()
    {
        QCOMPARE(kelvane::shortNumberForm(1200.0f / 7000.0f), QStringLiteral(" .1714286"));
        QCOMPARE(kelvane::shortNumberForm(4800.0f / 7000.0f), QStringLiteral(" .6857143"));
        QCOMPARE(kelvane::shortNumberForm(0.5f), QStringLiteral(" .5"));
        QCOMPARE(kelvane::shortNumberForm(1.0f / 7000.0f), QStringLiteral(" .0001428571"));
        QCOMPARE(kelvane::shortNumberForm(0.1f / 7000.0f), QStringLiteral(" 1.428571E-05"));
        QCOMPARE(kelvane::shortNumberForm(1.5f), QStringLiteral(" 1.5"));
        QCOMPARE(kelvane::shortNumberForm(12345678.0f), QStringLiteral(" 1.234568E+07"));
        // Every form the writer makes reads back as the same single-precision value.
        for (int left = -7000; left <= 14000; left += 7) {
            const float fraction = float(left) / 7000.0f;
            const double read = kelvane::leadingNumber(kelvane::shortNumberForm(fraction));
            QCOMPARE(float(read), fraction);
        }
    }

    void wholeNumbersInShortForm()
    {
        QCOMPARE(kelvane::shortNumberForm(qint64(16777215)), QStringLiteral(" 16777215"));
        QCOMPARE(kelvane::shortNumberForm(qint64(0)), QStringLiteral(" 0"));
        QCOMPARE(kelvane::shortNumberForm(qint64(-1)), QStringLiteral("-1"));
    }

    void fixedDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("whole") << 4.0 << 3 << QStringLiteral("4.000") << QStringLiteral("4,000");
        QTest::newRow("third") << 1.0 / 3.0 << 3 << QStringLiteral("0.333") << QStringLiteral("0,333");
        QTest::newRow("mean distance") << (2.0 / 3.0 + 0.75) / 2 << 4 << QStringLiteral("0.7083")
                                       << QStringLiteral("0,7083");
        QTest::newRow("half goes up") << 0.0625 << 3 << QStringLiteral("0.063") << QStringLiteral("0,063");
        QTest::newRow("carry") << 9.9999 << 3 << QStringLiteral("10.000") << QStringLiteral("10,000");
        QTest::newRow("no grouping") << 12345.5 << 3 << QStringLiteral("12345.500")
                                     << QStringLiteral("12345,500");
        QTest::newRow("zero") << 0.0 << 4 << QStringLiteral("0.0000") << QStringLiteral("0,0000");
        QTest::newRow("tiny") << 0.00004 << 4 << QStringLiteral("0.0000") << QStringLiteral("0,0000");
        QTest::newRow("negative") << -1.25 << 3 << QStringLiteral("-1.250") << QStringLiteral("-1,250");
    }
    void fixedDecimals()
    {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(QString, english);
        QFETCH(QString, german);
        QCOMPARE(kelvane::fixedDecimals(value, decimals, QLocale(QLocale::English)), english);
        QCOMPARE(kelvane::fixedDecimals(value, decimals, QLocale(QLocale::German)), german);
    }

    void numbersAreToldFromNonNumbers()
    {
        QCOMPARE(findLeadingNumber(u"0"), std::optional<double>(0.0));
        QCOMPARE(findLeadingNumber(u" 2.5s"), std::optional<double>(2.5));
        QCOMPARE(findLeadingNumber(u"abc"), std::nullopt);
        QCOMPARE(findLeadingNumber(u""), std::nullopt);
        QCOMPARE(findLeadingNumber(u"-"), std::nullopt);
        QCOMPARE(findLeadingNumber(u".e5"), std::nullopt);

        QVERIFY(isPlainNumber(u" .1714286"));
        QVERIFY(isPlainNumber(u"-3.5E-05 "));
        QVERIFY(isPlainNumber(u"12"));
        QVERIFY(!isPlainNumber(u"1 2"));
        QVERIFY(!isPlainNumber(u".5x"));
        QVERIFY(!isPlainNumber(u""));
        QVERIFY(!isPlainNumber(u"."));
    }

    void textToWholeNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("converts");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QStringLiteral(" 16777215") << true << 16777215;
        QTest::newRow("negative") << QStringLiteral("-2147483648") << true << int(-2147483647 - 1);
        QTest::newRow("plus and blanks") << QStringLiteral("  +255  ") << true << 255;
        QTest::newRow("fraction rounds half to even") << QStringLiteral("254.5") << true << 254;
        QTest::newRow("fraction rounds up") << QStringLiteral("254.6") << true << 255;
        QTest::newRow("exponent") << QStringLiteral("1E3") << true << 1000;
        QTest::newRow("hexadecimal") << QStringLiteral("&HFF") << true << 255;
        QTest::newRow("hexadecimal lower case") << QStringLiteral(" &hffffff ") << true << 16777215;
        QTest::newRow("hexadecimal all bits") << QStringLiteral("&HFFFFFFFF") << true << -1;
        QTest::newRow("octal") << QStringLiteral("&O17") << true << 15;
        QTest::newRow("hexadecimal too long") << QStringLiteral("&H1FFFFFFFF") << false << 0;
        QTest::newRow("hexadecimal with sign") << QStringLiteral("&H-1") << false << 0;
        QTest::newRow("octal digit 8") << QStringLiteral("&O8") << false << 0;
        QTest::newRow("mark alone") << QStringLiteral("&H") << false << 0;
        QTest::newRow("word") << QStringLiteral("white") << false << 0;
        QTest::newRow("trailing text") << QStringLiteral("12x") << false << 0;
        QTest::newRow("empty") << QString() << false << 0;
        QTest::newRow("beyond 32 bits") << QStringLiteral("2147483648") << false << 0;
    }
    void textToWholeNumber()
    {
        QFETCH(QString, text);
        QFETCH(bool, converts);
        QFETCH(int, expected);
        const std::optional<qint32> value = convertToWholeNumber(text);
        QCOMPARE(value.has_value(), converts);
        if (converts)
            QCOMPARE(*value, expected);
    }

    void wholeNumberParsing()
    {
        qint64 value = 0;
        QVERIFY(parseWholeNumber(u" 16777215", &value));
        QCOMPARE(value, 16777215);
        QVERIFY(parseWholeNumber(u"-1 ", &value));
        QCOMPARE(value, -1);
        QVERIFY(!parseWholeNumber(u"abc", &value));
        QVERIFY(!parseWholeNumber(u"12x", &value));
        QVERIFY(!parseWholeNumber(u"", &value));
    }
};

QTEST_GUILESS_MAIN(TextNumbersTest)
#include "tst_textnumbers.moc"
