#pragma once

#include <QString>

// A text whose last `highlightLength` characters are drawn in red (the sold-out mark after a
// dish name). The UI draws it through toHtml(), which Qt's StyledText and rich text both read.
struct StyledText {
    QString text;
    qsizetype highlightLength = 0;

    QString plainPart() const;
    QString highlightedPart() const;
    // The text HTML-escaped, its highlighted tail wrapped in <font color="red">.
    QString toHtml() const;

    bool operator==(const StyledText &) const = default;
};
