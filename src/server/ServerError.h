#pragma once

#include <QString>

#include <optional>

// The failure a server exchange reports to its caller: where it came from (`domain`), a number
// within that domain and, for failures of the HTTP layer, the text the waiter is shown.
struct ServerError {
    // A non-200 answer: the code is the HTTP status and there is no message.
    static inline const QString kStatusDomain = QStringLiteral("Qelvo");
    // A failure of the HTTP client layer itself (connection, timeout, authentication, other).
    static inline const QString kHttpDomain = QStringLiteral("HttpClientErrorDomain");

    QString domain;
    qint64 code = 0;
    std::optional<QString> message;

    // The server answered that it did not take the request (an HTTP status from 400 to 499), so
    // nothing of it was carried out. Any other failure (5xx, no answer) leaves that unknown.
    bool isRefusal() const;

    // The full text of the error, e.g. `Error Domain=Qelvo Code=404` or
    // `Error Domain=HttpClientErrorDomain Code=2 "网络超时"` (with the message as it stands).
    QString description() const;
    // What the waiter is shown: the message (already in the waiter's language) when there is one;
    // for a refusal, that the server refused and why, with the status; else the full description.
    QString shownText() const;

    bool operator==(const ServerError &) const = default;
};
