#pragma once

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>

#include <algorithm>

// The GUI thread's work: adds up how long the application spends handling events, per frame (what
// was spent since the previous frame went out, idle time excluded) and as a whole, with the longest
// single event. Other threads' event loops pass through `notify` too; they are not counted.
class TimedApplication : public QGuiApplication {
public:
    using QGuiApplication::QGuiApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (QThread::currentThread() != thread())
            return QGuiApplication::notify(receiver, event);
        if (depth_++ == 0)
            eventStart_ = outerStart_ = clock_.nsecsElapsed();
        const bool handled = QGuiApplication::notify(receiver, event);
        if (--depth_ == 0) {
            const qint64 now = clock_.nsecsElapsed();
            busy_ += now - eventStart_;
            busyTotal_ += now - outerStart_;
            longest_ = std::max(longest_, now - outerStart_);
        }
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

    // Starts the clock and the totals afresh.
    void startClock()
    {
        clock_.start();
        busy_ = busyTotal_ = longest_ = 0;
    }
    // Since startClock(): all events together, and the longest one.
    double busyMs() const { return busyTotal_ / 1e6; }
    double longestEventMs() const { return longest_ / 1e6; }

private:
    QElapsedTimer clock_;
    int depth_ = 0;
    qint64 eventStart_ = 0;
    qint64 outerStart_ = 0;
    qint64 busy_ = 0;
    qint64 busyTotal_ = 0;
    qint64 longest_ = 0;
};
