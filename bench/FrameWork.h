#pragma once

#include <QElapsedTimer>
#include <QGuiApplication>

// The GUI thread's work per frame: adds up how long the application spends handling events; a
// frame costs what was spent since the previous one went out (idle time excluded).
class TimedApplication : public QGuiApplication {
public:
    using QGuiApplication::QGuiApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (depth_++ == 0)
            eventStart_ = clock_.nsecsElapsed();
        const bool handled = QGuiApplication::notify(receiver, event);
        if (--depth_ == 0)
            busy_ += clock_.nsecsElapsed() - eventStart_;
        return handled;
    }

    // At a finished frame: the work spent on it. Called inside an event, whose rest counts
    // towards the next frame.
    double takeFrameMs()
    {
        const qint64 now = clock_.nsecsElapsed();
        const qint64 spent = busy_ + (depth_ > 0 ? now - eventStart_ : 0);
        busy_ = 0;
        eventStart_ = now;
        return spent / 1e6;
    }

    void startClock() { clock_.start(); }

private:
    QElapsedTimer clock_;
    int depth_ = 0;
    qint64 eventStart_ = 0;
    qint64 busy_ = 0;
};
