#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>

// The HTTP client layer under the server transport and the base-data download: libcurl's easy
// interface, run synchronously on the calling thread. Proxies from the environment are ignored
// (the ordering server is on the restaurant's own network) and no signals are used, so it is safe
// on any worker thread.

struct HttpFilePart {
    QByteArray data;
    QString key;
};

struct HttpRequest {
    QString url;
    // "GET" sends a plain request; "POST" a form (multipart when there are file parts); anything
    // else is sent as that method without a body.
    QString method = QStringLiteral("GET");
    QList<QPair<QString, QString>> formFields;
    QList<HttpFilePart> fileParts;
    QString userAgent = QStringLiteral("Qelvo");
    // For the whole exchange, connection included.
    qint64 timeoutSeconds = 8;
};

// Why an exchange failed before an HTTP status was available. Codes of the "other" kinds say a
// little more for whoever reads the error's description.
enum class HttpFailureKind {
    ConnectionFailure = 1,
    Timeout = 2,
    Authentication = 3, // the server asked for credentials (401, 407) or refused them
    Cancelled = 4,
    BadRequest = 5, // the URL or the request could not be built
    Internal = 6,   // any other failure of the HTTP library
    FileError = 8,  // a download's file could not be written
    TooManyRedirects = 9,
    Decompression = 11,
};

struct HttpFailure {
    HttpFailureKind kind;
    QString detail; // the library's own words, for logs and tests
};

struct HttpResponse {
    std::optional<HttpFailure> failure;
    long status = 0;
    QByteArray body; // decompressed
};

namespace HttpClient {
// Larger bodies are refused (kind Internal): a reply is parsed in memory, a package is downloaded.
inline constexpr qint64 kMaxBodyBytes = 64 * 1024 * 1024;

HttpResponse perform(const HttpRequest &request);

// `received` and `total` in bytes; total is 0 while unknown. Returning false cancels the download.
using Progress = std::function<bool(qint64 received, qint64 total)>;

// Streams a GET answer into `filePath` (through "<filePath>.part", renamed when complete, so a
// failed download never leaves a partial file under the final name). `idleTimeoutSeconds`
// bounds the connection and any stretch without data, not the whole download. A non-200 answer
// leaves no file and reports its status; the body is then empty.
HttpResponse download(const QString &url, const QString &filePath, qint64 idleTimeoutSeconds,
                      const Progress &progress = {});

// The body of an "application/x-www-form-urlencoded" form: name=value pairs joined by "&", each
// percent-encoded from UTF-8 except ASCII letters, digits, "-", "_" and ".".
QByteArray formUrlEncode(const QList<QPair<QString, QString>> &fields);
} // namespace HttpClient
