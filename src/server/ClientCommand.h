#pragma once

#include <QString>

#include <optional>

// One request to the ordering server (every one but the order pack): named text fields rendered as
// one XML document. A field left unset writes no element; set to empty text it writes an empty
// element. Elements follow the order of the fields below.
struct ClientCommand {
    std::optional<QString> posNo;
    std::optional<QString> command;
    std::optional<QString> userID;
    // As typed, in clear.
    std::optional<QString> userPassword;
    std::optional<QString> DeskNo;
    std::optional<QString> CustCount;
    std::optional<QString> WaiterMan;
    std::optional<QString> SourceDeskNo;
    std::optional<QString> DestDeskNo;
    std::optional<QString> CatNo;
    std::optional<QString> FoodNo;
    std::optional<QString> FoodQty;
    // A return reason's `reasonNo`.
    std::optional<QString> ReturnReason;
    // A line of the table's sale list.
    std::optional<QString> itemseq;
    std::optional<QString> RoomNo;
    // Write "<CashierID/>" when nobody has an account id.
    bool genEmptyCashierIDNode = false;
    // Write "<RoomNo/>" whatever `RoomNo` holds.
    bool genEmptyRoomNoNode = false;

    // The terminal's "<DevSerial>…</DevSerial>" element, the same for every command of the run.
    QString devSerial() const;
    // The document. The operator's account id is read now, as the cashier.
    QString toString() const;
};
