#pragma once

#include "catalogue/CatalogueRecords.h"
#include "catalogue/Food.h"

#include <QHash>
#include <QList>
#include <QString>

// The menu's pages, cut once from the catalogue. Every small category is cut into pages of its own
// rows x columns, and all pages of all small categories lie side by side. Categories are told
// apart by their place in these lists (never by title: two categories may share a name, and a
// real one may be called like the recommended ones).
struct MenuPages {
    // A page's grid and the categories the strips select while it is on screen.
    struct Page {
        QList<Food> foods;
        int rows = 0;
        int columns = 0;
        // Indexes into arrAllSCate and arrCategory of what the strips show for this page. The first
        // page of a recommended category shows it; its later pages show the dishes' own category.
        int smallCategory = -1;
        int bigCategory = -1;
    };

    // The big categories in database order; each one's `arrSubCate` keeps its small categories with
    // dishes (its recommended one first).
    QList<FoodBigCatInfo> arrCategory;
    // For each big category, the index into arrAllSCate of each entry of its `arrSubCate`.
    QList<QList<int>> subCateIndexes;
    // The small categories with pages, in page order, recommended ones included.
    QList<FoodSmallCatInfo> arrAllSCate;
    QList<Page> arrAllPages;
    // The detail screen's sequence: every dish of the normal categories, category by category.
    QList<Food> arrDetailFoodInfos;

    int pageCount() const { return int(arrAllPages.size()); }
    // The first page of small category `smallIndex` (into arrAllSCate) at or after the first page
    // of big category `bigIndex`; -1 when there is none.
    int pageOf(int bigIndex, int smallIndex) const;
};

// The page grid of a menu layout setting ("kLayoutType"): 0 gives 2 rows x 3 columns, 1 gives 2 x 4,
// 2 gives 3 x 4; any other value reads as 0.
struct MenuGrid {
    int rows;
    int columns;
};
MenuGrid menuGridForLayout(int layout);

// Cuts the pages. `strRec` names the recommended categories, made for each big category when
// `isDisplayTuiJian`; `foods` are the menu's dishes in database order (no temporary dishes); a
// small category without its own rows and columns takes the grid of `layout`.
MenuPages computeCollectionData(const QList<FoodBigCatInfo> &bigCategories,
                                const QHash<QString, QList<FoodSmallCatInfo>> &dictSubCategory,
                                const QList<Food> &foods, const QString &strRec, bool isDisplayTuiJian,
                                int layout);

// "%d / %lu": the page on screen counted from 1, and the page count ("1 / 0" with no pages).
QString menuPageLabel(int pageIndex, int pageCount);
