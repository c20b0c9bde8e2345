#pragma once

#include <QByteArray>
#include <QString>

// GB18030 <-> Unicode through iconv. GB18030 reads every GB2312 and GBK text exactly as those
// encodings do and covers all of Unicode, which is why replies are read with it.
namespace Gb18030 {
// Byte sequences that are not GB18030 become U+FFFD; nothing is dropped silently.
QString decode(const QByteArray &bytes);
QByteArray encode(const QString &text);
} // namespace Gb18030
