// The default pictures and sounds as committed: each must load in Qt and be laid out
// the way older icon and sound readers expect, and must be usable in a trial.

#include <QFile>
#include <QImage>
#include <QTest>

#include <algorithm>

namespace {

QString mediaFile(const QString &name)
{
    return QStringLiteral(KELVANE_MEDIA_DIR "/") + name;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Little-endian fields; reading past the end gives zeros, which every check rejects.
quint16 u16(const QByteArray &bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return i < bytes.size() ? quint16(quint8(bytes[i])) : quint16(0); };
    return quint16(byte(at) | byte(at + 1) << 8);
}

quint32 u32(const QByteArray &bytes, qsizetype at)
{
    return u16(bytes, at) | quint32(u16(bytes, at + 2)) << 16;
}

QStringList group(const QString &prefix, int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("%1%2").arg(prefix).arg(i);
    return names;
}

const QStringList groups[] = {group(QStringLiteral("Box"), 4), group(QStringLiteral("EmptyBox"), 4),
                              group(QStringLiteral("Content"), 6)};

QImage loadIcon(const QString &name)
{
    return QImage(mediaFile(QStringLiteral("ico/%1.ico").arg(name)));
}

} // namespace

class MediaTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void icon_data()
    {
        QTest::addColumn<QString>("name");
        for (const QStringList &names : groups)
            for (const QString &name : names)
                QTest::newRow(qPrintable(name)) << name;
    }

    void icon()
    {
        QFETCH(QString, name);
        const QByteArray bytes = contents(mediaFile(QStringLiteral("ico/%1.ico").arg(name)));
        QVERIFY(bytes.size() > 6 + 16 + 40);

        // One icon entry of 32 x 32 whose image fills the rest of the file.
        QCOMPARE(u16(bytes, 0), 0);
        QCOMPARE(u16(bytes, 2), 1);
        QCOMPARE(u16(bytes, 4), 1);
        QCOMPARE(quint8(bytes[6]), 32);
        QCOMPARE(quint8(bytes[7]), 32);
        const quint32 length = u32(bytes, 14), offset = u32(bytes, 18);
        QCOMPARE(qsizetype(offset + length), bytes.size());

        // A bitmap header whose height covers the colour rows and the mask rows.
        QCOMPARE(u32(bytes, offset), 40u);
        QCOMPARE(u32(bytes, offset + 4), 32u);
        QCOMPARE(u32(bytes, offset + 8), 64u);
        const int bits = u16(bytes, offset + 14);
        QVERIFY(bits == 24 || bits == 32);
        const qsizetype maskStart = offset + 40 + 32 * 32 * bits / 8;
        QCOMPARE(maskStart + 32 * 4, bytes.size());

        const QImage image = loadIcon(name);
        QCOMPARE(image.size(), QSize(32, 32));
        int transparent = 0, opaque = 0;
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int alpha = qAlpha(image.pixel(x, y));
                transparent += alpha == 0;
                opaque += alpha == 255;
                // Readers that ignore alpha cut the picture out with the mask (bottom row
                // first, set bit = background); it must give the same outline.
                const char maskByte = bytes[maskStart + (31 - y) * 4 + x / 8];
                const bool masked = maskByte & (0x80 >> (x % 8));
                if (masked != (alpha == 0))
                    QFAIL(qPrintable(QStringLiteral("mask and alpha disagree at %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY2(transparent >= 32, "no transparent background");
        QVERIFY2(opaque >= 32 * 32 / 8, "too little solid picture");
    }

    void iconsTellApart()
    {
        for (const QStringList &names : groups)
            for (qsizetype i = 0; i < names.size(); ++i)
                for (qsizetype j = i + 1; j < names.size(); ++j)
                    QVERIFY2(loadIcon(names[i]) != loadIcon(names[j]), qPrintable(names[i] + QStringLiteral(" = ") + names[j]));
        // Opening a box must change its picture.
        for (int i = 1; i <= 4; ++i)
            QVERIFY(loadIcon(QStringLiteral("Box%1").arg(i)) != loadIcon(QStringLiteral("EmptyBox%1").arg(i)));
    }

    void sound_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("shortest");
        QTest::addColumn<double>("longest");
        QTest::newRow("found") << QStringLiteral("sound.wav") << 0.3 << 1.0;
        QTest::newRow("click") << QStringLiteral("click.wav") << 0.01 << 0.06;
    }

    void sound()
    {
        QFETCH(QString, name);
        QFETCH(double, shortest);
        QFETCH(double, longest);
        const QByteArray bytes = contents(mediaFile(name));
        QVERIFY(bytes.size() > 44);
        QCOMPARE(bytes.first(4), QByteArray("RIFF"));
        QCOMPARE(qsizetype(u32(bytes, 4)) + 8, bytes.size());
        QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));

        bool haveFormat = false;
        QByteArray data;
        for (qsizetype at = 12; at + 8 <= bytes.size();) {
            const QByteArray id = bytes.mid(at, 4);
            const qsizetype size = u32(bytes, at + 4);
            QVERIFY(at + 8 + size <= bytes.size());
            if (id == "fmt ") {
                QVERIFY(size >= 16);
                QCOMPARE(u16(bytes, at + 8), 1);       // PCM
                QCOMPARE(u16(bytes, at + 10), 1);      // mono
                QCOMPARE(u32(bytes, at + 12), 44100u);
                QCOMPARE(u16(bytes, at + 22), 16);
                haveFormat = true;
            } else if (id == "data") {
                data = bytes.mid(at + 8, size);
            }
            at += 8 + size + (size & 1);
        }
        QVERIFY(haveFormat);

        const qsizetype samples = data.size() / 2;
        QVERIFY(samples >= shortest * 44100 && samples <= longest * 44100);
        int peak = 0;
        for (qsizetype i = 0; i < samples; ++i)
            peak = std::max(peak, std::abs(int(qint16(u16(data, 2 * i)))));
        QVERIFY2(peak > 3000, "too quiet");
        QVERIFY2(peak < 32000, "clipped");
        // Faded in and out: a sound that starts or ends far from zero pops.
        QVERIFY(std::abs(int(qint16(u16(data, 0)))) < 300);
        QVERIFY(std::abs(int(qint16(u16(data, data.size() - 2)))) < 300);
    }
};

QTEST_GUILESS_MAIN(MediaTest)
#include "tst_media.moc"
