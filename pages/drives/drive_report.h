// What the Drives page tells of each drive letter: its kind word and
// picture (the `Controls` module's GetDriveKind), and its block of the
// drive report (DriveInfoText).
#pragma once

#include <string>

#include "platform/drives.h"

namespace kdw::pages {

// The pictures of ImageCombo1's image list, by key, in list order.
enum class DriveImage { kDrive, kCd, kNet, kFloppy, kNone };
// The bitmap resource of each image, in the same order.
inline constexpr const char* kDriveImagePictures[] = {"DRV_FIXED", "DRV_CD", "DRV_NET",
                                                      "DRV_FLOPPY", "DRV_NONE"};

// The kind word of a letter ("A" .. "Z"): "?", "x", "remove", "fix",
// "remote", "cd", and "ram" for a RAM disk; any other answer of
// GetDriveTypeA is "?" too.
std::string GetDriveKind(Drives& drives, const std::string& letter);
// The picture of a kind word: "fix" and "ram" a disk, "remove" a floppy,
// "remote" the network, "cd" a disc, anything else none.
DriveImage ImageOfKind(const std::string& kind);

// A text up to its first NUL, looking at no more than 255 characters.
std::string TrimAtNul(const std::string& text);

// The report block of a root such as "C:\": three lines and an empty one,
// or nothing when the drive's size cannot be read or rounds to 0 MB.
std::string DriveInfoText(Drives& drives, const std::string& root);

}  // namespace kdw::pages
