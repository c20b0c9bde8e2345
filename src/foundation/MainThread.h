#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

#include <functional>

// The one way work done on a worker (or to be done after the caller returns) reaches the main
// thread: queued to the application's event loop, so it always runs later, never inside the caller.
// With a `context`, the work is skipped when the context is gone by then; the guard is taken here,
// so call this on the context's own thread (or while it surely lives). Without an application (a
// tool that has none) the work runs at once.
inline void runOnMainThread(QObject *context, std::function<void()> work)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app) {
        work();
        return;
    }
    const bool guarded = context != nullptr;
    QMetaObject::invokeMethod(
        app,
        [guard = QPointer<QObject>(context), guarded, work = std::move(work)] {
            if (!guarded || guard)
                work();
        },
        Qt::QueuedConnection);
}

inline void runOnMainThread(std::function<void()> work)
{
    runOnMainThread(nullptr, std::move(work));
}
