// The kept order's text form. JSON rather than the held-order XML: every field is kept as it is,
// floats exactly (the shortest text that reads back as the same number), 64-bit numbers as text,
// and set-meal links as positions.

#include "order/OrderSnapshot.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
using Fields = QJsonObject;

QJsonArray tastesToJson(const QList<TasteInfo> &tastes)
{
    QJsonArray out;
    for (const TasteInfo &taste : tastes) {
        out.append(Fields{{QStringLiteral("TasteNo"), taste.TasteNo},
                          {QStringLiteral("TasteName"), taste.TasteName},
                          {QStringLiteral("TasteCatNo"), taste.TasteCatNo},
                          {QStringLiteral("QtyStyle"), taste.QtyStyle},
                          {QStringLiteral("AmtStyle"), taste.AmtStyle},
                          {QStringLiteral("TasteAmt"), double(taste.TasteAmt)}});
    }
    return out;
}

QList<TasteInfo> tastesFromJson(const QJsonArray &array)
{
    QList<TasteInfo> tastes;
    for (const QJsonValue &value : array) {
        const Fields f = value.toObject();
        TasteInfo taste;
        taste.TasteNo = f.value(QStringLiteral("TasteNo")).toString();
        taste.TasteName = f.value(QStringLiteral("TasteName")).toString();
        taste.TasteCatNo = f.value(QStringLiteral("TasteCatNo")).toString();
        taste.QtyStyle = f.value(QStringLiteral("QtyStyle")).toString();
        taste.AmtStyle = f.value(QStringLiteral("AmtStyle")).toString();
        taste.TasteAmt = float(f.value(QStringLiteral("TasteAmt")).toDouble());
        tastes.append(taste);
    }
    return tastes;
}

// The texts and floats of a line, each under its field's name.
struct TextField {
    const char *name;
    QString FoodOrder::*member;
};
struct FloatField {
    const char *name;
    float FoodOrder::*member;
};

const TextField kTexts[] = {
    {"foodno", &FoodOrder::foodno},           {"catno", &FoodOrder::catno},
    {"foodName", &FoodOrder::foodName},       {"foodSubName", &FoodOrder::foodSubName},
    {"FoodType", &FoodOrder::FoodType},       {"currpriceFlag", &FoodOrder::currpriceFlag},
    {"TjFlag", &FoodOrder::TjFlag},           {"TempFoodFlag", &FoodOrder::TempFoodFlag},
    {"spellName", &FoodOrder::spellName},     {"unitname", &FoodOrder::unitname},
    {"itemsize", &FoodOrder::itemsize},       {"Remark", &FoodOrder::Remark},
    {"PrintState", &FoodOrder::PrintState},   {"bcatName", &FoodOrder::bcatName},
    {"scatName", &FoodOrder::scatName},       {"suitno", &FoodOrder::suitno},
    {"forceChange", &FoodOrder::forceChange}, {"OrgFoodNo", &FoodOrder::OrgFoodNo},
    {"sellWay", &FoodOrder::sellWay},         {"authID", &FoodOrder::authID},
};

const FloatField kFloats[] = {
    {"salePrice1", &FoodOrder::salePrice1},   {"salePrice2", &FoodOrder::salePrice2},
    {"salePrice3", &FoodOrder::salePrice3},   {"MemberPrice", &FoodOrder::MemberPrice},
    {"suitFoodQty", &FoodOrder::suitFoodQty}, {"changeAmt", &FoodOrder::changeAmt},
    {"orderQty", &FoodOrder::orderQty},
};

Fields lineToJson(const FoodOrder &line, qsizetype parent)
{
    Fields f;
    for (const TextField &field : kTexts)
        f.insert(QLatin1StringView(field.name), line.*field.member);
    for (const FloatField &field : kFloats)
        f.insert(QLatin1StringView(field.name), double(line.*field.member));
    f.insert(QStringLiteral("suiteIndex"), QString::number(line.suiteIndex));
    f.insert(QStringLiteral("suitIndex"), line.suitIndex);
    f.insert(QStringLiteral("itemSeq"), QString::number(line.itemSeq));
    f.insert(QStringLiteral("isZengSong"), line.isZengSong());
    f.insert(QStringLiteral("arrTaste"), tastesToJson(line.arrTaste));
    f.insert(QStringLiteral("parent"), qint64(parent));
    return f;
}

