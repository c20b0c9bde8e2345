#pragma once

class QUrl;

// Hands an address to the platform, which opens it in the system browser. The one place where the
// core asks the desktop for something; without a GUI application it does nothing and says false.
namespace UrlOpener {
bool openUrl(const QUrl &url);
} // namespace UrlOpener
