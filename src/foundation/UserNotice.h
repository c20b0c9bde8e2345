#pragma once

#include <QString>

#include <functional>
#include <memory>

// What the terminal shows the waiter in passing: brief notices, a blocking progress indicator,
// a two-button confirmation and a one-button alert. The core calls these from any thread; the
// calls reach the installed sink on the main thread, in order. The UI installs a sink that draws
// them, the console one that prints them, tests one that records them. Texts arrive already
// translated.
class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void showError(const QString &text) = 0;
    virtual void showInfo(const QString &text) = 0;
    virtual void showSuccess(const QString &text) = 0;
    virtual void showProgress(const QString &status) = 0;
    virtual void hideProgress() = 0;
    // `answer` gets true for the confirming button.
    virtual void confirm(const QString &title, const QString &message, const QString &cancelText,
                         const QString &confirmText, std::function<void(bool)> answer) = 0;
    virtual void alert(const QString &title, const QString &message, const QString &buttonText,
                       std::function<void()> closed) = 0;
};

namespace UserNotice {
// Installs the sink (none: notices are written to the log and questions answered "no").
void setSink(std::shared_ptr<NoticeSink> sink);

void error(const QString &text);
void info(const QString &text);
void success(const QString &text);
void showProgress(const QString &status);
void hideProgress();
void confirm(const QString &title, const QString &message, const QString &cancelText,
             const QString &confirmText, std::function<void(bool)> answer);
void alert(const QString &title, const QString &message, const QString &buttonText,
           std::function<void()> closed = {});
} // namespace UserNotice
