#include "server/HttpClient.h"

#include <QFile>

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlDeleter {
    void operator()(CURL *h) const { curl_easy_cleanup(h); }
    void operator()(curl_slist *l) const { curl_slist_free_all(l); }
    void operator()(curl_mime *m) const { curl_mime_free(m); }
};
template <typename T> using CurlPtr = std::unique_ptr<T, CurlDeleter>;

// Where the body goes: memory (bounded) or a file.
struct Sink {
    QByteArray *memory = nullptr;
    QFile *file = nullptr;
    bool tooLarge = false;
    bool fileFailed = false;
};

size_t writeBody(char *data, size_t size, size_t count, void *userData)
{
    auto *sink = static_cast<Sink *>(userData);
    const size_t bytes = size * count;
    if (sink->memory) {
        if (sink->memory->size() + qint64(bytes) > HttpClient::kMaxBodyBytes) {
            sink->tooLarge = true;
            return 0;
        }
        sink->memory->append(data, qsizetype(bytes));
        return bytes;
    }
    if (sink->file->write(data, qint64(bytes)) != qint64(bytes)) {
        sink->fileFailed = true;
        return 0;
    }
    return bytes;
}

int reportProgress(void *userData, curl_off_t total, curl_off_t received, curl_off_t, curl_off_t)
{
    const auto *progress = static_cast<const HttpClient::Progress *>(userData);
    return (*progress)(qint64(received), qint64(total)) ? 0 : 1;
}

HttpFailureKind kindOf(CURLcode code, const Sink &sink)
{
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_SSL_CONNECT_ERROR:
        return HttpFailureKind::ConnectionFailure;
    case CURLE_OPERATION_TIMEDOUT:
        return HttpFailureKind::Timeout;
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
        return HttpFailureKind::Authentication;
    case CURLE_ABORTED_BY_CALLBACK:
        return HttpFailureKind::Cancelled;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return HttpFailureKind::BadRequest;
    case CURLE_TOO_MANY_REDIRECTS:
        return HttpFailureKind::TooManyRedirects;
    case CURLE_BAD_CONTENT_ENCODING:
        return HttpFailureKind::Decompression;
    case CURLE_WRITE_ERROR:
        return sink.fileFailed ? HttpFailureKind::FileError : HttpFailureKind::Internal;
    default:
        return HttpFailureKind::Internal;
    }
}

// The settings every exchange shares.
CurlPtr<CURL> newHandle(const QByteArray &url, const QString &userAgent, char *errorBuffer, Sink *sink)
{
    initCurlOnce();
    CurlPtr<CURL> h(curl_easy_init());
    if (!h)
        return h;
    curl_easy_setopt(h.get(), CURLOPT_URL, url.constData());
    curl_easy_setopt(h.get(), CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h.get(), CURLOPT_PROXY, "");
    curl_easy_setopt(h.get(), CURLOPT_USERAGENT, userAgent.toUtf8().constData());
    // The two encodings every server knows; offering all that libcurl can read makes some servers
    // spend more on compressing a short reply than the network would on sending it.
    curl_easy_setopt(h.get(), CURLOPT_ACCEPT_ENCODING, "gzip, deflate");
    curl_easy_setopt(h.get(), CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h.get(), CURLOPT_WRITEFUNCTION, writeBody);
    curl_easy_setopt(h.get(), CURLOPT_WRITEDATA, sink);
    return h;
}

HttpResponse finish(CURL *h, CURLcode code, const char *errorBuffer, const Sink &sink)
{
    HttpResponse response;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &response.status);
    if (code != CURLE_OK) {
        QString detail = QString::fromUtf8(errorBuffer);
        if (sink.tooLarge)
            detail = QStringLiteral("body larger than ") + QString::number(HttpClient::kMaxBodyBytes) +
                     QStringLiteral(" bytes");
        if (detail.isEmpty())
            detail = QString::fromUtf8(curl_easy_strerror(code));
        response.failure = HttpFailure{kindOf(code, sink), detail};
    } else if (response.status == 401 || response.status == 407) {
        response.failure = HttpFailure{HttpFailureKind::Authentication,
                                       QStringLiteral("HTTP ") + QString::number(response.status)};
    }
    return response;
}

HttpResponse cannotStart()
{
    return HttpResponse{HttpFailure{HttpFailureKind::Internal, QStringLiteral("no curl handle")}, 0, {}};
}

} // namespace

namespace HttpClient {

QByteArray formUrlEncode(const QList<QPair<QString, QString>> &fields)
{
    static constexpr char hex[] = "0123456789ABCDEF";
    QByteArray body;
    auto append = [&body](const QString &text) {
        for (char ch : text.toUtf8()) {
            const auto c = static_cast<unsigned char>(ch);
            if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                c == '_' || c == '.') {
                body += char(c);
            } else {
                body += '%';
                body += hex[c >> 4];
                body += hex[c & 0xF];
            }
        }
    };
    for (const auto &[name, value] : fields) {
        if (!body.isEmpty())
            body += '&';
        append(name);
        body += '=';
        append(value);
    }
    return body;
}

