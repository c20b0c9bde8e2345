// Commands for the base-data package: the staff screen's "更新商品资料" and the settings screen's
// delete button.

#include "ConsoleOutput.h"
#include "ConsoleSession.h"
#include "foundation/NotificationCenter.h"
#include "foundation/NotificationNames.h"
#include "package/UpdateFileDownloader.h"
#include "server/RequestQueue.h"
#include "server/ServerRequest.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

#include <QObject>

namespace {
// A stalled transfer fails on its own after 50 idle seconds; this only guards against waiting for
// ever.
constexpr int kLongestUpdateMs = 60 * 60 * 1000;
} // namespace

// Checks for the current package and installs it, printing each progress text as a notice and
// the outcome as "ok:" or "error:". A new package is read at once, as the home screen does.
void ConsoleSession::update(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "update"))
        return;
    UpdateFileDownloader &downloader = UpdateFileDownloader::sharedInstance();
    bool ended = false;
    QObject waiting;
    NotificationCenter &center = NotificationCenter::defaultCenter();
    center.addObserver(&waiting, Notify::DownUpdateFileProgress,
                       [](const Notification &n) { ConsoleOutput::notice(n.object.toString()); });
    center.addObserver(&waiting, Notify::DownUpdateFileOk, [&ended](const Notification &n) {
        ConsoleOutput::ok(n.object.toString());
        ended = true;
    });
    center.addObserver(&waiting, Notify::DownUpdateFileFailed, [&ended](const Notification &n) {
        ConsoleOutput::error(n.object.toString());
        ended = true;
    });
    center.addObserver(&waiting, Notify::LoadNewUpdateFile,
                       [](const Notification &) { DBManager::defaultManager().setup(); });

    if (!downloader.beginToDownload()) {
        // Another update is under way: its outcome is its own, not this command's.
        ConsoleOutput::error(localised(QStringLiteral("商品资料正在更新，请稍候")));
        return;
    }
    // Ends with the outcome, or once nothing is under way any more.
    const bool finished = waitFor(
        [&] {
            return ended || (ServerRequest::sharedQueue().pendingCount() == 0 && !downloader.isDownloading());
        },
        kLongestUpdateMs);
    downloader.waitForDone();
    settle();
    if (!finished || !ended)
        ConsoleOutput::error(QStringLiteral("the update has not ended"));
}

// Removes the installed base data; the catalogue is empty until the next update.
void ConsoleSession::deletedata(const QStringList &args)
{
    if (!requireArgs(args, 0, 0, "deletedata"))
        return;
    UpdateFileDownloader::sharedInstance().deleteData();
    DBManager::defaultManager().setup();
    ConsoleOutput::ok(localised(QStringLiteral("已删除，请重新下载")));
}
