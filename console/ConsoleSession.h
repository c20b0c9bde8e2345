#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"
#include "dining/DishOperations.h"
#include "order/OrderManager.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DiningRoom;
class PopRootViewController;
struct ClientCommand;

// The console's side of the terminal: it runs one command per input line against the ordering
// core, stands in for the order list (what it does after a send, a hold or a restore) and answers
// the pop-ups the core asks for from the arguments of the command that caused them.
// Everything runs on the main thread; a command that talks to the server returns once its outcome
// has been printed.
class ConsoleSession : public QObject {
public:
    ConsoleSession();
    ~ConsoleSession() override;

    // Runs one line of input; false once the console should end ("quit").
    bool execute(const QString &line);
    // Lets work still under way (tasks, requests, queued messages) finish before the end.
    void finish();

private:
    using Line = OrderManager::Line;
    using Command = void (ConsoleSession::*)(const QStringList &args);

    // What the pop-ups opened by the current "add" answer.
    struct AddAnswers {
        float qty = 1;
        std::optional<QString> size;
        QList<QPair<qsizetype, QString>> swaps;
        QStringList tastes;
    };

    void registerCommands();
    void observeOrderList();
    void registerPopupAnswers();

    // Helpers shared by the commands.
    OrderManager &orders() const { return OrderManager::defaultManager(); }
    std::optional<Food> findFood(const QString &foodno) const;
    // The line at a 1-based position, or an error printed.
    Line lineAt(const QString &position) const;
    bool requireLogin() const;
    bool requireArgs(const QStringList &args, qsizetype least, qsizetype most, const char *usage) const;
    void orderListChanged() const;
    // Runs the event loop until `finished` or the time is up; false on time-out.
    bool waitFor(const std::function<bool()> &finished, qint64 msecs) const;
    // Delivers what is queued on the main thread (chained pop-ups, task results, messages).
    void settle() const;
    // As long as `exchanges` exchanges with the server can last one after the other: each its
    // configured time-out and the reading of the largest reply accepted. A command never gives up
    // on an exchange that may still end.
    qint64 exchangeWaitMs(int exchanges) const;

    // Pop-up answers.
    PopRootViewController *answerSizeChooser(const QVariantList &args);
    PopRootViewController *answerSetMealDetails(const QVariantList &args);
    PopRootViewController *answerQuickTasteSetter(const QVariantList &args);

    // Commands: settings and server.
    void server(const QStringList &args);
    void set(const QStringList &args);
    void save(const QStringList &args);
    void login(const QStringList &args);
    void logout(const QStringList &args);
    void send(const QStringList &args);
    void soldout(const QStringList &args);
    // Commands: the base-data package.
    void update(const QStringList &args);
    void deletedata(const QStringList &args);
    // Commands: the menu and the order.
    void dishes(const QStringList &args);
    void pages(const QStringList &args);
    void detail(const QStringList &args);
    void search(const QStringList &args);
    void quick(const QStringList &args);
    void add(const QStringList &args);
    void remove(const QStringList &args);
    void qty(const QStringList &args);
    void step(const QStringList &args);
    void deleteLine(const QStringList &args);
    void taste(const QStringList &args);
    void remark(const QStringList &args);
    void price(const QStringList &args);
    void gift(const QStringList &args);
    void ungift(const QStringList &args);
    void state(const QStringList &args);
    void table(const QStringList &args);
    void lines(const QStringList &args);
    void totals(const QStringList &args);
    void xml(const QStringList &args);
    // Commands: held orders.
    void hold(const QStringList &args);
    void held(const QStringList &args);
    void log(const QStringList &args);
    void restore(const QStringList &args);
    void clear(const QStringList &args);
    // Commands: the outbox.
    void queue(const QStringList &args);
    void outbox(const QStringList &args);
    void waitOutbox(const QStringList &args);

    // Commands: the table board.
    void tables(const QStringList &args);
    void openTable(const QStringList &args);
    void editTable(const QStringList &args);
    void moveTable(const QStringList &args);
    void mergeTables(const QStringList &args);
    void cancelTable(const QStringList &args);
    void hurry(const QStringList &args);
    void release(const QStringList &args);
    void returnDish(const QStringList &args);
    void weigh(const QStringList &args);
    void bill(const QStringList &args);
    void print(const QStringList &args);
    // The console's side of the dining room: a repeat of a print, hurry or release is asked for by
    // typing the same command again.
    void registerRepeatQuestion();
    DiningRoom &dining() const;
    // Runs an exchange of the dining room, begun by `start` with a context that lives as long as
    // this call, until it calls its `finished`, or until `exchanges` exchanges' time is up.
    using DiningStart = std::function<void(QObject *context, std::function<void()> finished)>;
    void awaitDining(int exchanges, const DiningStart &start) const;
    // Sends a table command (or a dish operation's selection) and waits: the outcome is
    // printed as the screens show it ("ok:", "error:", "error: 结果未知：…"), and after an unknown
    // outcome the tables' state as a notice.
    void runTableCommand(const std::optional<ClientCommand> &command) const;
    void runSelection(int operation, const QList<LeftMenu> &selection) const;

    // Checks an "add" before anything is ordered, so a bad argument orders nothing.
    bool checkAddAnswers(const Food &food, const AddAnswers &answers) const;
    QList<Guadan> heldOrders() const;

    QHash<QString, Command> commands_;
    AddAnswers answers_;
    bool quit_ = false;
};
