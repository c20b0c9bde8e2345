#pragma once

#include <QList>
#include <QString>

// The string literals of one source file, comments skipped, escapes resolved, as the program
// would hand them to the string table.
struct SourceLiteral {
    QString text;
    int line = 0;
};

enum class SourceLanguage {
    Cpp,        // "..." with prefixes and raw strings; '...' is a character; adjacent literals join
    JavaScript, // QML and JS: "...", '...' and `...` are all strings
};

QList<SourceLiteral> stringLiterals(const QString &source, SourceLanguage language);

// Chinese ideographs (the unified blocks and compatibility ideographs).
bool containsCjkIdeograph(const QString &text);
