#include "package/UpdateFileDownloader.h"

#include "foundation/AppPaths.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "foundation/SettingsKeys.h"
#include "media/PhotoManager.h"
#include "package/PackageInstaller.h"
#include "server/CommandMaker.h"
#include "server/HttpClient.h"
#include "server/ResponseParser.h"
#include "server/ServerExchange.h"
#include "server/ServerRequest.h"
#include "settings/ConfigManager.h"
#include "settings/DataFolder.h"
#include "settings/LanguageManager.h"
#include "settings/SettingsStore.h"
#include "storage/BaseDataCheck.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// The connection and any stretch without data; a large package may take far longer in total.
constexpr qint64 kDownloadIdleSeconds = 50;

void post(const QString &name, const QString &message)
{
    PostNotificationInMainThread(name, message);
}

QString stem(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

} // namespace

UpdateFileDownloader &UpdateFileDownloader::sharedInstance()
{
    static UpdateFileDownloader instance;
    return instance;
}

UpdateFileDownloader::UpdateFileDownloader()
{
    worker_.setMaxThreadCount(1);
}

UpdateFileDownloader::~UpdateFileDownloader()
{
    cancelled_ = true;
    worker_.waitForDone();
}

QString UpdateFileDownloader::fileName() const
{
    QMutexLocker lock(&mutex_);
    return fileName_;
}

bool UpdateFileDownloader::waitForDone(int msecs)
{
    return worker_.waitForDone(msecs);
}

QString UpdateFileDownloader::dataFolderPath() const
{
    return DataFolder::path();
}

