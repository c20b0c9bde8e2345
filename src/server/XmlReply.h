#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

struct _xmlDoc;
struct _xmlNode;

// A server reply parsed once. The bytes are read as GB18030 whatever the document declares;
// whitespace-only text between elements is dropped and CDATA reads as text. A reply that does not
// parse is repaired once (see `repairedBytes`) and parsed again.
//
// Replies are untrusted: entities are never substituted, nothing is loaded from the network or
// from a DTD, and a reply larger than `kMaxReplyBytes` is refused unread.
class XmlReply {
public:
    static constexpr qsizetype kMaxReplyBytes = 32 * 1024 * 1024;

    explicit XmlReply(const QByteArray &bytes);
    ~XmlReply();
    XmlReply(const XmlReply &) = delete;
    XmlReply &operator=(const XmlReply &) = delete;

    bool isValid() const { return doc_ != nullptr; }
    // Why the reply could not be read; empty when it could.
    QString errorText() const { return errorText_; }

    // The whole text content of the first child element of the root with that name.
    std::optional<QString> elementText(const char *name) const;

    // A row of a list: one element whose fields are its attributes.
    class RowView {
    public:
        explicit RowView(const _xmlNode *node) : node_(node) {}
        std::optional<QString> attribute(const char *name) const;

    private:
        const _xmlNode *node_;
    };
    // Calls `row` for each row of `ReturnList` (its first wrapper's child elements, in document
    // order) and returns true; false when there is no list: no `ReturnList`, or an empty one,
    // or a wrapper without rows.
    // `rowCount` is told the number of rows first, so that a list can be sized once.
    bool forEachRow(const std::function<void(const RowView &)> &row,
                    const std::function<void(qsizetype rowCount)> &rowCount = {}) const;

    // The attributes of the first root child element with that name, absent without one.
    std::optional<RowView> childElement(const char *name) const;

    // The repair step for bytes that did not parse: when a second parse of the same bytes still
    // fails, the bytes decoded as GB18030 with CR LF made CR, "?>" made " ?> " and "gb2312" made
    // "GB18030", encoded back to GB18030. `error` gets the parser's words when it is given.
    static QByteArray repairedBytes(const QByteArray &bytes, QString *error = nullptr);

private:
    struct Parsed;
    static Parsed parse(const QByteArray &bytes);

    _xmlDoc *doc_ = nullptr;
    QString errorText_;
};
