#pragma once

#include "catalogue/MenuPages.h"

// The menu as the installed catalogue and the current settings cut it: what the menu screen shows
// and what the console's `pages` prints.
struct MenuCatalogue {
    MenuPages pages;
    // The base data could not be read: the menu is empty and says so.
    bool unreadable = false;
};

// Reads the categories and the dishes (no temporary ones) from DBManager's base data and cuts
// them with "kIsDisplayTuiJian", "kLayoutType" and the current language's "推荐".
MenuCatalogue readMenuCatalogue();
