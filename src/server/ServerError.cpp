#include "server/ServerError.h"

QString ServerError::description() const
{
    QString text =
        QStringLiteral("Error Domain=") + domain + QStringLiteral(" Code=") + QString::number(code);
    if (message)
        text += QStringLiteral(" \"") + *message + u'"';
    return text;
}
