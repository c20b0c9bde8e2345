#pragma once

#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

// A cooking method or remark of an order line or of the whole order, from the catalogue (table
// TasteInfo) or typed by the waiter (a manual taste). It is also the codec of every text form in
// which tastes travel, so no screen builds these texts itself.
struct TasteInfo {
    static inline const QString ManualTasteNo = QStringLiteral("-999");

    QString TasteNo;
    QString TasteName;
    QString TasteCatNo;
    // Carried in the held-order form only.
    QString QtyStyle;
    // "A" fixed surcharge, "P" percentage of the line's amount, anything else none.
    QString AmtStyle;
    float TasteAmt = 0;

    // A new manual taste: number "-999", style "A", no text, amount 0.
    static TasteInfo genManualTaste();

    // Reads the record form. Missing fields read as empty text and 0. When a name holds "|", the
    // record has more than six fields: number first, the last four fields fixed, the rest the name.
    static TasteInfo fromString(const QString &record);
    // The record form "No|Name|CatNo|QtyStyle|AmtStyle|Amt", the amount with six decimals.
    QString fullInfoString() const;
    // The manual send form: name, a tab, the amount with six decimals.
    QString tasteManualString() const;
    // "加辣(10.00%)", "加辣(￥3.00)" or the plain name when there is no surcharge to show.
    QString displayTasteString() const;

    bool isManualTaste() const;
    bool isAddPrice() const;
    bool isAddPercent() const;

    // The display forms joined by ",".
    static QString displayTasteString(const QList<TasteInfo> &tastes);
    // The held-order form: record forms joined by "^".
    static QString guaDanTasteString(const QList<TasteInfo> &tastes);
    // No list for an empty text; empty pieces between "^" are skipped.
    static std::optional<QList<TasteInfo>> parseGuadanTasteString(const QString &text);
    // The numbers of the catalogue tastes joined by ",".
    static QString sendTasteDefString(const QList<TasteInfo> &tastes);
    // The manual send forms of the manual tastes joined by ",".
    static QString sendTasteManualString(const QList<TasteInfo> &tastes);
    // A typed taste may not hold the separators ",", "|", "^" or a tab.
    static bool hasInputContainInvalidChar(const QString &text);

    // What the tastes add to `baseAmount`: each "A" taste its amount once, each "P" taste its
    // percentage of the same base (not compounded).
    static float surcharge(const QList<TasteInfo> &tastes, float baseAmount);

    bool operator==(const TasteInfo &) const = default;
};

Q_DECLARE_METATYPE(TasteInfo)

// The shared taste manager; it holds nothing, all taste rules live in TasteInfo.
class TasteManager {
public:
    static TasteManager &defaultManager();

private:
    TasteManager() = default;
};
