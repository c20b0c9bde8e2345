#pragma once

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QThreadPool>

#include <atomic>

struct ServerError;

// The base-data package: asks the ordering server which package is current ("GetUpFileName"),
// downloads it into the app home, unpacks it beside the data folder, makes it the data folder,
// removes the old one and tells everyone to reload. Progress and outcome arrive as notifications
// on the main thread: "kDownUpdateFileProgress", "kDownUpdateFileOk", "kDownUpdateFileFailed"
// (their object is the text to show) and "kLoadNewUpdateFile" after an install.
//
// Until a new package is completely in place the data folder stays what it was, the shipped data
// included: a failed or interrupted install changes nothing.
//
// The check's reply is handled on a transport worker; download, unpacking and install run on the
// downloader's own thread. At most one download runs at a time.
class UpdateFileDownloader {
public:
    static UpdateFileDownloader &sharedInstance();

    UpdateFileDownloader();
    // Cancels a running download and waits for its thread.
    ~UpdateFileDownloader();
    UpdateFileDownloader(const UpdateFileDownloader &) = delete;
    UpdateFileDownloader &operator=(const UpdateFileDownloader &) = delete;

    // Checks for the current package and installs it. Returns at once: true when the check went
    // out; false, and nothing is posted, while a download runs or the same check is still on its
    // way (their outcome comes in its time), so that the caller need not wait for another's work.
    bool beginToDownload();
    // Installs the named package unless it is installed already or a download is running (then
    // nothing happens). May be called on any thread.
    void beginToDownloadWithFileName(const QString &name);
    // The folder of the installed base data.
    QString dataFolderPath() const;
    // Removes the installed data folder and marks that no package is installed.
    void deleteData();

    bool isDownloading() const { return isDownloading_.load(); }
    // The package being (or last) downloaded.
    QString fileName() const;

    // The reply to "GetUpFileName" and the failure of its request (public for tests).
    void handleUpFileNameReply(const QByteArray &body);
    void handleUpFileNameError(const ServerError &error);

    // Waits until no download runs; false on time-out (tests, the console).
    bool waitForDone(int msecs = -1);

    // A package name the terminal can store under its home: a plain zip file name ("*.zip"), not
    // hidden, so that it cannot name a place outside the home or one of the terminal's own files.
    static bool isUsablePackageName(const QString &name);
    // "已下载：37%" for a fraction of 0.37.
    static QString progressText(double fraction);

private:
    void download(const QString &name);
    void install(const QString &zipPath, const QString &name);
    void finish(const QString &notification, const QString &text);

    std::atomic<bool> isDownloading_ = false;
    std::atomic<bool> cancelled_ = false;
    mutable QMutex mutex_;
    QString fileName_;
    QThreadPool worker_;
};
