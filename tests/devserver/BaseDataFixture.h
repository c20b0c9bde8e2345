#pragma once

#include <QString>

// A small restaurant written into a base-data folder ("PadBaseData.db") for the server tests:
// dishes sold by the portion and by weight, a set meal, a temporary dish, tastes with surcharges,
// two rooms of tables, two operators and two return reasons.
namespace BaseDataFixture {

// Table numbers "C01".."C20" exist too, for the tests that need many tables.
bool write(const QString &folder);
// A file of that many pseudo-random bytes, standing for the base-data package.
bool writePackage(const QString &path, qint64 size);

} // namespace BaseDataFixture
