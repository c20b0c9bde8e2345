#include "HttpFront.h"

#include "JsonText.h"
#include "ReplyWriter.h"
#include "SocketControl.h"

#include <chrono>
#include <ctime>
#include <fstream>
#include <memory>
#include <thread>

namespace {

constexpr const char *kXmlType = "text/xml";
// Characters outside GB2312: a GBK ideograph and a four-byte GB18030 one.
constexpr const char *kGb18030OnlyText = "镕𠀀";
constexpr int kMaxDelayMs = 120000;
// The most a post may hold; larger ones are refused unread.
constexpr std::size_t kMaxPostBytes = 16 * 1024 * 1024;

bool isLoopback(const std::string &address)
{
    return address.rfind("127.", 0) == 0 || address == "::1" || address.rfind("::ffff:127.", 0) == 0;
}

void sendJson(httplib::Response &response, const std::string &json, int status = 200)
{
    response.status = status;
    response.set_content(json, "application/json");
}

void sendError(httplib::Response &response, const std::string &message)
{
    sendJson(response, "{\"error\":" + JsonText::quoted(message) + "}", 400);
}

std::string queryOf(const httplib::Request &request)
{
    const auto mark = request.target.find('?');
    return mark == std::string::npos ? std::string() : request.target.substr(mark + 1);
}

// A whole number parameter; fallback when absent, nothing when malformed or out of range.
std::optional<int> intParam(const httplib::Request &request, const char *name, int fallback, int low,
                            int high)
{
    if (!request.has_param(name))
        return fallback;
    const std::string text = request.get_param_value(name);
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

bool keepsReply(FaultKind kind)
{
    return kind == FaultKind::Delay || kind == FaultKind::Gb18030;
}

void sleepFor(const Fault &fault)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(fault.delayMs));
}

} // namespace