HttpResponse perform(const HttpRequest &request)
{
    QByteArray body;
    Sink sink{&body};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    CurlPtr<CURL> h = newHandle(request.url.toUtf8(), request.userAgent, errorBuffer, &sink);
    if (!h)
        return cannotStart();

    const long timeoutMs = request.timeoutSeconds > 0 ? long(request.timeoutSeconds * 1000) : 0L;
    curl_easy_setopt(h.get(), CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h.get(), CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);

    // No "Expect: 100-continue" round trip before a larger form.
    CurlPtr<curl_slist> headers(curl_slist_append(nullptr, "Expect:"));
    CurlPtr<curl_mime> mime;
    QByteArray formBody;
    if (request.method == QLatin1String("POST")) {
        if (request.fileParts.isEmpty()) {
            formBody = formUrlEncode(request.formFields);
            headers.reset(
                curl_slist_append(headers.release(), "Content-Type: application/x-www-form-urlencoded"));
            curl_easy_setopt(h.get(), CURLOPT_POST, 1L);
            curl_easy_setopt(h.get(), CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(formBody.size()));
            curl_easy_setopt(h.get(), CURLOPT_POSTFIELDS, formBody.constData());
        } else {
            mime.reset(curl_mime_init(h.get()));
            for (const auto &[name, value] : request.formFields) {
                curl_mimepart *part = curl_mime_addpart(mime.get());
                curl_mime_name(part, name.toUtf8().constData());
                const QByteArray data = value.toUtf8();
                curl_mime_data(part, data.constData(), size_t(data.size()));
            }
            for (const HttpFilePart &file : request.fileParts) {
                curl_mimepart *part = curl_mime_addpart(mime.get());
                curl_mime_name(part, file.key.toUtf8().constData());
                curl_mime_data(part, file.data.constData(), size_t(file.data.size()));
                curl_mime_filename(part, "file");
                curl_mime_type(part, "application/octet-stream");
            }
            curl_easy_setopt(h.get(), CURLOPT_MIMEPOST, mime.get());
        }
    } else if (request.method == QLatin1String("GET")) {
        curl_easy_setopt(h.get(), CURLOPT_HTTPGET, 1L);
    } else {
        curl_easy_setopt(h.get(), CURLOPT_CUSTOMREQUEST, request.method.toUtf8().constData());
    }
    curl_easy_setopt(h.get(), CURLOPT_HTTPHEADER, headers.get());

    const CURLcode code = curl_easy_perform(h.get());
    HttpResponse response = finish(h.get(), code, errorBuffer, sink);
    if (!response.failure)
        response.body = std::move(body);
    return response;
}

HttpResponse download(const QString &url, const QString &filePath, qint64 idleTimeoutSeconds,
                      const Progress &progress)
{
    const QString partPath = filePath + QStringLiteral(".part");
    QFile file(partPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return HttpResponse{HttpFailure{HttpFailureKind::FileError, file.errorString()}, 0, {}};

    Sink sink{nullptr, &file};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    CurlPtr<CURL> h = newHandle(url.toUtf8(), QStringLiteral("Qelvo"), errorBuffer, &sink);
    if (!h) {
        file.remove();
        return cannotStart();
    }
    curl_easy_setopt(h.get(), CURLOPT_HTTPGET, 1L);
    if (idleTimeoutSeconds > 0) {
        curl_easy_setopt(h.get(), CURLOPT_CONNECTTIMEOUT_MS, long(idleTimeoutSeconds * 1000));
        curl_easy_setopt(h.get(), CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(h.get(), CURLOPT_LOW_SPEED_TIME, long(idleTimeoutSeconds));
    }
    if (progress) {
        curl_easy_setopt(h.get(), CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(h.get(), CURLOPT_XFERINFOFUNCTION, reportProgress);
        curl_easy_setopt(h.get(), CURLOPT_XFERINFODATA, &progress);
    }

    const CURLcode code = curl_easy_perform(h.get());
    HttpResponse response = finish(h.get(), code, errorBuffer, sink);
    if (!file.flush())
        sink.fileFailed = true;
    file.close();
    if (!response.failure && sink.fileFailed)
        response.failure = HttpFailure{HttpFailureKind::FileError, file.errorString()};
    if (response.failure || response.status != 200) {
        file.remove();
        return response;
    }
    QFile::remove(filePath);
    if (!QFile::rename(partPath, filePath)) {
        QFile::remove(partPath);
        response.failure =
            HttpFailure{HttpFailureKind::FileError, QStringLiteral("cannot rename ") + partPath};
    }
    return response;
}

} // namespace HttpClient
