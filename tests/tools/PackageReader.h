#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// Reads a base-data package the way the terminal's unpacker does: raw entry names, decoded as
// GB18030.
struct PackageEntry {
    QByteArray rawName;
    QString name; // decoded from GB18030; empty when the bytes are not GB18030
    bool utf8Flag = false;
    QDateTime modified;
    QByteArray contents;
};

std::optional<QList<PackageEntry>> readPackage(const QString &zipPath);
