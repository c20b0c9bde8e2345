#pragma once

#include <QString>
#include <QStringList>

// The support log: what a restaurant's IT person reads the day after a tablet misbehaved. Every
// message of the diancai.* categories (and Qt's own warnings) goes, one line each, to "diancai.log"
// in a folder of the terminal's home, besides the usual standard error. The file rotates at 1 MB into
// "diancai.log.1" ... ".4": at most five files. Callers never log a password, an access code or a
// whole order's text.
namespace SupportLog {
struct Limits {
    qint64 fileBytes = 1024 * 1024;
    int files = 5;
};

// Starts writing into `folder` (created when missing) and logs the start. A start that finds the
// previous run's mark (it ended without `stop`: a crash, a kill, a power cut) logs that first.
void start(const QString &folder, Limits limits = {});
// Logs the stop, removes the run's mark and stops writing.
void stop();
// The folder the terminal's log lives in for a given home.
QString folderIn(const QString &home);
// The last `count` lines over the rotated files, oldest first.
QStringList lastLines(const QString &folder, int count);
} // namespace SupportLog
