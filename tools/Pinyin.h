#pragma once

#include <QString>

namespace demodata {

// The mnemonic a waiter types to find a dish: the capital initial of each character's pinyin,
// letters and digits kept as they are (宫保鸡丁 -> GBJD, XO酱炒带子 -> XOJCDZ). Other signs are
// dropped.
QString pinyinInitials(const QString &name);

} // namespace demodata
