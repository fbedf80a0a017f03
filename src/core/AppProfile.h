#pragma once
// The application profile: window positions, the interface language, the instant-message
// encoding, the banner history and the FTP defaults. Every caller, with or without windows,
// opens it here, so lum, lum-server and lumctl's requests read and write the same values.

#include <QSettings>

#include <memory>

namespace lum {

inline constexpr const char* kProfileOrganisation = "ZEB Software Solutions-LUM";
inline constexpr const char* kProfileApplication = "LUM";

inline std::unique_ptr<QSettings> openAppProfile() {
    return std::make_unique<QSettings>(QString::fromLatin1(kProfileOrganisation),
                                       QString::fromLatin1(kProfileApplication));
}

}  // namespace lum
