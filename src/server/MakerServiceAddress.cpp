#include "server/MakerServiceAddress.h"

namespace MakerServiceAddress {

QString baseUrl()
{
    QString url = qEnvironmentVariable(kEnvironmentVariable);
    if (url.isEmpty())
        url = QStringLiteral(DIANCAI_MAKER_SERVICE_URL);
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

} // namespace MakerServiceAddress
