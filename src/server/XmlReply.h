#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// A server reply read once. The bytes are read as GB18030 whatever the document declares; text
// nodes that hold only blanks are dropped and CDATA reads as text. A reply that does not parse is
// repaired once (see `repairedBytes`) and read again.
//
// Only what a reply is made of is kept: for each child element of the root (the first of each
// name) its whole text and its attributes, and the rows of the first `ReturnList`. No document
// tree is built, which keeps large lists cheap, and reading takes time and memory in proportion to
// the reply's size whatever its shape.
//
// Replies are untrusted: a document type declaration is refused (so no entity can be declared,
// substituted or loaded), nothing is fetched from the network, nesting deeper than the parser's
// limit fails, a reply larger than `kMaxReplyBytes` is refused unread, and so is one whose shape
// would make the parser's own work grow faster than its size (`shapeError`).
class XmlReply {
public:
    static constexpr qsizetype kMaxReplyBytes = 32 * 1024 * 1024;

    explicit XmlReply(const QByteArray &bytes);

    bool isValid() const { return valid_; }
    // Why the reply could not be read; empty when it could.
    QString errorText() const { return errorText_; }

    // The whole text content of the first child element of the root with that name.
    std::optional<QString> elementText(const char *name) const;

    // One attribute of an element: its name's position in the reply's name table, and its value.
    using Attribute = std::pair<qsizetype, QString>;
    using Attributes = std::vector<Attribute>;

    // The attributes of one element: a row of a list, or a child of the root.
    class RowView {
    public:
        std::optional<QString> attribute(const char *name) const;
        // By the position from `rowAttributeIndex`, for reading many rows.
        std::optional<QString> attribute(qsizetype index) const;

    private:
        friend class XmlReply;
        RowView(const XmlReply *reply, const Attributes *values) : reply_(reply), values_(values) {}
        const XmlReply *reply_;
        const Attributes *values_;
    };

    // Calls `row` for each row of `ReturnList` (the child elements of its first child element, the
    // wrapper, in document order) and returns true; false when there is no list: no `ReturnList`,
    // an empty one, or a wrapper without rows. `rowCount` is told the number of rows first.
    bool forEachRow(const std::function<void(const RowView &)> &row,
                    const std::function<void(qsizetype rowCount)> &rowCount = {}) const;

    // Where rows keep the attribute of that name; -1 when no row has it.
    qsizetype rowAttributeIndex(const char *name) const;

    // The attributes of the first root child element with that name, absent without one.
    std::optional<RowView> childElement(const char *name) const;

    // The repair step for bytes that did not parse: when a second parse of the same bytes still
    // fails, the bytes decoded as GB18030 with CR LF made CR, "?>" made " ?> " and "gb2312" made
    // "GB18030", encoded back to GB18030. `error` gets the parser's words when it is given.
    static QByteArray repairedBytes(const QByteArray &bytes, QString *error = nullptr);

    // A child element of the root.
    struct Element {
        QByteArray name;
        QByteArray text; // UTF-8
        Attributes attributes;
    };

    // Everything kept of one parse. Each element keeps only the attributes it has, so the cost of a
    // reply grows with its size, whatever names its elements and attributes carry.
    struct Content {
        std::vector<Element> elements;
        QHash<QByteArray, qsizetype> elementIndex;
        // Every attribute name met, once, in the order first met.
        QHash<QByteArray, qsizetype> attributeIndex;
        std::vector<Attributes> rows;
    };

    // Most attributes one element may carry. The XML parser checks an element's attributes against
    // each other, which costs the square of their number; the rows of a reply carry about a dozen.
    static constexpr int kMaxAttributesPerElement = 256;
    // Most different element and attribute names a reply may use (one has a few dozen): the XML
    // parser's dictionary of names slows down with the square of their number beyond some ten
    // thousand, and a reply of nothing but new names would take many times its size in memory.
    static constexpr int kMaxNames = 4096;
    // Most namespace declarations a reply may hold (the ordering server uses none); each one in
    // scope is searched for every prefixed name.
    static constexpr int kMaxNamespaceDeclarations = 64;
    // Checks the limits above with one pass over the bytes, before the parser sees them; the
    // reason for a refusal, or empty.
    static QString shapeError(const QByteArray &bytes);

private:
    struct Parsed {
        bool valid = false;
        // Refused for its size or shape, which the repair step cannot change.
        bool refused = false;
        QString error;
        Content content;
    };
    static Parsed parse(const QByteArray &bytes);
    const Element *element(const char *name) const;

    bool valid_ = false;
    QString errorText_;
    Content content_;
};
