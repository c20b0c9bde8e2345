#pragma once

#include "server/ClientCommand.h"
#include "server/ServerRecords.h"

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <optional>

struct ServerError;

// The dining-room commands (table, return, weigh, hurry, release, print) whose outcome the terminal
// never learnt: no reply, a dropped connection, a time-out, a server error (5xx) or a reply it could
// not read. The server may have carried them out. None carries anything the server could recognise
// a repeat by, so a repeat must not be sent blindly:
// - a return is sent again only when the table's sale list shows it was not done (the dish's
//   quantity has not fallen by the returned quantity since the sale list read before it);
// - a print, hurry or release is sent again only after the waiter confirmed it;
// - a table operation is sent again; when the server refuses it, the tables' actual state is the
//   answer, not the refusal (the first try may well have done it).
// A definite answer (accepted, or refused) forgets the command. The screens and the console share the
// one process-wide record.
class UncertainOutcomes {
public:
    // How an exchange ended, for these rules.
    enum class Outcome { Accepted, Refused, Unknown };
    // What a repeat of a command needs.
    enum class Repeat { Send, CheckSaleList, Confirm, ReportStateOnRefusal };

    static UncertainOutcomes &sharedInstance();

    // A transport failure: refused when the server answered that it did not take the request,
    // unknown otherwise.
    static Outcome outcomeOf(const ServerError &error);
    // An answered exchange: accepted for return code "0", refused for any other code, unknown when
    // the reply could not be read.
    static Outcome outcomeOf(bool readable, const std::optional<QString> &returnCode);

    // What sending `command` needs now: Send unless its earlier outcome is unknown.
    Repeat repeatOf(const ClientCommand &command) const;

    // `command` is about to be sent: its outcome is unknown until ended() says otherwise. For a
    // return, `quantityBefore` is the dish's quantity on the table read just before (quantityOf).
    void sending(const ClientCommand &command, std::optional<float> quantityBefore = std::nullopt);
    // How the exchange of `command` ended: a definite answer forgets it, an unknown one keeps it.
    void ended(const ClientCommand &command, Outcome outcome);
    // The waiter confirmed, or (console) asked a second time for, the repeat of a print, hurry or
    // release: it is sent.
    void confirmed(const ClientCommand &command);
    // A return whose outcome was unknown, with the dish's quantity on the table now: true when the
    // quantity has already fallen by the returned quantity (it was done; nothing is sent, and the
    // return is forgotten).
    bool returnWasDone(const ClientCommand &command, float quantityNow);

    // The dish's quantity on the table: the sum over its lines of the sale list.
    static float quantityOf(const QList<Row2> &saleList, const QString &foodno);
    // The tables a command is about, in the order of its fields (table, source, destination).
    static QStringList tablesOf(const ClientCommand &command);
    // The confirmation asked before repeating a print, hurry or release (a text to look up).
    static QString repeatQuestionKey(const ClientCommand &command);

    // Forgets everything (tests).
    void clear();

private:
    // Present while the command's outcome is unknown.
    struct Entry {
        bool confirmed = false;
        std::optional<float> quantityBefore;
    };
    static QString keyOf(const ClientCommand &command);

    mutable QMutex mutex_;
    QHash<QString, Entry> entries_;
};
