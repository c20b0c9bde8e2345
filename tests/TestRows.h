#pragma once

#include <QTest>

#include <tuple>

// A test table's columns in one line each way: `columns<QString, int>("name", "count")` in a _data
// function, `auto [name, count] = row<QString, int>("name", "count")` in the test (as QFETCH does).
template <typename... T, typename... Names> void columns(const Names &...names)
{
    static_assert(sizeof...(T) == sizeof...(Names));
    (QTest::addColumn<T>(names), ...);
}

template <typename... T, typename... Names> std::tuple<T...> row(const Names &...names)
{
    static_assert(sizeof...(T) == sizeof...(Names));
    return {*static_cast<T *>(QTest::qData(names, ::qMetaTypeId<T>()))...};
}
