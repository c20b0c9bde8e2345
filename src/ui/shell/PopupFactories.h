#pragma once

class PopViewManager;

// Every pop-up that the core asks for by name (PopName) is built here: the one place a new pop-up
// joins. The window registers them once at start; tests register them on their own manager.
namespace PopupFactories {
void registerAll(PopViewManager &manager);
} // namespace PopupFactories
