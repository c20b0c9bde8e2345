#pragma once
// Catalogue records built in code, shared by the catalogue, storage and order tests.
#include "catalogue/CatalogueRecords.h"
#include "catalogue/TasteInfo.h"
#include "foundation/AppPaths.h"
#include "settings/LanguageManager.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// One field of every item, for comparing whole lists at once.
template <typename T, typename F> QStringList mapped(const QList<T> &list, F field)
{
    QStringList out;
    for (const T &item : list)
        out.append(field(item));
    return out;
}

inline QStringList foodnos(const QList<Food> &foods)
{
    return mapped(foods, [](const Food &f) { return f.info->foodno; });
}

// A catalogue taste of category "3", counted per unit ("1").
inline TasteInfo taste(const QString &no, const QString &name, const QString &style, float amount)
{
    return TasteInfo{no, name, u"3"_s, u"1"_s, style, amount};
}

inline TasteInfo manual(const QString &name, float amount)
{
    TasteInfo typed = TasteInfo::genManualTaste();
    typed.TasteName = name;
    typed.TasteAmt = amount;
    return typed;
}

// Loads an English table of our own from `resources`, so the texts do not depend on the shipped one.
inline void loadEnglish(QTemporaryDir &resources, const QByteArray &json, bool announce = false)
{
    QFile file(resources.filePath(LanguageManager::kEnglish));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(json) > 0);
    file.close();
    AppPaths::setResourcesDir(resources.path());
    LanguageManager::defaultManager().loadLanguage(LanguageManager::kEnglish, announce);
}
