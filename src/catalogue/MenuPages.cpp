#include "catalogue/MenuPages.h"

MenuGrid menuGridForLayout(int layout)
{
    switch (layout) {
    case 1:
        return {2, 4};
    case 2:
        return {3, 4};
    default:
        return {2, 3};
    }
}

int MenuPages::pageOf(int bigIndex, int smallIndex) const
{
    int page = 0;
    while (page < pageCount() && arrAllPages.at(page).bigCategory != bigIndex)
        ++page;
    for (; page < pageCount(); ++page) {
        if (arrAllPages.at(page).smallCategory == smallIndex)
            return page;
    }
    return -1;
}

namespace {
// The categories before pruning, each remembering its big category's place.
struct Candidate {
    FoodSmallCatInfo category;
    int big = 0;
};

QList<Candidate> smallCategories(const QList<FoodBigCatInfo> &bigCategories,
                                 const QHash<QString, QList<FoodSmallCatInfo>> &dictSubCategory,
                                 const QString &strRec, bool isDisplayTuiJian)
{
    QList<Candidate> all;
    for (int big = 0; big < bigCategories.size(); ++big) {
        const FoodBigCatInfo &bigCategory = bigCategories.at(big);
        const QList<FoodSmallCatInfo> own = dictSubCategory.value(bigCategory.bcatno);
        if (isDisplayTuiJian) {
            FoodSmallCatInfo recommended;
            recommended.scatName = strRec;
            recommended.bcatNo = bigCategory.bcatno;
            recommended.isTuiJian = true;
            if (!own.isEmpty()) {
                recommended.scatno = own.first().scatno;
                recommended.layoutCol = own.first().layoutCol;
                recommended.layoutRow = own.first().layoutRow;
            }
            all.append({recommended, big});
        }
        for (const FoodSmallCatInfo &category : own)
            all.append({category, big});
    }
    return all;
}
} // namespace

MenuPages computeCollectionData(const QList<FoodBigCatInfo> &bigCategories,
                                const QHash<QString, QList<FoodSmallCatInfo>> &dictSubCategory,
                                const QList<Food> &foods, const QString &strRec, bool isDisplayTuiJian,
                                int layout)
{
    QList<Candidate> candidates = smallCategories(bigCategories, dictSubCategory, strRec, isDisplayTuiJian);

    const MenuGrid grid = menuGridForLayout(layout);
    QHash<QString, QList<int>> byScatno;
    for (int i = 0; i < candidates.size(); ++i) {
        FoodSmallCatInfo &category = candidates[i].category;
        category.arrFoods.clear();
        if (category.layoutCol <= 0 || category.layoutRow <= 0) {
            category.layoutRow = grid.rows;
            category.layoutCol = grid.columns;
        }
        byScatno[category.scatno].append(i);
    }
    for (const Food &food : foods) {
        const auto found = byScatno.constFind(food.info->catno);
        if (found == byScatno.cend())
            continue;
        for (int i : *found) {
            FoodSmallCatInfo &category = candidates[i].category;
            if (!category.isTuiJian || food.isTuiJian())
                category.arrFoods.append(food);
        }
    }

    MenuPages pages;
    pages.arrCategory = bigCategories;
    pages.subCateIndexes.resize(bigCategories.size());
    for (FoodBigCatInfo &big : pages.arrCategory)
        big.arrSubCate.clear();
    // The normal category of each (big category, dish category): where later pages of a
    // recommended category belong.
    QHash<QPair<int, QString>, int> normalOf;
    QList<int> bigOf;
    for (const Candidate &candidate : std::as_const(candidates)) {
        if (candidate.category.arrFoods.isEmpty())
            continue;
        const int index = int(pages.arrAllSCate.size());
        pages.arrAllSCate.append(candidate.category);
        pages.arrCategory[candidate.big].arrSubCate.append(candidate.category);
        pages.subCateIndexes[candidate.big].append(index);
        bigOf.append(candidate.big);
        if (!candidate.category.isTuiJian) {
            normalOf.insert({candidate.big, candidate.category.scatno}, index);
            pages.arrDetailFoodInfos += candidate.category.arrFoods;
        }
    }

    for (int index = 0; index < pages.arrAllSCate.size(); ++index) {
        FoodSmallCatInfo &category = pages.arrAllSCate[index];
        const int big = bigOf.at(index);
        category.pageIndexInGrid = pages.pageCount();
        const qsizetype per = category.layoutCol * category.layoutRow;
        for (qsizetype first = 0; first < category.arrFoods.size(); first += per) {
            MenuPages::Page page;
            page.foods = category.arrFoods.mid(first, per);
            page.rows = int(category.layoutRow);
            page.columns = int(category.layoutCol);
            page.bigCategory = big;
            page.smallCategory = index;
            if (category.isTuiJian && first > 0)
                page.smallCategory = normalOf.value({big, category.scatno}, index);
            pages.arrAllPages.append(page);
        }
    }
    return pages;
}

QString menuPageLabel(int pageIndex, int pageCount)
{
    return QString::asprintf("%d / %lu", pageIndex + 1, static_cast<unsigned long>(pageCount));
}
