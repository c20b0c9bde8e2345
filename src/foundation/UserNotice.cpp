#include "foundation/UserNotice.h"

#include "foundation/MainThread.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMutex>
#include <QThread>

namespace {
QMutex mutex;
std::shared_ptr<NoticeSink> installed;

// Runs `show` with the sink on the main thread: at once when already there, else queued.
void onMainThread(std::function<void(NoticeSink *)> show, std::function<void()> withoutSink)
{
    auto run = [show = std::move(show), withoutSink = std::move(withoutSink)] {
        std::shared_ptr<NoticeSink> sink;
        {
            QMutexLocker lock(&mutex);
            sink = installed;
        }
        if (sink)
            show(sink.get());
        else
            withoutSink();
    };
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        run();
    else
        runOnMainThread(std::move(run));
}

void log(const char *kind, const QString &text)
{
    qInfo().noquote() << kind << text;
}
} // namespace

namespace UserNotice {

void setSink(std::shared_ptr<NoticeSink> sink)
{
    QMutexLocker lock(&mutex);
    installed = std::move(sink);
}

void error(const QString &text)
{
    onMainThread([text](NoticeSink *s) { s->showError(text); }, [text] { log("error:", text); });
}

void info(const QString &text)
{
    onMainThread([text](NoticeSink *s) { s->showInfo(text); }, [text] { log("info:", text); });
}

void success(const QString &text)
{
    onMainThread([text](NoticeSink *s) { s->showSuccess(text); }, [text] { log("ok:", text); });
}

void showProgress(const QString &status)
{
    onMainThread([status](NoticeSink *s) { s->showProgress(status); }, [] {});
}

void hideProgress()
{
    onMainThread([](NoticeSink *s) { s->hideProgress(); }, [] {});
}

void confirm(const QString &title, const QString &message, const QString &cancelText,
             const QString &confirmText, std::function<void(bool)> answer)
{
    onMainThread(
        [=](NoticeSink *s) { s->confirm(title, message, cancelText, confirmText, answer); },
        [=] {
            log("question:", message);
            if (answer)
                answer(false);
        });
}

void alert(const QString &title, const QString &message, const QString &buttonText,
           std::function<void()> closed)
{
    onMainThread([=](NoticeSink *s) { s->alert(title, message, buttonText, closed); },
                 [=] {
                     log("alert:", title + QStringLiteral(": ") + message);
                     if (closed)
                         closed();
                 });
}

} // namespace UserNotice
