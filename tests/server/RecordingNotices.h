#pragma once

#include "foundation/UserNotice.h"

#include <QStringList>

// Remembers every notice as "kind|title|message|button"; questions are answered with `accept`
// ("no" unless set), their buttons remembered as "cancel|confirm".
class RecordingNotices : public NoticeSink {
public:
    QStringList shown;
    QStringList buttons;
    bool accept = false;
    int progressShown = 0; // how often the blocking indicator went up

    void showError(const QString &text) override { shown << QStringLiteral("error|") + text; }
    void showInfo(const QString &text) override { shown << QStringLiteral("info|") + text; }
    void showSuccess(const QString &text) override { shown << QStringLiteral("success|") + text; }
    void showProgress(const QString &) override { ++progressShown; }
    void hideProgress() override {}
    void confirm(const QString &title, const QString &message, const QString &cancelText,
                 const QString &confirmText, std::function<void(bool)> answer) override
    {
        shown << QStringLiteral("confirm|") + title + u'|' + message;
        buttons << cancelText + u'|' + confirmText;
        answer(accept);
    }
    void alert(const QString &title, const QString &message, const QString &button,
               std::function<void()> closed) override
    {
        shown << QStringLiteral("alert|") + title + u'|' + message + u'|' + button;
        if (closed)
            closed();
    }
};
