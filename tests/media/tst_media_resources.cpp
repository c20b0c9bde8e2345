#include "MediaTestHome.h"

#include <QProcess>
#include <QtEndian>

#include <cmath>

namespace {

struct Wav {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QList<qint16> samples;
};

// A RIFF/WAVE file with a "fmt " chunk followed (possibly after others) by "data".
std::optional<Wav> parseWav(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wav wav;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + 8;
        if (at + 8 + qsizetype(size) > bytes.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wav.format = qFromLittleEndian<quint16>(body);
            wav.channels = qFromLittleEndian<quint16>(body + 2);
            wav.rate = qFromLittleEndian<quint32>(body + 4);
            wav.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            for (quint32 i = 0; i + 1 < size; i += 2)
                wav.samples.append(qFromLittleEndian<qint16>(body + i));
            return wav;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

const QStringList kGeneratedFiles = {
    u"bncancel.wav"_s,   u"bnok.wav"_s,  u"close.wav"_s, u"flip.wav"_s,   u"hotel.jpg"_s, u"lost_pic.png"_s,
    u"lost_pic_s.png"_s, u"turnL.wav"_s, u"turnR.wav"_s, u"welcome.jpg"_s}; // in sorted order

} // namespace

// The terminal's own sounds and pictures, as the build installs them.
class TestMediaResources : public QObject {
    Q_OBJECT
private slots:
    void effectsAreShortClicklessPcm_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : SoundManager::kEffectNames)
            QTest::newRow(qPrintable(name)) << name;
    }
    void effectsAreShortClicklessPcm()
    {
        QFETCH(QString, name);
        const std::optional<Wav> wav = parseWav(readAll(AppPaths::resourcePath(name + u".wav"_s)));
        QVERIFY(wav);
        QCOMPARE((QList<int>{wav->format, wav->channels, wav->bits}),
                 (QList<int>{1, 1, 16})); // mono 16-bit PCM
        QVERIFY(wav->rate >= 22050 && wav->rate <= 48000);
        const double seconds = double(wav->samples.size()) / wav->rate;
        QVERIFY2(seconds >= 0.05 && seconds <= 0.5, qPrintable(QString::number(seconds)));
        int peak = 0;
        for (const qint16 s : wav->samples)
            peak = std::max(peak, std::abs(int(s)));
        QVERIFY2(peak > 8000 && peak < 32000, qPrintable(QString::number(peak))); // audible, not clipped
        QVERIFY(std::abs(wav->samples.first()) < 200 && std::abs(wav->samples.last()) < 200);
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<QSize>("size");
        QTest::newRow("lost_pic") << u"lost_pic.png"_s << QByteArray("png") << QSize(480, 360);
        QTest::newRow("lost_pic_s") << u"lost_pic_s.png"_s << QByteArray("png") << QSize(200, 150);
        QTest::newRow("hotel") << u"hotel.jpg"_s << QByteArray("jpeg") << QSize(1024, 768);
        QTest::newRow("welcome") << u"welcome.jpg"_s << QByteArray("jpeg") << QSize(1024, 768);
    }
    void pictures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QImageReader reader(AppPaths::resourcePath(name));
        QCOMPARE(reader.format(), format);
        const QImage image = reader.read();
        QCOMPARE(image.size(), size);
        // A picture, not a plain fill: the corners and the middle differ.
        QVERIFY(image.pixel(0, 0) != image.pixel(size.width() / 2, size.height() / 2));
    }

    void placeholdersAndFallbackBackgroundAreFound()
    {
        MediaTestHome home; // a data folder without "MainBg.jpg"
        QCOMPARE(PhotoManager::defaultLostImage().size(), QSize(480, 360));
        QCOMPARE(PhotoManager::defaultSmallLostImage().size(), QSize(200, 150));
        QCOMPARE(ConfigManager::defaultManager().getMainImage().size(), QSize(1024, 768));
    }

    void generatorWritesTheSameBytesEveryTime()
    {
        QTemporaryDir out;
        QProcess tool;
        tool.start(QStringLiteral(DIANCAI_APPMEDIA), {u"--out"_s, out.path()});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QStringList written = QDir(out.path()).entryList(QDir::Files);
        written.sort();
        QCOMPARE(written, kGeneratedFiles);
        for (const QString &name : kGeneratedFiles)
            QVERIFY2(readAll(out.filePath(name)) == readAll(AppPaths::resourcePath(name)), qPrintable(name));
    }

    void generatorRefusesBadUse()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(u"file"_s);
        QVERIFY(MediaTestHome::writeFile(blocker));
        for (const QStringList &args :
             {QStringList(), QStringList{u"--out"_s}, QStringList{u"--out"_s, blocker + u"/sub"_s}}) {
            QProcess tool;
            tool.start(QStringLiteral(DIANCAI_APPMEDIA), args);
            QVERIFY(tool.waitForFinished(60000));
            QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
            QCOMPARE(tool.exitCode(), 1);
            QVERIFY(!tool.readAllStandardError().isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestMediaResources)
#include "tst_media_resources.moc"
