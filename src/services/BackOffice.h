#pragma once

#include "server/ServerRecords.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// What the screens ask of the ordering server and the maker's service besides the order, the
// tables' commands and the staff: the sold-out list and its poll, the tables' live states, whether
// the server answers, the client report and app-update check, and the base data package. Outcomes
// come on the main thread, and only while the asking screen (`owner`) lives.
namespace BackOffice {

// Whether the server answered the last reachability check; `recheckServer` starts a new one.
bool serverReachable();
void recheckServer();

// The sold-out poll: started with the menu, following the settings' switch and interval.
void startSoldOutPoll();
// After the settings changed: a running poll takes the new interval, or stops when switched off.
void followSoldOutSettings();
// The server's sold-out list (every dish on it, whatever is left), under the blocking indicator. A
// refusal or failure shows its notice; an unreadable reply changes nothing.
void fetchSoldOutList(QObject *owner, std::function<void(const QList<Row3> &rows)> onRows);

// Every table's live state ("GetRoomDeskState"), without an indicator of its own. `told` gets the
// rows of an accepted reply, or nothing after anything else: a refusal (shown as an information
// with the server's message), a transport failure (shown with its full description), a reply that
// cannot be read or has no code (silent). False when the same request is already on its way.
bool fetchTableStates(QObject *owner, std::function<void(const std::optional<QList<Row>> &rows)> told);

// Tells the maker's service about this terminal and asks whether a newer version exists; both run in
// the background and stay silent on any failure.
void reportAndCheckForUpdate();

// Starts downloading and installing the base data package; false when one is already under way.
bool beginBaseDataDownload();
// Deletes the installed base data and pictures; reload the catalogue afterwards.
void deleteBaseData();

} // namespace BackOffice
