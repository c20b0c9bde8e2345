#include "catalogue/StyledText.h"

#include <algorithm>

namespace {
qsizetype clampedHighlight(const StyledText &styled)
{
    return std::clamp<qsizetype>(styled.highlightLength, 0, styled.text.size());
}
} // namespace

QString StyledText::plainPart() const
{
    return text.first(text.size() - clampedHighlight(*this));
}

QString StyledText::highlightedPart() const
{
    return text.last(clampedHighlight(*this));
}

QString StyledText::toHtml() const
{
    const QString tail = highlightedPart();
    QString html = plainPart().toHtmlEscaped();
    if (!tail.isEmpty())
        html += QStringLiteral("<font color=\"red\">") + tail.toHtmlEscaped() + QStringLiteral("</font>");
    return html;
}
