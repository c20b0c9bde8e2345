#pragma once

#include <functional>

class PopRootViewController;

// Draws pop-ups: the dimming under them and their slide in and out. The UI registers one on the
// PopViewManager; without one (tests, the console) pop-ups have no look, present() is skipped and a
// dismissal finishes at once. Called on the main thread.
class PopPresenter {
public:
    virtual ~PopPresenter() = default;

    // Shows the pop-up at its paddingTop (already resolved, never negative).
    virtual void present(PopRootViewController *popup) = 0;
    // Takes the pop-up off the screen and calls `finished` once when that is done.
    virtual void dismiss(PopRootViewController *popup, std::function<void()> finished) = 0;
};
