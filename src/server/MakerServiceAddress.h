#pragma once

#include <QString>

// Where the maker's web service is (scheme and host, no trailing "/"): the app-update description
// and the client report go there, never to the ordering server. Built in with the CMake cache
// variable DIANCAI_MAKER_SERVICE_URL; the environment variable of the same name overrides it
// when set and non-empty, read at every use.
namespace MakerServiceAddress {
inline constexpr const char *kEnvironmentVariable = "DIANCAI_MAKER_SERVICE_URL";

QString baseUrl();
} // namespace MakerServiceAddress
