#include "settings/AccessCode.h"

QString AccessCode::forDate(const QDate &date)
{
    const QString digits = date.toString(QStringLiteral("yyyyMMdd"));
    QString code;
    code.reserve(digits.size());
    for (qsizetype i = digits.size() - 1; i >= 0; --i)
        code.append(QChar(u'0' + (9 - digits.at(i).digitValue())));
    return code;
}
