#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// One line of an order pack: the attributes of one child element of "OrderDetail".
struct OrderLineData {
    std::map<std::string, std::string> attributes;

    // The attribute's value; empty text when the line lacks it.
    std::string value(const std::string &name) const;
};

// A command document posted by a terminal: a ClientCommand (or an order pack, which is one too).
class RequestDocument {
public:
    // Parses UTF-8 text whatever encoding its declaration names (the terminal declares gb2312 but
    // the form carries UTF-8). No network access, no entity substitution, no DTD. Nothing, with a
    // reason in error, when the text is not a readable document.
    static std::optional<RequestDocument> parse(const std::string &utf8Text, std::string &error);

    const std::string &rootName() const { return rootName_; }
    // The text of the first child element of the root with that name; nothing when absent.
    std::optional<std::string> field(const std::string &name) const;
    // field() with absent read as empty text.
    std::string text(const std::string &name) const { return field(name).value_or(std::string()); }
    bool hasOrderDetail() const { return hasOrderDetail_; }
    const std::vector<OrderLineData> &orderLines() const { return orderLines_; }

private:
    std::string rootName_;
    std::map<std::string, std::string> fields_;
    bool hasOrderDetail_ = false;
    std::vector<OrderLineData> orderLines_;
};
