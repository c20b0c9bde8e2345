#pragma once

#include <QString>

#include <optional>

// The typed part of the settings page (server address, terminal number, port, timeout, bound
// table, sold-out interval), checked as a whole before any of it is applied, so that a refused
// save changes nothing.
namespace SettingsForm {
struct Input {
    QString ip;
    QString posNum;
    QString port;
    QString timeout;
    QString bindTableNo;
    QString interval;
    bool lockTable = false;
    bool autoRefreshSoldOut = false;
};

struct Values {
    std::optional<QString> ip; // absent: keep the current address
    QString posNum;
    QString port;
    qint64 timeout = 0;
    QString bindTableNo;
    qint64 interval = 0;
};

struct Result {
    // The message (its Chinese key) of the first check that failed; empty when all passed.
    QString error;
    Values values;
};

// Checks in this order: address, terminal number, port, timeout, bound table, interval.
// - The address is trimmed; empty keeps the current one, and one holding a character that no host
//   name holds ("/", "@", "?", "#", "\", blanks) is refused.
// - Terminal number and timeout: digits and points only ("请输入正确的点菜机号",
//   "请输入正确的通讯等待时间"); the timeout keeps its leading whole number.
// - Port: a whole number from 1 to 65535 ("请输入正确的服务器端口").
// - A bound table is required while binding is on; an interval while sold-out refresh is on,
//   and an interval that is no number reads as 0.
Result check(const Input &input);

// The leading whole number of a text ("80.30" -> 80, "12ab" -> 12); 0 when it starts otherwise.
qint64 integerValue(const QString &text);
// Whether `host` (already trimmed) could name a server: no character a host name cannot hold.
bool isPlausibleHost(const QString &host);
} // namespace SettingsForm
