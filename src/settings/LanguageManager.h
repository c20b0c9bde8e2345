#pragma once

#include <QHash>
#include <QReadWriteLock>
#include <QString>

#include <optional>

// Turns the Chinese texts of the program into the chosen language. The Chinese text is its own
// key; a language file ("zh-strings", "en-strings" among the resources) is one JSON object that
// maps keys to displayed texts, and a key it lacks is shown as it stands.
class LanguageManager {
public:
    static inline const QString kChinese = QStringLiteral("zh-strings");
    static inline const QString kEnglish = QStringLiteral("en-strings");

    static LanguageManager &defaultManager();

    // Loads the language file named `code` unless it is the one last loaded; posts
    // "kLanguageChanged" on the main thread when `notify` is set and a load took place.
    // A missing or broken file leaves an empty table: every text then shows in Chinese.
    void loadLanguage(const QString &code, bool notify = true);
    QString readString(const QString &key) const;
    std::optional<QString> currCode() const;

    // Forgets the loaded language (tests).
    void reset();

private:
    mutable QReadWriteLock lock_;
    std::optional<QString> currCode_;
    QHash<QString, QString> dictStrings_;
};

// The current language's text for a Chinese key: the one text helper of C++ code (QML uses
// `Lang.text`).
QString localised(const QString &key);
