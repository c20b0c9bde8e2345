#include "server/ServerError.h"

QString ServerError::description() const
{
    QString text =
        QStringLiteral("Error Domain=") + domain + QStringLiteral(" Code=") + QString::number(code);
    if (message)
        text += QStringLiteral(" \"") + *message + u'"';
    return text;
}

QString ServerError::shownText() const
{
    const QString text = message.value_or(QString());
    return text.isEmpty() ? description() : text;
}
