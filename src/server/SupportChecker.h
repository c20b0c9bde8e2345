#pragma once

#include <QString>

// Decides from the version stamp of the installed base data ("BaseDataVer", a date YYYYMMDD that
// the server program writes) whether the server side supports a feature, and tells the operator
// to upgrade the server program when it does not. The notices are queued to the main thread and
// shown after the answer has been returned; without a notice sink they are only logged.
class SupportChecker {
public:
    // Gifts (赠送) need a server newer than this stamp.
    static constexpr qint64 kZengSongStamp = 20150411;

    static SupportChecker &sharedChecker();

    // May gifts be given? When not, the upgrade notice follows.
    bool checkIsSupportZengSong();
    // True when the server side is older than `requiredVersion` (with the notice naming it) or
    // when no version is required (without a notice).
    bool checkShoudUpdaterSvrDataVer(const QString &requiredVersion);

    void updateDataVer(const QString &version);
    void updateDataVer2();

    // The integer at the start of the text, after blanks and an optional sign; 0 without digits.
    static qint64 stampValue(const QString &text);

private:
    static QString dataVer();
};
