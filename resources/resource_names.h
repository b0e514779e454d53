// Names of the resources compiled into kdw3.exe (kdw3.rc) and kdwsetup.exe
// (kdwsetup.rc). Bitmaps are named by string, so they load with
//   LoadImageA(instance, kAddPictures[4], IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)
// or LoadBitmapA(instance, kButtonHelp). The icon, the version block and the
// manifest use the number 1, the numbers Windows itself looks for.
//
// This header is also read by windres, so it holds preprocessor-friendly
// macros only outside the C++ part.
#pragma once

// Resource numbers shared with the .rc files.
#define KDW_APP_ICON_ID 1
#define KDW_VERSION_ID 1
#define KDW_MANIFEST_ID 1

#ifdef __cplusplus

namespace kdw::resources {

// The application icon of both programs: LoadIconA(instance, MAKEINTRESOURCEA(kAppIconId)).
inline constexpr int kAppIconId = KDW_APP_ICON_ID;

// The twenty pictures of frmAdd, Image1 .. Image20 (24-bit bitmaps on the
// button face grey; 32 x 32, the battery pictures 32 x 16).
inline constexpr const char* kAdd01 = "ADD01";  // DVD play on: the "Disable DVD Play" button
inline constexpr const char* kAdd02 = "ADD02";  // DVD play off: the "Enable DVD Play" button
inline constexpr const char* kAdd03 = "ADD03";  // shape of the hidden holder; white is cut away
inline constexpr const char* kAdd04 = "ADD04";  // Control Panel
inline constexpr const char* kAdd05 = "ADD05";  // Drives
inline constexpr const char* kAdd06 = "ADD06";  // Internet Explorer
inline constexpr const char* kAdd07 = "ADD07";  // Logon
inline constexpr const char* kAdd08 = "ADD08";  // Computer Info
inline constexpr const char* kAdd09 = "ADD09";  // Programs Rest.
inline constexpr const char* kAdd10 = "ADD10";  // Start Menu
inline constexpr const char* kAdd11 = "ADD11";  // Welcome
inline constexpr const char* kAdd12 = "ADD12";  // Media Player
inline constexpr const char* kAdd13 = "ADD13";  // Microsoft Office
inline constexpr const char* kAdd14 = "ADD14";  // Other Functions
inline constexpr const char* kAdd15 = "ADD15";  // battery 61 .. 80 %
inline constexpr const char* kAdd16 = "ADD16";  // no battery (percent 255)
inline constexpr const char* kAdd17 = "ADD17";  // battery 81 .. 100 %
inline constexpr const char* kAdd18 = "ADD18";  // battery 41 .. 60 %
inline constexpr const char* kAdd19 = "ADD19";  // battery 21 .. 40 %
inline constexpr const char* kAdd20 = "ADD20";  // battery 0 .. 20 %

// kAddPictures[n - 1] is frmAdd's Image<n>.
inline constexpr const char* kAddPictures[20] = {
    kAdd01, kAdd02, kAdd03, kAdd04, kAdd05, kAdd06, kAdd07, kAdd08, kAdd09, kAdd10,
    kAdd11, kAdd12, kAdd13, kAdd14, kAdd15, kAdd16, kAdd17, kAdd18, kAdd19, kAdd20,
};

// The picture of frmAdd's Image<image> (1 .. 20); nullptr outside that range.
constexpr const char* AddPicture(int image) {
  return image >= 1 && image <= 20 ? kAddPictures[image - 1] : nullptr;
}

// Button and form pictures, 32 x 32 on the button face grey.
inline constexpr const char* kButtonHelp = "BTN_HELP";                // frmMain Command1
inline constexpr const char* kButtonPower = "BTN_POWER";              // frmMain Command2
inline constexpr const char* kButtonRecommended = "BTN_RECOMMENDED";  // frmMain Command3
inline constexpr const char* kButtonOk = "BTN_OK";                    // frmPass Command1
inline constexpr const char* kButtonCancel = "BTN_CANCEL";            // frmPass Command2
inline constexpr const char* kPictureLock = "PIC_LOCK";               // frmPass
inline constexpr const char* kPictureWelcome1 = "PIC_WELCOME1";       // frmWelcome Image1
inline constexpr const char* kPictureWelcome2 = "PIC_WELCOME2";       // frmWelcome Image2

// The drive kinds of frmDrives' ImageCombo1, 16 x 16 on the button face grey.
inline constexpr const char* kDriveFixed = "DRV_FIXED";    // "drive": fixed disks, RAM disks
inline constexpr const char* kDriveCd = "DRV_CD";          // "cd"
inline constexpr const char* kDriveNet = "DRV_NET";        // "net"
inline constexpr const char* kDriveFloppy = "DRV_FLOPPY";  // "floppy": removable drives
inline constexpr const char* kDriveNone = "DRV_NONE";      // "x": letters not in use

// The colour frmAdd cuts away, and the background every other picture stands on.
inline constexpr unsigned long kShapeTransparentColour = 0x00FFFFFFul;  // RGB(255, 255, 255)
inline constexpr unsigned long kPictureBackground = 0x00C8D0D4ul;       // RGB(212, 208, 200)

}  // namespace kdw::resources

#endif  // __cplusplus
