#pragma once

#include <QByteArray>
#include <QString>

// A small restaurant written into a base-data folder ("PadBaseData.db") for the server tests:
// dishes sold by the portion and by weight, a set meal, a temporary dish, tastes with surcharges,
// two rooms of tables, two operators and two return reasons.
namespace BaseDataFixture {

// Table numbers "C01".."C20" exist too, for the tests that need many tables.
bool write(const QString &folder);
// That many pseudo-random bytes, which do not compress; a file of them stands for the package.
QByteArray noise(qint64 size);
bool writePackage(const QString &path, qint64 size);

} // namespace BaseDataFixture
