#pragma once

#include "SaleLine.h"
#include "SqliteDb.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct OpenDesk {
    std::string deskNo;
    std::string custCount;
    std::string waiterMan;
};

struct StockEntry {
    std::string foodNo;
    double initQty = 0;
    double saleQty = 0;
    double leftQty() const { return initQty - saleQty > 0 ? initQty - saleQty : 0; }
};

// Something done to a table that leaves no trace on its sale list: hurries, wake-ups, returns.
struct DeskEvent {
    std::int64_t id = 0;
    std::string command;
    std::string deskNo;
    std::string catNo;
    std::string foodNo;
    double qty = 0;
    std::string reasonNo;
    std::string reasonName;
    std::string userId;
    std::string cashierId;
};

// The dining room inside one transaction: tables in use, sale lists, stock, operators, handled
// order flow numbers. Only DiningRoomStore::transact hands one out, so every use is serialised.
class DiningRoom {
public:
    explicit DiningRoom(SqliteDb &db) : db_(db) {}

    std::optional<OpenDesk> openDesk(const std::string &deskNo);
    std::map<std::string, OpenDesk> openDesks();
    void openTable(const OpenDesk &desk);
    void updateDesk(const OpenDesk &desk);
    void closeDesk(const std::string &deskNo);
    void moveLines(const std::string &fromDesk, const std::string &toDesk);

    std::vector<SaleLine> lines(const std::string &deskNo);
    std::optional<SaleLine> line(std::int64_t itemseq);
    std::int64_t addLine(const SaleLine &line);
    void setLineQty(std::int64_t itemseq, double qty);
    void setLineFlag(std::int64_t itemseq, const std::string &havePrtFlag, const std::string &printState);
    void deleteLine(std::int64_t itemseq);

    std::optional<StockEntry> stock(const std::string &foodNo);
    std::vector<StockEntry> allStock();
    void setStock(const StockEntry &entry);

    // The answer given to an order pack, and what the pack held (none for packs remembered before
    // contents were kept).
    struct HandledFlow {
        std::string returnMsg;
        std::optional<std::string> content;
    };
    std::optional<HandledFlow> handledFlow(const std::string &devSerial, const std::string &flowNo);
    void rememberFlow(const std::string &devSerial, const std::string &flowNo, const std::string &returnMsg,
                      const std::string &content);

    bool isLoggedIn(const std::string &cashierId);
    void markLoggedIn(const std::string &cashierId);
    std::optional<std::string> password(const std::string &cashierId);
    void setPassword(const std::string &cashierId, const std::string &password);

    void addEvent(const DeskEvent &event);
    std::vector<DeskEvent> events();

    // Set when a statement failed: the transaction is then rolled back.
    bool failed() const { return failed_; }

private:
    void check(bool ok);

    SqliteDb &db_;
    bool failed_ = false;
};

// Owns the server's own SQLite file in the state folder and serialises every use of it.
class DiningRoomStore {
public:
    // Opens (or, with fresh, first deletes) the state file in stateFolder.
    bool open(const std::string &stateFolder, bool fresh, std::string &error);

    // Runs work(DiningRoom &) in one transaction under the store's lock. The transaction commits
    // when accept(result) holds; it is rolled back otherwise, and when a statement failed, in which
    // case the result is nothing.
    template <class Work, class Accept>
    auto transact(Work &&work, Accept &&accept) -> std::optional<decltype(work(std::declval<DiningRoom &>()))>
    {
        std::lock_guard lock(mutex_);
        DiningRoom room(db_);
        if (!db_.exec("BEGIN IMMEDIATE"))
            return std::nullopt;
        auto result = work(room);
        if (room.failed()) {
            db_.exec("ROLLBACK");
            return std::nullopt;
        }
        if (!db_.exec(accept(result) ? "COMMIT" : "ROLLBACK")) {
            db_.exec("ROLLBACK");
            return std::nullopt;
        }
        return result;
    }

private:
    std::mutex mutex_;
    SqliteDb db_;
};
