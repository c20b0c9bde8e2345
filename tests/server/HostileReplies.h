#pragma once

#include <QByteArray>

// Reply shapes that once cost time or memory out of proportion to their size, built at the size
// asked for. Each is a well-formed "GetGqFoodList" reply with ReturnCode "0" at its end.
namespace HostileReplies {

// `head`, then `piece(i)` for i from 0 to count - 1, then `tail`.
template <typename Piece>
QByteArray built(const QByteArray &head, int count, Piece piece, const QByteArray &tail)
{
    QByteArray xml = head;
    for (int i = 0; i < count; ++i)
        xml += piece(QByteArray::number(i));
    return xml + tail;
}

inline const QByteArray kListHead = "<R><ReturnList><L>";
inline const QByteArray kListTail = "</L></ReturnList><ReturnCode>0</ReturnCode></R>";

// `count` root children, each with a name of its own.
inline QByteArray distinctChildren(int count)
{
    return built(
        "<R>", count, [](const QByteArray &n) { return "<E" + n + ">x</E" + n + ">"; },
        "<ReturnCode>0</ReturnCode></R>");
}

// A sold-out list of `count` rows, each also carrying an attribute named like no other.
inline QByteArray distinctAttributes(int count)
{
    return built(
        kListHead, count,
        [](const QByteArray &n) { return "<G foodno=\"" + n + "\" leftQty=\"0\" a" + n + "=\"v\"/>"; },
        kListTail);
}

// A plain sold-out list of `count` rows, about as large as the shapes above of the same count.
inline QByteArray plainRows(int count)
{
    return built(
        kListHead, count,
        [](const QByteArray &n) { return "<G foodno=\"" + n + "\" leftQty=\"" + n + "\"/>"; }, kListTail);
}

// One element carrying `count` attributes, or `count` namespace declarations when `namespaces`.
inline QByteArray wideElement(int count, bool namespaces = false)
{
    const QByteArray prefix = namespaces ? " xmlns:n" : " a";
    return built(
        kListHead + "<G", count, [&](const QByteArray &n) { return prefix + n + "=\"u" + n + "\""; },
        "/>" + kListTail);
}

} // namespace HostileReplies
