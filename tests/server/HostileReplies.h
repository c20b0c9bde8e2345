#pragma once

#include <QByteArray>

// Reply shapes that once cost time or memory out of proportion to their size, built at the size
// asked for. Each is a well-formed "GetGqFoodList" reply with ReturnCode "0" at its end.
namespace HostileReplies {

// `count` root children, each with a name of its own.
inline QByteArray distinctChildren(int count)
{
    QByteArray xml = "<R>";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "<E" + n + ">x</E" + n + ">";
    }
    return xml + "<ReturnCode>0</ReturnCode></R>";
}

// A sold-out list of `count` rows, each also carrying an attribute named like no other.
inline QByteArray distinctAttributes(int count)
{
    QByteArray xml = "<R><ReturnList><L>";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "<G foodno=\"" + n + "\" leftQty=\"0\" a" + n + "=\"v\"/>";
    }
    return xml + "</L></ReturnList><ReturnCode>0</ReturnCode></R>";
}

// A plain sold-out list of `count` rows, about as large as the shapes above of the same count.
inline QByteArray plainRows(int count)
{
    QByteArray xml = "<R><ReturnList><L>";
    for (int i = 0; i < count; ++i) {
        const QByteArray n = QByteArray::number(i);
        xml += "<G foodno=\"" + n + "\" leftQty=\"" + n + "\"/>";
    }
    return xml + "</L></ReturnList><ReturnCode>0</ReturnCode></R>";
}

// One element carrying `count` attributes, or `count` namespace declarations when `namespaces`.
inline QByteArray wideElement(int count, bool namespaces = false)
{
    QByteArray xml = "<R><ReturnList><L><G";
    for (int i = 0; i < count; ++i)
        xml +=
            (namespaces ? " xmlns:n" : " a") + QByteArray::number(i) + "=\"u" + QByteArray::number(i) + "\"";
    return xml + "/></L></ReturnList><ReturnCode>0</ReturnCode></R>";
}

} // namespace HostileReplies
