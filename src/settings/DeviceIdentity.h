#pragma once

#include <QString>

// The terminal's identity towards the ordering server: 32 upper-case hex digits, made once and
// kept in the file "QuorvexMenuUUID" in the app home (mode 0600), so it survives restarts.
namespace DeviceIdentity {
inline const QString kFileName = QStringLiteral("QuorvexMenuUUID");

// Reads the stored identity, or makes and stores a new one when there is none or it is empty.
QString keyChainUUID();
// "<DevSerial>identity</DevSerial>", computed on first use and reused for the rest of the process.
QString devSerialElement();
// Forgets the cached element (tests; a new home).
void resetCache();
} // namespace DeviceIdentity
