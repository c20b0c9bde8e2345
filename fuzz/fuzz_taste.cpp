// The taste strings: a held order's taste list and a stored taste record, read and written back.
#include "catalogue/TasteInfo.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const std::optional<QList<TasteInfo>> tastes = TasteInfo::parseGuadanTasteString(text)) {
        TasteInfo::guaDanTasteString(*tastes);
        TasteInfo::displayTasteString(*tastes);
        TasteInfo::sendTasteDefString(*tastes);
        TasteInfo::sendTasteManualString(*tastes);
        TasteInfo::surcharge(*tastes, 12.5f);
    }
    const TasteInfo record = TasteInfo::fromString(text);
    record.fullInfoString();
    record.displayTasteString();
    TasteInfo::hasInputContainInvalidChar(text);
    return 0;
}
