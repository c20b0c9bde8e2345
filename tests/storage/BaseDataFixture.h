#pragma once

#include <QString>

struct sqlite3;

// A "PadBaseData.db" written by the test itself: the tables the terminal reads, empty, plus
// whatever rows a test adds with `exec`. Written the way a server export writes it, so tests can
// reach edge cases (NULL flags, duplicate rows, odd column order) that a generator avoids.
class BaseDataFixture {
public:
    // Creates the file with every table at `path`.
    explicit BaseDataFixture(const QString &path);
    ~BaseDataFixture();
    BaseDataFixture(const BaseDataFixture &) = delete;
    BaseDataFixture &operator=(const BaseDataFixture &) = delete;

    const QString &path() const { return path_; }
    // Runs SQL, and fails the running test (returning false) when it does not run.
    bool exec(const QString &sql);

private:
    QString path_;
    sqlite3 *db_ = nullptr;
};
