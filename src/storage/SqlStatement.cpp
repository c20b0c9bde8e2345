#include "storage/SqlStatement.h"

#include <sqlite3.h>

SqlStatement::SqlStatement(sqlite3 *db, const char *sql)
{
    prepare(db, sql, -1);
}

SqlStatement::SqlStatement(sqlite3 *db, const QString &sql)
{
    const QByteArray utf8 = sql.toUtf8();
    prepare(db, utf8.constData(), int(utf8.size()));
}

void SqlStatement::prepare(sqlite3 *db, const char *sql, int length)
{
    if (!db || sqlite3_prepare_v2(db, sql, length, &stmt_, nullptr) != SQLITE_OK || !stmt_)
        failed_ = true;
}

SqlStatement::~SqlStatement()
{
    sqlite3_finalize(stmt_);
}

SqlStatement &SqlStatement::bind(int index, const QString &text)
{
    if (failed_)
        return *this;
    const QByteArray utf8 = text.toUtf8();
    if (sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK)
        failed_ = true;
    return *this;
}

SqlStatement &SqlStatement::bind(int index, qint64 value)
{
    if (!failed_ && sqlite3_bind_int64(stmt_, index, value) != SQLITE_OK)
        failed_ = true;
    return *this;
}

void SqlStatement::reset()
{
    if (!stmt_)
        return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

bool SqlStatement::step()
{
    if (failed_)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        failed_ = true;
    return false;
}

bool SqlStatement::exec()
{
    while (step()) {
    }
    return !failed_;
}

QString SqlStatement::text(int column) const
{
    const QByteArrayView bytes = utf8(column);
    return bytes.isEmpty() ? QString() : QString::fromUtf8(bytes);
}

QByteArrayView SqlStatement::utf8(int column) const
{
    if (!stmt_ || column < 0)
        return {};
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    return bytes ? QByteArrayView(bytes, sqlite3_column_bytes(stmt_, column)) : QByteArrayView();
}

double SqlStatement::real(int column) const
{
    return !stmt_ || column < 0 ? 0.0 : sqlite3_column_double(stmt_, column);
}

qint64 SqlStatement::integer(int column) const
{
    return !stmt_ || column < 0 ? 0 : sqlite3_column_int64(stmt_, column);
}

int SqlStatement::columnIndex(QStringView name) const
{
    if (failed_)
        return -1;
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        if (name.compare(QString::fromUtf8(sqlite3_column_name(stmt_, i)), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}
