#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// A server reply read once. The bytes are read as GB18030 whatever the document declares; text
// nodes that hold only blanks are dropped and CDATA reads as text. A reply that does not parse is
// repaired once (see `repairedBytes`) and read again.
//
// Only what a reply is made of is kept: for each child element of the root (the first of each
// name) its whole text and its attributes, and the rows of the first `ReturnList`. No document
// tree is built, which keeps large lists cheap.
//
// Replies are untrusted: a document type declaration is refused (so no entity can be declared,
// substituted or loaded), nothing is fetched from the network, nesting deeper than the parser's
// limit fails, and a reply larger than `kMaxReplyBytes` is refused unread.
class XmlReply {
public:
    static constexpr qsizetype kMaxReplyBytes = 32 * 1024 * 1024;

    explicit XmlReply(const QByteArray &bytes);

    bool isValid() const { return valid_; }
    // Why the reply could not be read; empty when it could.
    QString errorText() const { return errorText_; }

    // The whole text content of the first child element of the root with that name.
    std::optional<QString> elementText(const char *name) const;

    // The attributes of one element: a row of a list, or a child of the root.
    class RowView {
    public:
        std::optional<QString> attribute(const char *name) const;
        // By the position from `rowAttributeIndex`, for reading many rows.
        std::optional<QString> attribute(qsizetype index) const;

    private:
        friend class XmlReply;
        RowView(const QList<QByteArray> *names, const QList<std::optional<QString>> *values)
            : names_(names), values_(values)
        {
        }
        const QList<QByteArray> *names_;
        const QList<std::optional<QString>> *values_;
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
        QList<QByteArray> attributeNames;
        QList<std::optional<QString>> attributeValues;
    };

    // Everything kept of one parse.
    struct Content {
        std::vector<Element> elements;
        // Row values are indexed like the names; a row made before a name was first seen is shorter.
        QList<QByteArray> rowAttributeNames;
        QList<QList<std::optional<QString>>> rows;
    };

private:
    struct Parsed {
        bool valid = false;
        QString error;
        Content content;
    };
    static Parsed parse(const QByteArray &bytes);
    const Element *element(const char *name) const;

    bool valid_ = false;
    QString errorText_;
    Content content_;
};
