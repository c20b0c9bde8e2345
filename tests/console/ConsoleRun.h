#pragma once

#include "DevServerHarness.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// diancai-console run over scripts in a home of its own that lives as long as this object.
class ConsoleRun {
public:
    // The lines of standard output; the exit code goes to `exitCode`.
    QStringList run(const QString &script);
    QString home() const { return home_.path(); }
    int exitCode = -1;

private:
    QTemporaryDir home_;
};
