#pragma once

#include "foundation/UserNotice.h"

#include <QString>
#include <QStringList>

// Standard output of the console: one line per result row or message, written and flushed at once
// so that a reader sees each line as soon as it exists.
namespace ConsoleOutput {
void line(const QString &text);
// Fields joined by tabs.
void row(const QStringList &fields);
void ok(const QString &text);
void notice(const QString &text);
void error(const QString &text);
} // namespace ConsoleOutput

// Prints what the terminal would show: successes as "ok:", brief notices and alerts as "notice:",
// errors as "error:". The progress indicator is not shown; questions are answered "no".
class PrintingNoticeSink : public NoticeSink {
public:
    void showError(const QString &text) override { ConsoleOutput::error(text); }
    void showInfo(const QString &text) override { ConsoleOutput::notice(text); }
    void showSuccess(const QString &text) override { ConsoleOutput::ok(text); }
    void showProgress(const QString &) override {}
    void hideProgress() override {}
    void confirm(const QString &title, const QString &message, const QString &cancelText,
                 const QString &confirmText, std::function<void(bool)> answer) override;
    void alert(const QString &title, const QString &message, const QString &buttonText,
               std::function<void()> closed) override;
};