HttpFront::HttpFront(Parts parts) : parts_(std::move(parts))
{
    // Many terminals at once, each holding a connection open for a while.
    server_.new_task_queue = [] { return new httplib::ThreadPool(32); };
    server_.set_payload_max_length(kMaxPostBytes);
    // The library's default also sets SO_REUSEPORT, which would let a second server share the
    // port and silently take half of the requests; a taken port must be an error instead.
    server_.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server_.set_pre_routing_handler([](const httplib::Request &request, httplib::Response &response) {
        if (request.path.rfind("/__control", 0) == 0 && !isLoopback(request.remote_addr)) {
            response.status = 403;
            response.set_content("the control endpoint answers loopback clients only", "text/plain");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    routeCommands();
    routeMakerService();
    routeControl();
    routeDownloads(); // last: it answers every other GET path
}

bool HttpFront::bind(const std::string &host, int port, std::string &error)
{
    if (port == 0) {
        port_ = server_.bind_to_any_port(host);
        if (port_ <= 0) {
            error = "cannot listen on " + host;
            return false;
        }
    } else {
        if (!server_.bind_to_port(host, port)) {
            error = "cannot listen on " + host + ":" + std::to_string(port);
            return false;
        }
        port_ = port;
    }
    widenListenBacklog(port_);
    return true;
}

void HttpFront::serve()
{
    server_.listen_after_bind();
}

void HttpFront::stop()
{
    server_.stop();
}

void HttpFront::routeCommands()
{
    server_.Post("/", [this](const httplib::Request &request, httplib::Response &response,
                             const httplib::ContentReader &reader) {
        FormDecoding::PostedForm form;
        if (FormDecoding::readPost(request, reader, kMaxPostBytes, form))
            handleCommand(request, form, response);
        else // the library answers 413 to a declared length over the maximum, before any byte
            refuseUnread(request, form.tooLarge || response.status == 413, response);
    });
}

void HttpFront::refuseUnread(const httplib::Request &request, bool tooLarge, httplib::Response &response)
{
    ReceivedCommand entry;
    entry.remote = request.remote_addr;
    const std::string message = tooLarge ? "请求内容超过16 MB，服务器未处理" : "请求内容不完整，服务器未处理";
    const std::string status = tooLarge ? "413" : "400";
    parts_.received.setResult(parts_.received.add(entry), status, message);
    writeLogLine(request, entry, status, message);
    response.status = tooLarge ? 413 : 400;
    response.set_content(message, "text/plain; charset=utf-8");
}

void HttpFront::handleCommand(const httplib::Request &request, const FormDecoding::PostedForm &form,
                              httplib::Response &response)
{
    ReceivedCommand entry;
    entry.remote = request.remote_addr;
    std::string error;
    std::optional<RequestDocument> document;
    if (const auto xml = FormDecoding::formField(request, form, "xmlFile", error)) {
        entry.xml = *xml;
        document = RequestDocument::parse(*xml, error);
    }
    if (document) {
        entry.command = document->text("Command");
        entry.deskNo = document->text("DeskNo");
    }
    const auto fault = parts_.faults.take(entry.command.empty() ? "?" : entry.command);
    if (fault)
        entry.fault = FaultBook::kindName(fault->kind);
    const auto seq = parts_.received.add(entry);

    if (fault && !keepsReply(fault->kind) && !fault->execute) {
        writeLogLine(request, entry, "-", "not carried out");
        answerWithFault(*fault, request, response);
        return;
    }
    Reply reply = document ? parts_.dispatcher.dispatch(*document) : CommandDispatcher::unreadable(error);
    parts_.received.setResult(seq, reply.returnCode, reply.returnMsg);
    writeLogLine(request, entry, reply.returnCode, reply.returnMsg);
    if (fault && !keepsReply(fault->kind)) {
        answerWithFault(*fault, request, response);
        return;
    }
    if (fault && fault->kind == FaultKind::Delay)
        sleepFor(*fault);
    if (fault && fault->kind == FaultKind::Gb18030)
        reply.extraElements.push_back({"Note", kGb18030OnlyText});
    response.set_content(ReplyWriter::toBytes(reply), kXmlType);
}

void HttpFront::answerWithFault(const Fault &fault, const httplib::Request &request,
                                httplib::Response &response)
{
    switch (fault.kind) {
    case FaultKind::Delay:
    case FaultKind::Gb18030:
        sleepFor(fault);
        response.set_content(ReplyWriter::toBytes(Reply::refused("服务器繁忙")), kXmlType);
        return;
    case FaultKind::Status:
        response.status = fault.status;
        response.set_content("injected status " + std::to_string(fault.status), "text/plain");
        return;
    case FaultKind::NotXml:
        response.set_content(ReplyWriter::encode("服务器内部错误：这不是一个XML文档"), "text/plain");
        return;
    case FaultKind::Drop:
        if (dropConnection(request.local_port, request.remote_addr, request.remote_port))
            return;
        // Not found: cut the answer short instead, which the client sees as a broken transfer.
        response.set_content_provider(1024, "text/plain",
                                      [](std::size_t, std::size_t, httplib::DataSink &) { return false; });
        return;
    }
}

void HttpFront::writeLogLine(const httplib::Request &request, const ReceivedCommand &entry,
                             const std::string &code, const std::string &message)
{
    if (!parts_.log)
        return;
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[16];
    std::strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::string line = std::string(stamp) + " " + request.remote_addr + " " +
                       (entry.command.empty() ? "(unreadable)" : entry.command);
    if (!entry.deskNo.empty())
        line += " DeskNo=" + entry.deskNo;
    if (!entry.fault.empty())
        line += " [fault " + entry.fault + "]";
    line += " -> " + code + " " + message;
    parts_.log(line);
}

void HttpFront::routeDownloads()
{
    server_.Get(".*", [this](const httplib::Request &request, httplib::Response &response) {
        if (parts_.packageName.empty() || request.path != "/" + parts_.packageName) {
            response.status = 404;
            response.set_content("not found", "text/plain");
            return;
        }
        servePackage(request, response);
    });
}

void HttpFront::servePackage(const httplib::Request &request, httplib::Response &response)
{
    const auto fault = parts_.faults.take("@package");
    if (fault && fault->kind != FaultKind::Delay) {
        answerWithFault(*fault, request, response);
        return;
    }
    if (fault)
        sleepFor(*fault);
    auto file = std::make_shared<std::ifstream>(parts_.packagePath, std::ios::binary);
    if (!*file) {
        response.status = 404;
        response.set_content("package file missing", "text/plain");
        return;
    }
    file->seekg(0, std::ios::end);
    const auto size = static_cast<std::size_t>(file->tellg());
    if (parts_.log)
        parts_.log(request.remote_addr + " GET " + request.path + " (" + std::to_string(size) + " bytes)");
    // Streamed in pieces: the package can be hundreds of MB.
    response.set_content_provider(size, "application/zip",
                                  [file](std::size_t offset, std::size_t length, httplib::DataSink &sink) {
                                      std::vector<char> buffer(std::min<std::size_t>(length, 256 * 1024));
                                      file->clear();
                                      file->seekg(static_cast<std::streamoff>(offset));
                                      file->read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                                      const auto got = static_cast<std::size_t>(file->gcount());
                                      return got > 0 && sink.write(buffer.data(), got);
                                  });
}

void HttpFront::routeMakerService()
{
    server_.Get("/update/update.xml", [this](const httplib::Request &request, httplib::Response &response) {
        const auto fault = parts_.faults.take("@update");
        if (fault && !keepsReply(fault->kind)) {
            answerWithFault(*fault, request, response);
            return;
        }
        if (fault)
            sleepFor(*fault);
        response.set_content(parts_.maker.updateXml(), kXmlType);
    });
    server_.Get(
        "/menu/api/ExClientInfo.aspx", [this](const httplib::Request &request, httplib::Response &response) {
            const auto fault = parts_.faults.take("@report");
            if (!fault || fault->execute || keepsReply(fault->kind))
                parts_.maker.recordReport(FormDecoding::parseUrlEncoded(queryOf(request)), queryOf(request));
            if (parts_.log)
                parts_.log(request.remote_addr + " client report " + queryOf(request));
            if (fault && !keepsReply(fault->kind)) {
                answerWithFault(*fault, request, response);
                return;
            }
            if (fault)
                sleepFor(*fault);
            response.set_content("OK", "text/plain");
        });
}

void HttpFront::routeControl()
{
    server_.Get("/__control/commands", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string since = request.get_param_value("since");
        std::int64_t after = 0;
        if (!since.empty() && since.size() < 18 && since.find_first_not_of("0123456789") == std::string::npos)
            after = std::stoll(since);
        sendJson(response, parts_.received.toJson(request.get_param_value("command"), after));
    });
    server_.Post("/__control/clear", [this](const httplib::Request &, httplib::Response &response) {
        parts_.received.clear();
        parts_.maker.clearReports();
        sendJson(response, "{\"cleared\":true}");
    });
    server_.Get("/__control/reports", [this](const httplib::Request &, httplib::Response &response) {
        sendJson(response, parts_.maker.reportsJson());
    });
    server_.Get("/__control/faults", [this](const httplib::Request &, httplib::Response &response) {
        std::string json = "{\"faults\":{";
        bool first = true;
        for (const auto &[key, kinds] : parts_.faults.pending()) {
            json += (first ? "" : ",") + JsonText::quoted(key) + ":[";
            for (std::size_t i = 0; i < kinds.size(); ++i)
                json += (i ? "," : "") + JsonText::quoted(kinds[i]);
            json += "]";
            first = false;
        }
        sendJson(response, json + "}}");
    });
    server_.Post("/__control/faults/clear", [this](const httplib::Request &, httplib::Response &response) {
        parts_.faults.clear();
        sendJson(response, "{\"cleared\":true}");
    });
    server_.Post("/__control/faults", [this](const httplib::Request &request, httplib::Response &response) {
        const std::string key = request.get_param_value("command");
        const auto kind = FaultBook::kindFromName(request.get_param_value("kind"));
        const auto count = intParam(request, "count", 1, 1, 100000);
        const auto delay = intParam(request, "ms", 0, 0, kMaxDelayMs);
        const auto status = intParam(request, "status", 500, 100, 599);
        const auto execute = intParam(request, "execute", 0, 0, 1);
        if (key.empty())
            return sendError(response,
                             "command is required (a command name, @package, @update, @report or *)");
        if (!kind)
            return sendError(response, "kind must be delay, status, notxml, gb18030 or drop");
        if (!count || !delay || !status || !execute)
            return sendError(response, "count, ms, status or execute out of range");
        parts_.faults.add(key, Fault{*kind, *delay, *status, *execute == 1}, *count);
        sendJson(response, "{\"queued\":" + std::to_string(*count) + "}");
    });
    server_.Post("/__control/update", [this](const httplib::Request &request, httplib::Response &response) {
        MakerService::VersionInfo info = parts_.maker.version();
        const auto code = intParam(request, "versionCode", info.versionCode, 0, 999999999);
        if (!code)
            return sendError(response, "versionCode must be a whole number");
        info.versionCode = *code;
        if (request.has_param("versionName"))
            info.versionName = request.get_param_value("versionName");
        if (request.has_param("url"))
            info.url = request.get_param_value("url");
        if (request.has_param("description"))
            info.description = request.get_param_value("description");
        parts_.maker.setVersion(info);
        sendJson(response, "{\"versionCode\":" + std::to_string(info.versionCode) + "}");
    });
    server_.Get("/__control/events", [this](const httplib::Request &, httplib::Response &response) {
        const auto events = parts_.store.transact([](DiningRoom &room) { return room.events(); },
                                                  [](const auto &) { return false; });
        std::string json = "{\"events\":[";
        bool first = true;
        for (const DeskEvent &event : events.value_or(std::vector<DeskEvent>())) {
            using JsonText::quoted;
            json += (first ? "{" : ",{");
            json += "\"id\":" + std::to_string(event.id) + ",\"command\":" + quoted(event.command) +
                    ",\"deskNo\":" + quoted(event.deskNo) + ",\"catNo\":" + quoted(event.catNo) +
                    ",\"foodNo\":" + quoted(event.foodNo) + ",\"qty\":" + std::to_string(event.qty) +
                    ",\"reasonNo\":" + quoted(event.reasonNo) +
                    ",\"reasonName\":" + quoted(event.reasonName) + ",\"userId\":" + quoted(event.userId) +
                    ",\"cashierId\":" + quoted(event.cashierId) + "}";
            first = false;
        }
        sendJson(response, json + "]}");
    });
}