bool UpdateFileDownloader::isUsablePackageName(const QString &name)
{
    // A zip file name, which none of the terminal's own files in the home has.
    if (!name.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
        return false;
    if (name.startsWith(u'.') || name.contains(u'/') || name.contains(u'\\'))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

QString UpdateFileDownloader::progressText(double fraction)
{
    return QString::asprintf(localised(u"已下载：%.f%%"_s).toUtf8().constData(), fraction * 100);
}

bool UpdateFileDownloader::beginToDownload()
{
    if (isDownloading_.load())
        return false;
    auto request = ServerRequest::requestWithCommand(CommandMaker::getUpFileCommandWithUserId(QString()));
    request->setResponseBlock([this](const QByteArray &body) { handleUpFileNameReply(body); });
    request->setErrorBlock([this](const ServerError &error) { handleUpFileNameError(error); });
    // The queue drops a second check while the first is still on its way.
    if (!request->go())
        return false;
    // Called on the main thread, it is delivered at once, before any outcome.
    post(Notify::DownUpdateFileProgress, localised(u"正在检测主档更新..."_s));
    return true;
}

void UpdateFileDownloader::handleUpFileNameReply(const QByteArray &body)
{
    const ServerReply reply = ServerReply::read(body);
    if (!reply.readable) {
        post(Notify::DownUpdateFileFailed, localised(u"下载失败"_s));
        return;
    }
    if (!reply.isAccepted()) {
        post(Notify::DownUpdateFileFailed, reply.message);
        return;
    }
    const std::optional<QString> name = ResponseParser::parseResponseData(*reply.xml, u"ReturnValue"_s);
    if (!name) {
        post(Notify::DownUpdateFileFailed, localised(u"获取更新文件失败"_s));
        return;
    }
    beginToDownloadWithFileName(*name);
}

void UpdateFileDownloader::handleUpFileNameError(const ServerError &error)
{
    // A refused status carries no text of its own; the waiter still learns that it failed.
    const QString message = error.message.value_or(QString());
    post(Notify::DownUpdateFileFailed, message.isEmpty() ? localised(u"下载失败"_s) : localised(message));
}

void UpdateFileDownloader::beginToDownloadWithFileName(const QString &name)
{
    // A download under way ends with a notification to every observer, which answers this call too.
    bool idle = false;
    if (!isDownloading_.compare_exchange_strong(idle, true))
        return;
    if (SettingsStore::shared().string(Key::ZipFileName) == name) {
        isDownloading_ = false;
        post(Notify::DownUpdateFileOk, localised(u"当前商品主档已经为最新，无需更新！"_s));
        return;
    }
    // The name becomes a file and a folder in the home: one that could point anywhere else is
    // refused before anything is fetched.
    if (!isUsablePackageName(name)) {
        isDownloading_ = false;
        post(Notify::DownUpdateFileFailed, localised(u"获取更新文件失败"_s));
        return;
    }
    {
        QMutexLocker lock(&mutex_);
        fileName_ = name;
    }
    worker_.start([this, name] { download(name); });
}

void UpdateFileDownloader::download(const QString &name)
{
    const std::optional<QString> server = ConfigManager::defaultManager().getServerAddress();
    if (!server) {
        finish(Notify::DownUpdateFileFailed, localised(u"下载失败"_s));
        return;
    }
    const QString url = *server + u'/' + QString::fromLatin1(QUrl::toPercentEncoding(name));
    const QString zipPath = AppPaths::home() + u'/' + name;
    // A file left by an earlier failed attempt must not be taken for this download's answer.
    QFile::remove(zipPath);

    QString lastShown;
    const HttpResponse response = HttpClient::download(
        url, zipPath, kDownloadIdleSeconds, [this, &lastShown](qint64 received, qint64 total) {
            if (total > 0) {
                // curl reports many times a second; only a changed figure is worth showing.
                const QString shown = progressText(double(received) / double(total));
                if (shown != lastShown) {
                    lastShown = shown;
                    post(Notify::DownUpdateFileProgress, shown);
                }
            }
            return !cancelled_.load();
        });
    if (response.failure) {
        finish(Notify::DownUpdateFileFailed, localised(u"下载失败"_s));
        return;
    }
    // Any completed answer counts as the package, whatever its status: an error page then fails
    // to unpack.
    install(zipPath, name);
}

void UpdateFileDownloader::install(const QString &zipPath, const QString &name)
{
    if (zipPath.isEmpty()) {
        finish(Notify::DownUpdateFileFailed, localised(u"更新失败"_s));
        return;
    }
    post(Notify::DownUpdateFileProgress, localised(u"解压中..."_s));
    const QString home = AppPaths::home();
    const QString target = home + u'/' + stem(name);
    const PackageUnpacker::Result installed =
        PackageInstaller::installFolder(zipPath, target, BaseDataCheck::problem);
    if (!installed.ok) {
        qInfo().noquote() << "base-data package" << name << "not installed:" << installed.detail;
        // A package that cannot be installed is of no use, and may be large.
        QFile::remove(zipPath);
        finish(Notify::DownUpdateFileFailed, installed.tooLarge ? localised(u"商品资料包过大，无法解压"_s)
                                             : installed.badContent ? localised(u"商品资料包内容无效"_s)
                                                                    : localised(u"解压失败"_s));
        return;
    }
    QFile::remove(zipPath);
    // Thumbnails are named by dish number: the new catalogue's pictures must not meet the old ones.
    PhotoManager::defaultManager().deleteSmallFolder();
    const QString oldFolder = DataFolder::path();
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::ZipFileName, name);
    store.sync();
    // Never the shipped data, nor the folder just put in place.
    if (oldFolder != target && PackageInstaller::isInside(oldFolder, home))
        QDir(oldFolder).removeRecursively();
    finish(Notify::DownUpdateFileOk, localised(u"下载成功"_s));
    PostNotificationInMainThread(Notify::LoadNewUpdateFile);
}

void UpdateFileDownloader::finish(const QString &notification, const QString &message)
{
    // Cleared before the outcome arrives, so that whoever reacts to it may start the next one.
    isDownloading_ = false;
    post(notification, message);
}

void UpdateFileDownloader::deleteData()
{
    PhotoManager::defaultManager().deleteSmallFolder();
    const QString folder = DataFolder::path();
    if (PackageInstaller::isInside(folder, AppPaths::home()))
        QDir(folder).removeRecursively();
    SettingsStore &store = SettingsStore::shared();
    store.setValue(Key::ZipFileName, DataFolder::kNoPackageName);
    store.sync();
}
