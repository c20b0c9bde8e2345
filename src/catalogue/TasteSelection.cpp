#include "catalogue/TasteSelection.h"

#include "foundation/CommonUtils.h"
#include "settings/LanguageManager.h"

#include <algorithm>

namespace TasteSelection {

bool add(QList<TasteInfo> &chosen, const TasteInfo &taste)
{
    const bool already = std::any_of(chosen.cbegin(), chosen.cend(),
                                     [&taste](const TasteInfo &other) { return other.TasteNo == taste.TasteNo; });
    if (already)
        return false;
    chosen.append(taste);
    return true;
}

bool setManual(QList<TasteInfo> &chosen, const QString &name, const QString &amountText)
{
    if (name.isEmpty() || TasteInfo::hasInputContainInvalidChar(name))
        return false;
    TasteInfo manual = TasteInfo::genManualTaste();
    manual.TasteName = name;
    if (!amountText.isEmpty()) {
        const std::optional<float> amount = CommonUtils::editedNumber(amountText);
        if (!amount)
            return false;
        manual.TasteAmt = *amount;
    }
    chosen.removeIf([](const TasteInfo &taste) { return taste.isManualTaste(); });
    chosen.append(manual);
    return true;
}

QString cellAmountText(const TasteInfo &taste)
{
    if (taste.TasteAmt <= 0)
        return {};
    if (taste.AmtStyle == u"A")
        return QString::asprintf("￥%.2f", double(taste.TasteAmt));
    return LanguageManager::defaultManager().readString(QStringLiteral("比例")) +
           QString::asprintf("%.2f%%", double(taste.TasteAmt));
}

} // namespace TasteSelection
