#pragma once

#include "catalogue/FoodInfo.h"
#include "server/ClientCommand.h"
#include "server/ServerRecords.h"

#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <optional>

// One selection entry of the dish-operation dialog: what it asks for (`style`) and the value
// chosen for it. `name` is the label's text before the string table.
struct LeftMenu {
    enum Style {
        TableStyle = 0,
        BigCatStyle = 1,
        SmallCatStyle = 2,
        DishStyle = 3,
        AmountStyle = 4,
        ReasonStyle = 5
    };
    QString name;
    int style = TableStyle;
    QString tableno;
    QString bCatno;
    QString sCatno;
    QString foodno;
    QString itemseq;
    QString amount;
    QString reason;
    bool isChecked = false;

    // What the entry's row shows as its value (the quantity field shows `amount` itself).
    QString value() const;
    bool operator==(const LeftMenu &) const = default;
};
Q_DECLARE_METATYPE(LeftMenu)

// The rules of the dish operations (hurry, release, return, weigh) shared by the dialog, the board
// and the console: the entries, the checks of a confirmation, the commands, the candidate dishes of
// a table's sale list and the bill's lines.
namespace DishOperations {
enum Operation { Hurry = 0, Release = 1, Return = 2, Weigh = 3 };

// The dialog's title (a text to look up) and its entries for `tableno`.
QString titleKey(int operation);
QList<LeftMenu> entriesFor(int operation, const QString &tableno);
// The index of the entry first selected: "按桌台" for hurry and release, "菜品" for return and weigh.
int firstSelected(int operation);

// Whether the text is a quantity greater than 0: digits with at most one point, the whole text.
bool isPositiveQuantity(const QString &text);
// The first refusal of a confirmation (a text to look up), empty when it may go. Hurry and release
// look at the selected entry only; return and weigh at every entry in list order.
QString confirmProblem(int operation, const QList<LeftMenu> &entries, int selected);

// The command of a confirmed hurry or release for its entry; absent for a style that names nothing.
std::optional<ClientCommand> hurryCommand(int operation, const LeftMenu &entry);
// The command of a confirmed return or weigh for the entry list; a field whose entry is missing is
// left out.
std::optional<ClientCommand> listCommand(int operation, const QList<LeftMenu> &entries);
// The command of what a confirmed dialog hands back: the entry for hurry and release, the list for
// return and weigh.
std::optional<ClientCommand> selectionCommand(int operation, const QList<LeftMenu> &selection);

// The dishes a table has ordered, as candidates: for each catalogue dish in catalogue order, one
// copy per sold line of it in reply order, carrying the line's name, `itemseq`, price and quantity.
// Lines of dishes the catalogue does not know are left out.
QList<FoodInfo> soldDishes(const QList<FoodInfo> &catalogue, const QList<Row2> &lines);
// Whether one of the texts contains the key, ignoring letter case; an empty key matches all.
bool matchesKey(const QStringList &texts, const QString &key);

// A text read as a number the way the bill and the board read it: anything else, and a number no
// float holds (NaN, infinite), is 0.
float readNumber(const std::optional<QString> &text);
// One line of a bill: the texts as received and the amount ("%.2f" of quantity x price).
struct BillLine {
    QString pluno;
    QString pluName;
    QString saleQty;
    QString SalePrice;
    QString amount;
    bool operator==(const BillLine &) const = default;
};
QList<BillLine> billLines(const QList<Row2> &lines);
// The sum of the line amounts, in list order.
float billTotal(const QList<Row2> &lines);
// "总计：67.00" in the current language.
QString billTotalText(float total);
} // namespace DishOperations
