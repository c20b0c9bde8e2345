#pragma once

#include "foundation/UserNotice.h"

// Swallows every notice, so that a benchmark times the work and not the log; questions are answered
// "no", alerts closed at once.
class SilentNotices : public NoticeSink {
public:
    void showError(const QString &) override {}
    void showInfo(const QString &) override {}
    void showSuccess(const QString &) override {}
    void showProgress(const QString &) override {}
    void hideProgress() override {}
    void confirm(const QString &, const QString &, const QString &, const QString &,
                 std::function<void(bool)> answer) override
    {
        answer(false);
    }
    void alert(const QString &, const QString &, const QString &, std::function<void()> closed) override
    {
        if (closed)
            closed();
    }
};
