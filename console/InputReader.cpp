#include "InputReader.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace {
// Shared with the reading thread, which may outlive the loop (it waits in a read after "quit").
struct Lines {
    std::function<bool(const QString &)> execute;
    std::mutex mutex;
    std::deque<QString> waiting; // under mutex
    bool ended = false;          // under mutex
    // Main thread only.
    bool running = false;
    bool done = false;

    std::optional<QString> take(bool &inputEnded)
    {
        std::lock_guard lock(mutex);
        inputEnded = ended;
        if (waiting.empty())
            return std::nullopt;
        QString line = std::move(waiting.front());
        waiting.pop_front();
        return line;
    }

    // Main thread. A command's own waiting delivers events, a later wake among them: the outer
    // call goes on with the next line once the command has ended.
    void drain()
    {
        if (running || done)
            return;
        running = true;
        for (;;) {
            bool inputEnded = false;
            const std::optional<QString> next = take(inputEnded);
            if (!next) {
                done = inputEnded;
                break;
            }
            if (!execute(*next)) {
                done = true;
                break;
            }
        }
        running = false;
        if (done)
            QCoreApplication::quit();
    }
};
} // namespace

void InputReader::run(const std::function<bool(const QString &line)> &execute)
{
    auto lines = std::make_shared<Lines>();
    lines->execute = execute;
    std::thread reader([lines] {
        std::string input;
        bool more = true;
        while (more) {
            more = bool(std::getline(std::cin, input));
            {
                std::lock_guard lock(lines->mutex);
                if (more)
                    lines->waiting.push_back(QString::fromUtf8(input.data(), qsizetype(input.size())));
                else
                    lines->ended = true;
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [lines] { lines->drain(); }, Qt::QueuedConnection);
        }
    });
    QCoreApplication::exec();
    // Lines that still arrive are not run: the session ends now.
    lines->done = true;
    reader.detach();
}
