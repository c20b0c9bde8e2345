#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>

#include <atomic>
#include <functional>
#include <optional>

// The app-update check: fetches the newest version's description from the maker's web service
// ("/update/update.xml") and, when it is newer than this build, asks the operator whether to open
// its download page. Every failure is silent. The answer and the alert are handled on the main
// thread; the request runs on the checker's own worker.
class UpdateChecker {
public:
    // This build's version code; a description from this code on offers an update.
    static constexpr int kVersionCode = 23;
    static constexpr int kFirstNewerVersionCode = kVersionCode + 1;

    static UpdateChecker &sharedInstance();

    // Create on the main thread.
    UpdateChecker();
    ~UpdateChecker();
    UpdateChecker(const UpdateChecker &) = delete;
    UpdateChecker &operator=(const UpdateChecker &) = delete;

    // Starts the check; returns at once. A new check replaces the answer of one still running.
    void check();
    // The operator's answer to the update alert: button 0 ("暂不更新") does nothing, any other
    // opens `updateUrl`.
    void alertView(int clickedButtonAtIndex);
    // The `url` of the last description read.
    QString updateUrl() const;

    // Reads a description (whatever the HTTP status) and raises the alert when it is newer. Main
    // thread.
    void handleDescription(const QByteArray &body);
    // The leading whole number of the text, as a C "atoi" reads it (clamped to int); absent or
    // unreadable: 0.
    static int intValue(const std::optional<QString> &text);

    // Replaces the call that opens the page (tests).
    void setUrlOpener(std::function<bool(const QUrl &)> opener);
    // Waits until no request runs; false on time-out.
    bool waitForDone(int msecs = -1);

private:
    // Receives the answers on the main thread; queued calls die with it.
    QObject context_;
    QThreadPool worker_;
    std::atomic<quint64> generation_ = 0;
    mutable QMutex mutex_;
    QString updateUrl_;
    std::function<bool(const QUrl &)> opener_;
};
