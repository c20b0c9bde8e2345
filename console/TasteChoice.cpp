#include "TasteChoice.h"

#include "catalogue/TasteSelection.h"
#include "settings/LanguageManager.h"
#include "storage/DBManager.h"

namespace {
const QString kManualPrefix = QStringLiteral("manual:");
}

TasteChoice::TasteChoice(const QString &style, const QString &foodno)
{
    DBManager::defaultManager().getTasteInfoByStyle(style, foodno,
                                                    [this](const QList<TasteCatInfo> &categories,
                                                           const QList<TasteInfo> &,
                                                           const DBManager::TasteMap &byCategory) {
                                                        for (const TasteCatInfo &category : categories)
                                                            offered_ += byCategory.value(category.TasteCatNo);
                                                    });
}

std::optional<QList<TasteInfo>> TasteChoice::choose(const QStringList &words, QString *error) const
{
    QList<TasteInfo> chosen;
    for (const QString &word : words) {
        if (word.startsWith(kManualPrefix)) {
            const QString rest = word.mid(kManualPrefix.size());
            const qsizetype colon = rest.lastIndexOf(u':');
            const QString name = colon < 0 ? rest : rest.left(colon);
            const QString amount = colon < 0 ? QString() : rest.mid(colon + 1);
            if (name.isEmpty()) {
                *error = LanguageManager::defaultManager().readString(QStringLiteral("请输入做法"));
                return std::nullopt;
            }
            if (TasteInfo::hasInputContainInvalidChar(name)) {
                *error = QStringLiteral("a typed taste may not hold \",\", \"|\", \"^\" or a tab: ") + name;
                return std::nullopt;
            }
            if (!TasteSelection::setManual(chosen, name, amount)) {
                *error = QStringLiteral("not a surcharge: ") + amount;
                return std::nullopt;
            }
            continue;
        }
        const auto offered = std::find_if(offered_.cbegin(), offered_.cend(),
                                          [&word](const TasteInfo &taste) { return taste.TasteNo == word; });
        if (offered == offered_.cend()) {
            *error = QStringLiteral("no such taste here: ") + word;
            return std::nullopt;
        }
        TasteSelection::add(chosen, *offered);
    }
    return chosen;
}
