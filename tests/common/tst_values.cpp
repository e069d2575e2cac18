#include "kelvane/ValueReader.h"
#include "kelvane/ValueWriter.h"

#include <QTest>

using namespace kelvane;

namespace {

QStringList readAllTexts(const QString &text)
{
    ValueReader reader(text);
    QStringList values;
    while (const auto value = reader.next())
        values.append(value->text);
    return values;
}

} // namespace

class ValuesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void quotedValuesKeepCommasAndBlanks()
    {
        ValueReader reader(QStringLiteral("\"a, b \",\" 4\","));
        auto first = reader.next();
        QVERIFY(first);
        QCOMPARE(first->kind, Value::Kind::Text);
        QCOMPARE(first->text, QStringLiteral("a, b "));
        QCOMPARE(reader.next()->text, QStringLiteral(" 4"));
        QVERIFY(reader.atEnd());
        QVERIFY(!reader.next());
    }

    void unquotedValuesAreTrimmedAndTyped()
    {
        ValueReader reader(QStringLiteral("2\r\n  #TRUE# ,#FALSE#, hello world ,,-1.5,"));
        auto count = reader.next();
        QCOMPARE(count->kind, Value::Kind::Number);
        QCOMPARE(count->text, QStringLiteral("2"));
        auto yes = reader.next();
        QCOMPARE(yes->kind, Value::Kind::Boolean);
        QVERIFY(yes->boolean);
        auto no = reader.next();
        QCOMPARE(no->kind, Value::Kind::Boolean);
        QVERIFY(!no->boolean);
        auto text = reader.next();
        QCOMPARE(text->kind, Value::Kind::Text);
        QCOMPARE(text->text, QStringLiteral("hello world"));
        QCOMPARE(reader.next()->kind, Value::Kind::Empty);
        QCOMPARE(reader.next()->kind, Value::Kind::Number);
        QVERIFY(!reader.next());
    }

    void commasAndLineEndsAreInterchangeable()
    {
        const QStringList oneLine = readAllTexts(QStringLiteral("\"a\",\"b\",#TRUE#,\"c\","));
        QCOMPARE(readAllTexts(QStringLiteral("\"a\"\r\n\"b\"\r\n#TRUE#\r\n\"c\"\r\n")), oneLine);
        QCOMPARE(readAllTexts(QStringLiteral("\"a\"\n\"b\"\n#TRUE#\n\"c\"")), oneLine);
        QCOMPARE(readAllTexts(QStringLiteral("\"a\",\r\n\"b\",\r\n#TRUE#,\r\n\"c\",\r\n")), oneLine);
    }

    void textAfterClosingQuoteIsSkippedAndTold()
    {
        QCOMPARE(readAllTexts(QStringLiteral("\"a\"junk,\"b\"")),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        // A doubled quote, as other tools escape one, ends the value; the rest is dropped.
        ValueReader reader(QStringLiteral("\"Klik op \"\"START\"\"\"  ,\"b\" ,x\r\n"));
        const auto first = reader.next();
        QCOMPARE(first->text, QStringLiteral("Klik op "));
        QCOMPARE(first->skipped, QStringLiteral("\"START\"\"\""));
        QCOMPARE(reader.next()->skipped, QString());
        QCOMPARE(reader.next()->skipped, QString()); // unquoted values drop nothing
        // A quote that never closes runs to the end.
        QCOMPARE(readAllTexts(QStringLiteral("\"open, to the end")),
                 QStringList{QStringLiteral("open, to the end")});
    }

    // A reader that must not lose text can see what was passed over and what never closed.
    void skippedAndUnclosedTextIsReported()
    {
        ValueReader reader(QStringLiteral("\"a\" ,\"say \"hi\" now\"\r\n\"b\"\r\n\"open"));
        const auto a = reader.next();
        QCOMPARE(a->skipped, QString());
        QVERIFY(!a->unclosed);
        const auto say = reader.next();
        QCOMPARE(say->text, QStringLiteral("say "));
        QCOMPARE(say->skipped, QStringLiteral("hi\" now\""));
        QCOMPARE(say->line, 1);
        QVERIFY(!reader.next()->unclosed);
        const auto open = reader.next();
        QCOMPARE(open->line, 3);
        QCOMPARE(open->text, QStringLiteral("open"));
        QVERIFY(open->unclosed);
        QVERIFY(!reader.next());
    }

    void eachValueKnowsItsLine()
    {
        // Blank lines, a text spread over two lines, LF and CR LF line ends.
        ValueReader reader(QStringLiteral("\"a\"\r\n\r\n  \"b\nb\",c\n\n#TRUE#,\r\n"));
        QList<int> lines;
        while (const auto value = reader.next())
            lines.append(value->line);
        QCOMPARE(lines, (QList<int>{1, 3, 4, 6}));
        QCOMPARE(reader.line(), 7);
    }

    void writerRoundTrips()
    {
        ValueWriter writer;
        writer.number(2);
        writer.text(u"Uw tijd, is om.");
        writer.boolean(true);
        writer.boolean(false);
        writer.text(u"");
        QCOMPARE(writer.result(), QStringLiteral("2,\"Uw tijd, is om.\",#TRUE#,#FALSE#,\"\","));

        ValueReader reader(writer.result());
        ValueWriter copy;
        while (const auto value = reader.next())
            copy.value(*value);
        QCOMPARE(copy.result(), writer.result());
    }

    void quoteCannotBeWritten()
    {
        QVERIFY(ValueWriter::canWrite(u"plain, with comma"));
        QVERIFY(!ValueWriter::canWrite(u"say \"hi\""));
    }
};

QTEST_GUILESS_MAIN(ValuesTest)
#include "tst_values.moc"
