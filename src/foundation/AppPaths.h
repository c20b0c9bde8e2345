#pragma once

#include <QString>
#include <QStringList>

// Where the terminal keeps its own files (the app home, the "Documents" folder of the system:
// settings, held orders, thumbnails, downloaded packages) and where its read-only resources are.
namespace AppPaths {
// The app home: `--home DIR` from the arguments, else $DIANCAI_HOME, else the platform's
// app-data folder. Created when missing. Call once at start-up, after the application object exists.
void initHome(const QStringList &arguments);
void setHome(const QString &dir);
QString home();

// The resources folder: $DIANCAI_RESOURCES when set, else share/diancai next to the executable's
// bin/ folder (the same in the build tree and once installed).
QString resourcesDir();
void setResourcesDir(const QString &dir);
QString resourcePath(const QString &name);
} // namespace AppPaths
