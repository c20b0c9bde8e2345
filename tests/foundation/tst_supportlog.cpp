#include "foundation/LogCategories.h"
#include "foundation/SupportLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SupportLogTest : public QObject {
    Q_OBJECT

private slots:
    void rotatesIntoAtMostFiveFiles();
    void anUncleanEndIsReportedAtTheNextStart();
};

void SupportLogTest::rotatesIntoAtMostFiveFiles()
{
    QTemporaryDir home;
    const QString folder = SupportLog::folderIn(home.path());
    SupportLog::start(folder, {2000, 5});
    for (int i = 0; i < 400; ++i)
        qCInfo(lcServer).noquote() << "sent ChkTable table A01 flow" << i;
    SupportLog::stop();

    const QStringList files =
        QDir(folder).entryList({QStringLiteral("diancai.log*")}, QDir::Files, QDir::Name);
    QCOMPARE(files, (QStringList{u"diancai.log"_qs, u"diancai.log.1"_qs, u"diancai.log.2"_qs,
                                 u"diancai.log.3"_qs, u"diancai.log.4"_qs}));
    for (const QString &name : files)
        QVERIFY2(QFileInfo(QDir(folder).filePath(name)).size() <= 2000, qPrintable(name));

    // The newest lines, oldest first, across the files: the last sends, then the stop.
    const QStringList last = SupportLog::lastLines(folder, 3);
    QCOMPARE(last.size(), 3);
    QVERIFY2(last.at(0).endsWith(u" info diancai.server: sent ChkTable table A01 flow 398"_qs),
             qPrintable(last.at(0)));
    QVERIFY(last.at(1).endsWith(u"flow 399"_qs));
    QVERIFY2(last.at(2).contains(u" info diancai.app: stop"_qs), qPrintable(last.at(2)));
    // Lines from every file, in order, when more are asked for than the newest file holds.
    const QStringList many = SupportLog::lastLines(folder, 60);
    QCOMPARE(many.size(), 60);
    QVERIFY(many.at(0).endsWith(u"flow 341"_qs) && many.at(57).endsWith(u"flow 398"_qs));
}

void SupportLogTest::anUncleanEndIsReportedAtTheNextStart()
{
    QTemporaryDir home;
    const QString folder = SupportLog::folderIn(home.path());
    SupportLog::start(folder);
    SupportLog::stop();
    SupportLog::start(folder);
    QFile::copy(QDir(folder).filePath(u"running"_qs), QDir(home.path()).filePath(u"mark"_qs));
    SupportLog::stop();
    const auto cutRuns = [&folder] {
        return SupportLog::lastLines(folder, 100).filter(u"ended without stopping"_qs).size();
    };
    QCOMPARE(cutRuns(), 0);

    // A run killed while running leaves its mark behind.
    QFile::copy(QDir(home.path()).filePath(u"mark"_qs), QDir(folder).filePath(u"running"_qs));
    SupportLog::start(folder);
    SupportLog::stop();
    QCOMPARE(cutRuns(), 1);
    QVERIFY(!QFile::exists(QDir(folder).filePath(u"running"_qs)));
}

QTEST_GUILESS_MAIN(SupportLogTest)
#include "tst_supportlog.moc"