FoodOrder lineFromJson(const Fields &f)
{
    FoodOrder line;
    // The gift mark first: it sets `sellWay`, which is then read as it was kept.
    line.setIsZengSong(f.value(QStringLiteral("isZengSong")).toBool());
    for (const TextField &field : kTexts)
        line.*field.member = f.value(QLatin1StringView(field.name)).toString();
    for (const FloatField &field : kFloats)
        line.*field.member = float(f.value(QLatin1StringView(field.name)).toDouble());
    line.suiteIndex = f.value(QStringLiteral("suiteIndex")).toString().toLongLong();
    line.suitIndex = f.value(QStringLiteral("suitIndex")).toInt();
    line.itemSeq = f.value(QStringLiteral("itemSeq")).toString().toULongLong();
    line.arrTaste = tastesFromJson(f.value(QStringLiteral("arrTaste")).toArray());
    return line;
}

void putOptional(Fields &f, const char *name, const std::optional<QString> &value)
{
    if (value)
        f.insert(QLatin1StringView(name), *value);
}

std::optional<QString> takeOptional(const Fields &f, const char *name)
{
    const QJsonValue value = f.value(QLatin1StringView(name));
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

QString compact(const QJsonValue &value)
{
    const QJsonDocument doc =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}
} // namespace

KeptOrderRow OrderSnapshot::toRow() const
{
    Fields header;
    putOptional(header, "PosNo", pack.PosNo);
    putOptional(header, "DeskNo", pack.DeskNo);
    putOptional(header, "WaiterMan", pack.WaiterMan);
    putOptional(header, "CustCount", pack.CustCount);
    putOptional(header, "UniqueFlowNo", pack.UniqueFlowNo);
    header.insert(QStringLiteral("arrTaste"), tastesToJson(pack.arrTaste));

    QJsonArray out;
    for (qsizetype i = 0; i < lines.size(); ++i)
        out.append(lineToJson(lines.at(i), parents.value(i, -1)));
    return {compact(header), compact(out), locked};
}

std::optional<OrderSnapshot> OrderSnapshot::fromRow(const KeptOrderRow &row)
{
    QJsonParseError headerError, linesError;
    const QJsonDocument header = QJsonDocument::fromJson(row.pack.toUtf8(), &headerError);
    const QJsonDocument lines = QJsonDocument::fromJson(row.lines.toUtf8(), &linesError);
    if (headerError.error != QJsonParseError::NoError || linesError.error != QJsonParseError::NoError ||
        !header.isObject() || !lines.isArray())
        return std::nullopt;

    OrderSnapshot snapshot;
    const Fields h = header.object();
    snapshot.pack.PosNo = takeOptional(h, "PosNo");
    snapshot.pack.DeskNo = takeOptional(h, "DeskNo");
    snapshot.pack.WaiterMan = takeOptional(h, "WaiterMan");
    snapshot.pack.CustCount = takeOptional(h, "CustCount");
    snapshot.pack.UniqueFlowNo = takeOptional(h, "UniqueFlowNo");
    snapshot.pack.arrTaste = tastesFromJson(h.value(QStringLiteral("arrTaste")).toArray());
    snapshot.locked = row.locked;

    const QJsonArray array = lines.array();
    for (const QJsonValue &value : array) {
        if (!value.isObject())
            return std::nullopt;
        const Fields f = value.toObject();
        snapshot.lines.append(lineFromJson(f));
        snapshot.parents.append(f.value(QStringLiteral("parent")).toInteger(-1));
    }
    // A component names a set meal of the same order; anything else is not an order this program wrote.
    for (qsizetype i = 0; i < snapshot.parents.size(); ++i) {
        const qsizetype parent = snapshot.parents.at(i);
        if (parent != -1 &&
            (parent < 0 || parent >= snapshot.lines.size() || !snapshot.lines.at(parent).isTFoodType()))
            return std::nullopt;
    }
    // A kept order always has lines and a flow number: it is what a send would identify it by.
    if (snapshot.lines.isEmpty() || !snapshot.pack.UniqueFlowNo)
        return std::nullopt;
    return snapshot;
}
