// The console's "update" and "deletedata" against diancai-devserver: what a script sees, and what
// the catalogue reads afterwards.
#include "DevServerProcess.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Runs diancai-console over the script in `home`; the lines of its standard output.
QStringList runConsole(const QString &home, const QString &script)
{
    QProcess console;
    console.start(QStringLiteral(CONSOLE_EXE), {u"--home"_s, home});
    if (!console.waitForStarted(10000))
        return {u"<not started>"_s};
    console.write(script.toUtf8());
    console.closeWriteChannel();
    if (!console.waitForFinished(60000))
        return {u"<not finished>"_s};
    return QString::fromUtf8(console.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The lines with the given start, and the others.
QStringList starting(const QStringList &lines, const QString &start, bool with = true)
{
    QStringList found;
    for (const QString &line : lines) {
        if (line.startsWith(start) == with)
            found << line;
    }
    return found;
}

} // namespace

class TestPackageConsole : public QObject {
    Q_OBJECT

private slots:
    void updateOnAFreshHomeThenDelete()
    {
        DevServerProcess server;
        QVERIFY2(server.start(DevServerProcess::demoPackage()), qPrintable(server.error()));
        QTemporaryDir home;
        const QString connect = u"server 127.0.0.1 "_s + QString::number(server.port()) + u'\n';

        QStringList out = runConsole(home.path(), connect + u"update\ndishes\nupdate\n"_s);
        QVERIFY2(out.size() > 100, qPrintable(out.join(u'\n')));
        QCOMPARE(out.first(), u"notice: 正在检测主档更新..."_s);
        const qsizetype done = out.indexOf(u"ok: 下载成功"_s);
        QVERIFY2(done > 2, qPrintable(out.join(u'\n')));
        QCOMPARE(out.at(done - 1), u"notice: 解压中..."_s);
        QCOMPARE(out.at(done - 2), u"notice: 已下载：100%"_s);
        QCOMPARE(out.mid(out.size() - 2), (QStringList{u"notice: 正在检测主档更新..."_s,
                                                       u"ok: 当前商品主档已经为最新，无需更新！"_s}));
        const QStringList dishes = out.mid(done + 1, out.size() - done - 3);
        QVERIFY(dishes.size() > 100);
        QCOMPARE(starting(dishes, u"00001\t"_s).size(), 1);
        QVERIFY(QDir(home.filePath(u"diancai-demo"_s)).exists());

        out = runConsole(home.path(), u"deletedata\ndishes\n"_s);
        QCOMPARE(out, QStringList{u"ok: 已删除，请重新下载"_s});
        QVERIFY(!QDir(home.filePath(u"diancai-demo"_s)).exists());
    }

    void updateReportsAFailure()
    {
        QTemporaryDir home;
        const QString connect =
            u"server 127.0.0.1 "_s + QString::number(DevServerProcess::closedLoopbackPort());
        const QStringList out = runConsole(home.path(), connect + u"\nupdate\nupdate now\ndeletedata x\n"_s);
        QCOMPARE(out, (QStringList{u"notice: 正在检测主档更新..."_s, u"error: 网络连接错误"_s,
                                   u"error: usage: update"_s, u"error: usage: deletedata"_s}));
    }
};

QTEST_GUILESS_MAIN(TestPackageConsole)
#include "tst_package_console.moc"
