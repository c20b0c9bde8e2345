#include "catalogue/TasteInfo.h"

#include "foundation/CommonUtils.h"

#include <QStringList>

#include <cmath>

namespace {
const QString kFieldSeparator = QStringLiteral("|");
const QString kRecordSeparator = QStringLiteral("^");
const QString kListSeparator = QStringLiteral(",");
constexpr qsizetype kRecordFields = 6;

// A C-locale decimal; anything unreadable or not finite counts as 0 so it cannot poison amounts.
float readAmount(const QString &text)
{
    bool ok = false;
    const float amount = text.trimmed().toFloat(&ok);
    return ok && std::isfinite(amount) ? amount : 0.0f;
}

template <typename Form> QString joined(const QList<TasteInfo> &tastes, const QString &separator, Form form)
{
    QStringList parts;
    parts.reserve(tastes.size());
    for (const TasteInfo &taste : tastes) {
        if (auto part = form(taste))
            parts.append(*part);
    }
    return parts.join(separator);
}
} // namespace

TasteInfo TasteInfo::genManualTaste()
{
    TasteInfo taste;
    taste.TasteNo = ManualTasteNo;
    taste.AmtStyle = QStringLiteral("A");
    return taste;
}

TasteInfo TasteInfo::fromString(const QString &record)
{
    QStringList fields = record.split(kFieldSeparator);
    if (fields.size() > kRecordFields) {
        const qsizetype nameFields = fields.size() - kRecordFields + 1;
        const QString name = fields.mid(1, nameFields).join(kFieldSeparator);
        fields.remove(1, nameFields);
        fields.insert(1, name);
    }
    const auto field = [&fields](qsizetype index) { return fields.value(index); };

    TasteInfo taste;
    taste.TasteNo = field(0);
    taste.TasteName = field(1);
    taste.TasteCatNo = field(2);
    taste.QtyStyle = field(3);
    taste.AmtStyle = field(4);
    taste.TasteAmt = readAmount(field(5));
    return taste;
}

QString TasteInfo::fullInfoString() const
{
    return TasteNo + kFieldSeparator + TasteName + kFieldSeparator + TasteCatNo + kFieldSeparator + QtyStyle +
           kFieldSeparator + AmtStyle + kFieldSeparator + CommonUtils::format6(TasteAmt);
}

QString TasteInfo::tasteManualString() const
{
    return TasteName + u'\t' + CommonUtils::format6(TasteAmt);
}

QString TasteInfo::displayTasteString() const
{
    if (isAddPercent())
        return TasteAmt > 0 ? TasteName + u'(' + CommonUtils::format2(TasteAmt) + QStringLiteral("%)")
                            : TasteName;
    return TasteAmt != 0 ? TasteName + QStringLiteral("(￥") + CommonUtils::format2(TasteAmt) + u')'
                         : TasteName;
}

bool TasteInfo::isManualTaste() const
{
    return TasteNo == ManualTasteNo;
}

bool TasteInfo::isAddPrice() const
{
    return AmtStyle == u"A";
}

bool TasteInfo::isAddPercent() const
{
    return AmtStyle == u"P";
}

QString TasteInfo::displayTasteString(const QList<TasteInfo> &tastes)
{
    return joined(tastes, kListSeparator,
                  [](const TasteInfo &taste) { return std::optional(taste.displayTasteString()); });
}

QString TasteInfo::guaDanTasteString(const QList<TasteInfo> &tastes)
{
    return joined(tastes, kRecordSeparator,
                  [](const TasteInfo &taste) { return std::optional(taste.fullInfoString()); });
}

std::optional<QList<TasteInfo>> TasteInfo::parseGuadanTasteString(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    QList<TasteInfo> tastes;
    // An empty piece ("a^^b") is no taste: read as one it would send an empty taste number.
    for (const QString &record : text.split(kRecordSeparator, Qt::SkipEmptyParts))
        tastes.append(fromString(record));
    return tastes;
}

QString TasteInfo::sendTasteDefString(const QList<TasteInfo> &tastes)
{
    return joined(tastes, kListSeparator, [](const TasteInfo &taste) {
        return taste.isManualTaste() ? std::nullopt : std::optional(taste.TasteNo);
    });
}

QString TasteInfo::sendTasteManualString(const QList<TasteInfo> &tastes)
{
    return joined(tastes, kListSeparator, [](const TasteInfo &taste) {
        return taste.isManualTaste() ? std::optional(taste.tasteManualString()) : std::nullopt;
    });
}

bool TasteInfo::hasInputContainInvalidChar(const QString &text)
{
    for (QChar c : text) {
        if (c == u',' || c == u'|' || c == u'^' || c == u'\t')
            return true;
    }
    return false;
}

float TasteInfo::surcharge(const QList<TasteInfo> &tastes, float baseAmount)
{
    float added = 0;
    for (const TasteInfo &taste : tastes) {
        if (taste.isAddPrice())
            added += taste.TasteAmt;
        else if (taste.isAddPercent())
            added += baseAmount * taste.TasteAmt / 100;
    }
    return added;
}

TasteManager &TasteManager::defaultManager()
{
    static TasteManager manager;
    return manager;
}
