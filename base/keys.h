// The registry keys more than one part of the program reads or writes.
#pragma once

namespace kdw::keys {

// The program's own values.
inline constexpr char kProduct[] = "Software\\Kelmor\\Deskwarden";

inline constexpr char kWindowsVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char kWindowsNtVersion[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
inline constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline constexpr char kExplorerAdvanced[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline constexpr char kExplorerPolicies[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr char kSystemPolicies[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
// The Internet zone's security settings.
inline constexpr char kInternetZone[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";

}  // namespace kdw::keys
