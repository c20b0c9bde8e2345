#pragma once

#include "dining/DishOperations.h"
#include "server/ClientCommand.h"
#include "server/ServerRecords.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

// The dining room as the table screens and the console's table commands work it: the tables' states
// and a table's sale list as the server has them, and the dining-room commands (table operations,
// hurry, release, return, weigh, the bill's print), all through the one server exchange.
//
// Commands go under the rules for commands whose earlier outcome is unknown (UncertainOutcomes): a
// print, hurry or release repeated after an unknown outcome is asked about first; the outcome is
// shown as the server's message ("操作成功" without one), its refusal, or "结果未知：…" with the
// failure; a refusal of a table operation repeated after an unknown outcome reports the tables'
// state instead of the refusal.
//
// Every answer arrives on the main thread while its `context` lives, after its notice; one that
// comes after the context is gone touches nothing.
class DiningRoom {
public:
    // Reported: refused, and the tables' state shown instead (a table operation repeated after an
    // unknown outcome). NotSent: the waiter declined the repeat, a return turned out already done,
    // or the same exchange is still on its way.
    enum class Result { Accepted, Refused, Reported, Unknown, NotSent };
    using Done = std::function<void(Result)>;
    // What a read that brings nothing shows besides a transport failure, which is always shown:
    // the board's refresh keeps quiet about a reply it cannot read, the dish dialog's list about any.
    enum class Shown { Everything, RefusalsOnly, FailuresOnly };
    // Asks the waiter whether to repeat a print, hurry or release; `answer(true)` sends it.
    using RepeatQuestion =
        std::function<void(const ClientCommand &command, std::function<void(bool)> answer)>;

    DiningRoom();
    virtual ~DiningRoom() = default;

    // The state rows of every table, or absent when the server gave none.
    virtual void readStates(QObject *context, Shown shown,
                            std::function<void(const std::optional<QList<Row>> &rows)> done);
    // A table's sale lines (when weighing, only those waiting for their weight), or absent.
    virtual void readSaleList(QObject *context, const QString &tableNo, bool weighing, Shown shown,
                              std::function<void(const std::optional<QList<Row2>> &lines)> done);
    // "桌台现状：…" of these tables as a notice: Reported once shown, Refused when not read.
    virtual void reportStates(QObject *context, const QStringList &tableNos, Done done);

    // Sends a dining-room command. `quantityBefore`: for a return, the dish's quantity on the table
    // read just before.
    virtual void send(QObject *context, const ClientCommand &command, Done done,
                      std::optional<float> quantityBefore = std::nullopt);
    // Asks the server to print the table's bill ("PrintDeskBill").
    virtual void printBill(QObject *context, const QString &tableNo, Done done);
    // The command of a dish operation's confirmed selection. A return reads the table's sale list
    // first and sends nothing when a repeat of a return whose outcome was unknown finds it done.
    virtual void sendSelection(QObject *context, int operation, const QList<LeftMenu> &selection, Done done);

    // How the waiter is asked before a repeat; a confirmation dialog unless set.
    void setRepeatQuestion(RepeatQuestion question) { askRepeat_ = std::move(question); }

private:
    RepeatQuestion askRepeat_;
};
