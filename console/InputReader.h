#pragma once

#include <QString>

#include <functional>

// Reads standard input on a thread of its own, so that the event loop, and the outbox's sender
// with it, runs while the console waits for the next command. Lines run on the main thread one at a
// time, in order: a line that arrives while a command still runs (and delivers events) waits.
namespace InputReader {
// Runs `execute` for each line until it returns false or the input ends; then returns.
void run(const std::function<bool(const QString &line)> &execute);
} // namespace InputReader
