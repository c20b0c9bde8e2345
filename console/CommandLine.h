#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// One line of console input: the words of a command. Words are separated by blanks; a part in
// double quotes keeps its blanks and "#" (the quotes are dropped, so "" is an empty word); outside
// quotes "#" starts a comment that runs to the end of the line.
namespace CommandLine {
// The words of the line; absent when a quote is left open.
std::optional<QStringList> split(const QString &line);

// The value of a "name=value" word, when the word has that name.
std::optional<QString> option(const QString &word, const QString &name);
} // namespace CommandLine
