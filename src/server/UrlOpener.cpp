#include "server/UrlOpener.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

namespace UrlOpener {

bool openUrl(const QUrl &url)
{
    // QDesktopServices needs a GUI application; the console and the tests have none.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace UrlOpener
