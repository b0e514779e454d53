// frmDrives and frmDrv through their control models, over the fake drives:
// the report and the letters' pictures, the two switches, C: access, the
// titles and icons with their read-back, and the NoDrives mask panel.
#include "pages/drives/drives_page.h"

#include <gtest/gtest.h>

#include "pages/drives/drive_panel_page.h"
#include "pages/drives/drive_report.h"
#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

constexpr const char* kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
constexpr const char* kLabelOfE =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\E\\DefaultLabel";
constexpr const char* kIconOfE =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\E\\DefaultIcon";

// A floppy drive without a disk, a 40 GB disk, a CD drive without a disc
// and a network share.
void FourDrives(FakeDrives& drives) {
  drives.AddDrive('A', drivetype::kRemovable);
  drives.AddDrive('C', drivetype::kFixed, DiskSpace{8, 512, 2500000, 10000000});
  drives.AddDrive('D', drivetype::kCdRom);
  drives.AddDrive('Z', drivetype::kRemote, DiskSpace{1, 4096, 1000, 250000}, "\\\\server\\share");
}

TEST(DriveReportTest, BlocksAreComputedAsSpecifiedAndOnlyForReadableDrives) {
  FakeDrives drives;
  FourDrives(drives);
  EXPECT_EQ(DriveInfoText(drives, "A:\\"), "") << "no disk in it";
  EXPECT_EQ(DriveInfoText(drives, "D:\\"), "") << "no disc in it";
  EXPECT_EQ(DriveInfoText(drives, "Q:\\"), "") << "not in use";
  // 10,000,000 / 1024 * 4096 / 1024 = 39062.5 MB: half rounds to even.
  EXPECT_EQ(DriveInfoText(drives, "C:\\"),
            "C:\\ drive - Fixed Drive\r\n\tDrive Size: 39062 MB\r\n\tFree Space: 9766 MB\r\n\r\n");
  EXPECT_EQ(DriveInfoText(drives, "Z:\\"),
            "Z:\\ drive - Network drive\\\\server\\share\r\n\tDrive Size: 977 MB\r\n"
            "\tFree Space: 4 MB\r\n\r\n");

  // 1.5 MB rounds up to 2 (even), 2.5 down to 2, 0.4 to nothing at all.
  drives.AddDrive('E', drivetype::kRamDisk, DiskSpace{1, 1024, 1536, 1536});
  drives.AddDrive('F', 9, DiskSpace{1, 1024, 0, 2560});
  drives.AddDrive('G', drivetype::kUnknown, DiskSpace{1, 1024, 0, 400});
  EXPECT_EQ(DriveInfoText(drives, "E:\\"),
            "E:\\ drive - RAM Disk\r\n\tDrive Size: 2 MB\r\n\tFree Space: 2 MB\r\n\r\n");
  EXPECT_EQ(DriveInfoText(drives, "F:\\"),
            "F:\\ drive - Unknown Device\r\n\tDrive Size: 2 MB\r\n\tFree Space: 0 MB\r\n\r\n");
  EXPECT_EQ(DriveInfoText(drives, "G:\\"), "");

  // A share whose name cannot be had is still a network drive.
  drives.AddDrive('Y', drivetype::kRemote, DiskSpace{1, 1024, 0, 1024});
  EXPECT_EQ(DriveInfoText(drives, "Y:\\").substr(0, 27), "Y:\\ drive - Network drive\r\n");

  EXPECT_EQ(TrimAtNul(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(TrimAtNul("   "), "   ");
}

TEST(DriveReportTest, EveryDriveTypeHasAKindWordAndAPicture) {
  FakeDrives drives;
  const std::uint32_t types[] = {0, 1, 2, 3, 4, 5, 6, 7};
  const char* words[] = {"?", "x", "remove", "fix", "remote", "cd", "ram", "?"};
  const DriveImage images[] = {DriveImage::kNone,  DriveImage::kNone, DriveImage::kFloppy,
                               DriveImage::kDrive, DriveImage::kNet,  DriveImage::kCd,
                               DriveImage::kDrive, DriveImage::kNone};
  for (int i = 0; i < 8; ++i) {
    drives.AddDrive('K', types[i]);
    EXPECT_EQ(GetDriveKind(drives, "K"), words[i]) << types[i];
    EXPECT_EQ(ImageOfKind(words[i]), images[i]) << types[i];
  }
}

class DrivesPageTest : public test::PageTest {
 protected:
  DrivesPageTest() : PageTest(MakeDrivesPage) { FourDrives(fakes_.drives); }

  forms::ListControl& Combo() { return page_->form().list("ImageCombo1"); }
  void Choose(char letter) { Combo().UserSelect(letter - 'A'); }
  forms::Control& Picture(const char* name) { return page_->form().control(name); }
  const ShownMessage& LastMessage() { return fakes_.messages.shown().back(); }
};

TEST_F(DrivesPageTest, LoadListsEveryLetterWithItsPictureAndReportsReadableDrivesInOrder) {
  forms::Form& form = Open();
  ASSERT_EQ(Combo().count(), 26);
  EXPECT_EQ(Combo().items().front(), "A");
  EXPECT_EQ(Combo().items().back(), "Z");
  EXPECT_EQ(Combo().list_index(), -1);
  ASSERT_EQ(Combo().image_list().size(), 5u);
  auto picture_of = [&](char letter) {
    return Combo().image_list()[static_cast<std::size_t>(Combo().image(letter - 'A'))];
  };
  EXPECT_EQ(picture_of('A'), "DRV_FLOPPY");
  EXPECT_EQ(picture_of('C'), "DRV_FIXED");
  EXPECT_EQ(picture_of('D'), "DRV_CD");
  EXPECT_EQ(picture_of('Z'), "DRV_NET");
  for (char letter : std::string("BEFGHIJKLMNOPQRSTUVWXY")) EXPECT_EQ(picture_of(letter), "DRV_NONE");

  EXPECT_EQ(form.text("Text3").text(),
            "C:\\ drive - Fixed Drive\r\n\tDrive Size: 39062 MB\r\n\tFree Space: 9766 MB\r\n\r\n"
            "Z:\\ drive - Network drive\\\\server\\share\r\n\tDrive Size: 977 MB\r\n"
            "\tFree Space: 4 MB\r\n\r\n");
  EXPECT_TRUE(form.text("Text3").flags() & forms::kReadOnly);
  EXPECT_EQ(form.list("List1").count(), 26);
  EXPECT_FALSE(form.control("List1").visible());
  EXPECT_TRUE(api_.writes.empty() ||
              api_.writes == std::vector<std::string>({"set Account", "delete Account"}))
      << "nothing of its own is written for a machine without settings";
}

TEST_F(DrivesPageTest, MyComputerNameIsAnExpandableStringAndAnyOtherStateWritesWindowsOwn) {
  EXPECT_TRUE(reg_.SaveExpandStringValue(HKCR, kMyComputer, "LocalizedString", "%USERNAME% on %COMPUTERNAME%").ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.check("Check2").value(), 1);
  EXPECT_EQ(test::TypeOf(api_, HKCR, kMyComputer, "LocalizedString"), regtype::kExpandSz);
  form.check("Check2").UserClick();
  EXPECT_EQ(reg_.GetExpandStringValue(HKCR, kMyComputer, "LocalizedString"),
            "@%SystemRoot%\\system32\\SHELL32.dll,-9216");
  // Case counts.
  EXPECT_TRUE(reg_.SaveExpandStringValue(HKCR, kMyComputer, "LocalizedString", "%username% on %computername%").ok());
  EXPECT_EQ(Open().check("Check2").value(), 0);
}

TEST_F(DrivesPageTest, ExactlyOneAccessPictureShowsAndEachWritesItsMask) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoViewOnDrive", 12).ok());
  Open();
  EXPECT_FALSE(Picture("Image1").visible());
  EXPECT_TRUE(Picture("Image2").visible());
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kExplorer, "NoViewOnDrive"), 12) << "loading writes nothing";

  Picture("Image2").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kExplorer, "NoViewOnDrive", -1), 0);
  EXPECT_TRUE(Picture("Image1").visible());
  EXPECT_FALSE(Picture("Image2").visible());
  EXPECT_EQ(host_.focused, "Image1");
  Picture("Image1").UserClick();
  EXPECT_EQ(reg_.GetDwordValue(HKCU, kExplorer, "NoViewOnDrive"), 4);
  EXPECT_TRUE(Picture("Image2").visible());

  EXPECT_TRUE(reg_.DeleteValue(HKCU, kExplorer, "NoViewOnDrive").ok());
  Open();
  EXPECT_TRUE(Picture("Image1").visible());
  EXPECT_FALSE(Picture("Image2").visible());
}

TEST_F(DrivesPageTest, ChoosingALetterShowsItsTitleAndIconAndCreateAndDeleteStoreThem) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kLabelOfE, "", "Backup").ok());
  forms::Form& form = Open();
  Choose('E');
  EXPECT_EQ(form.text("Text1").text(), "Backup");
  EXPECT_EQ(form.text("Text2").text(), "");

  form.text("Text1").UserEdit("Photos");
  fakes_.dialogs.QueueOpenFileResult("C:\\Icons\\camera.ico");
  form.control("Command3").UserClick();
  ASSERT_EQ(fakes_.dialogs.open_file_calls().size(), 1u);
  const OpenFileDialogCall& call = fakes_.dialogs.open_file_calls()[0];
  EXPECT_EQ(call.filter, "Icons (*.ico)|*.ico");
  EXPECT_EQ(call.title, "Choose an icon for your drive - Kelmor Deskwarden");
  EXPECT_EQ(call.initial_folder, fakes_.files.ProgramFolder());
  EXPECT_EQ(form.text("Text2").text(), "C:\\Icons\\camera.ico");
  // A cancelled dialog leaves the path.
  form.control("Command3").UserClick();
  EXPECT_EQ(form.text("Text2").text(), "C:\\Icons\\camera.ico");

  form.control("Command1").UserClick();
  EXPECT_EQ(reg_.GetStringValue(HKLM, kLabelOfE, ""), "Photos");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kIconOfE, ""), "C:\\Icons\\camera.ico");
  EXPECT_EQ(LastMessage().text, "Title and Icon were created successfully.");
  EXPECT_EQ(LastMessage().title, "Kelmor Deskwarden");
  EXPECT_EQ(LastMessage().icon(), mb::kIconInformation);
  EXPECT_EQ(form.text("Text1").text(), "");
  EXPECT_EQ(form.text("Text2").text(), "");
  EXPECT_EQ(Combo().text(), "");

  // The Delete key empties the icon box; Create then stores an empty icon.
  Choose('E');
  form.text("Text2").UserKeyDown(45);
  EXPECT_EQ(form.text("Text2").text(), "C:\\Icons\\camera.ico") << "only the Delete key";
  form.text("Text2").UserKeyDown(46);
  EXPECT_EQ(form.text("Text2").text(), "");
  form.control("Command1").UserClick();
  EXPECT_TRUE(reg_.Read(HKLM, kIconOfE, "").present);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kIconOfE, "", "missing"), "");

  Choose('E');
  form.control("Command2").UserClick();
  EXPECT_FALSE(reg_.Read(HKLM, kLabelOfE, "").present);
  EXPECT_FALSE(reg_.Read(HKLM, kIconOfE, "").present);
  EXPECT_EQ(LastMessage().text, "Title and Icon were deleted successfully.");
  // Deleting what is not there is no failure.
  Choose('E');
  form.control("Command2").UserClick();
  EXPECT_EQ(LastMessage().text, "Title and Icon were deleted successfully.");
  EXPECT_EQ(LastMessage().icon(), mb::kIconInformation);
}

TEST_F(DrivesPageTest, CreateAndDeleteWithoutALetterOrWithoutTheirWriteSaySo) {
  forms::Form& form = Open();
  api_.writes.clear();
  form.text("Text1").UserEdit("Data");
  for (const char* button : {"Command1", "Command2"}) {
    form.control(button).UserClick();
    EXPECT_EQ(LastMessage().text, "Choose a drive letter first.");
    EXPECT_EQ(LastMessage().icon(), mb::kIconStop);
    EXPECT_EQ(host_.focused, "ImageCombo1");
  }
  EXPECT_TRUE(api_.writes.empty());

  // The registry refuses: no success is claimed and the fields stay.
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kLabelOfE, "", "Old").ok());
  Choose('E');
  form.text("Text1").UserEdit("New");
  api_.SetMachineWideReadOnly(true);
  form.control("Command1").UserClick();
  EXPECT_EQ(LastMessage().text, "The title and icon could not be saved: access is denied.");
  EXPECT_EQ(LastMessage().icon(), mb::kIconStop);
  EXPECT_EQ(form.text("Text1").text(), "New");
  EXPECT_EQ(Combo().text(), "E");
  form.control("Command2").UserClick();
  EXPECT_EQ(LastMessage().text, "The title and icon could not be deleted: access is denied.");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kLabelOfE, ""), "Old");
}

TEST_F(DrivesPageTest, HideDrivesOpensThePanelModallyOwnedByTheMainWindow) {
  forms::Form main(forms::FormSpec{"frmMain", "Main", forms::FormStyle::kMdiFrame, 9735, 6510, {}});
  context_.main_form = &main;
  std::string opened;
  host_.on_modal = [&](forms::Form& panel) {
    opened = panel.name();
    EXPECT_EQ(panel.style(), forms::FormStyle::kBorderless);
    panel.control("Image2").UserClick();
  };
  Open().control("Command4").UserClick();
  EXPECT_EQ(opened, "frmDrv");
  EXPECT_EQ(host_.modal, std::vector<std::string>{"frmDrv"});
  EXPECT_EQ(host_.destroyed.front(), "frmDrv");
  context_.main_form = nullptr;
}

TEST_F(DrivesPageTest, ALimitedAccountKeepsTheReportHideDrivesAndCAccess) {
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  for (const char* name : {"ImageCombo1", "Text1", "Text2", "Command1", "Command2", "Command3",
                           "Frame1", "Image3", "Label2", "Label3", "Label4", "Check1", "Check2"}) {
    EXPECT_FALSE(form.control(name).enabled()) << name;
  }
  for (const char* name : {"Command4", "Image1", "Image2", "Text3"}) {
    EXPECT_TRUE(form.control(name).enabled()) << name;
  }
}

class DrivePanelTest : public test::PageTest {
 protected:
  DrivePanelTest() : PageTest(MakeDrivePanelPage) {}
  std::int32_t Mask() { return reg_.GetDwordValue(HKCU, kExplorer, "NoDrives", -1); }
  std::string Checked() {
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      if (page_->form().check(BoxOf(letter)).value() == 1) letters += letter;
    }
    return letters;
  }
  static std::string BoxOf(char letter) {
    if (letter == 'X') return "xCh";
    if (letter == 'Y') return "yCh";
    return std::string(1, static_cast<char>(letter - 'A' + 'a'));
  }
  void ClickBox(char letter) { page_->form().check(BoxOf(letter)).UserClick(); }
};

TEST_F(DrivePanelTest, ValidMasksShowTheirLettersAndOpeningWritesNothing) {
  Open();
  EXPECT_EQ(Checked(), "");
  EXPECT_TRUE(api_.writes.empty()) << "absent: nothing is written";
  EXPECT_EQ(page_->form().check("a").caption(), "A:\\");
  EXPECT_EQ(page_->form().check("yCh").caption(), "Y:\\");

  struct Case {
    std::int32_t mask;
    const char* letters;
  };
  for (const Case& c : {Case{4, "C"}, Case{0x3FFFFFF, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
                        Case{0x2000001, "AZ"}, Case{0x1800000, "XY"}, Case{0, ""}}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoDrives", c.mask).ok());
    api_.writes.clear();
    Open();
    EXPECT_EQ(Checked(), c.letters) << c.mask;
    EXPECT_TRUE(api_.writes.empty()) << c.mask;
    EXPECT_TRUE(fakes_.messages.shown().empty());
  }
}

TEST_F(DrivePanelTest, AMaskWithHigherBitsIsReportedOnceAndReset) {
  for (std::int32_t mask : {0x4000000, -1}) {
    EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoDrives", mask).ok());
    fakes_.messages.Clear();
    Open();
    ASSERT_EQ(fakes_.messages.shown().size(), 1u) << mask;
    const ShownMessage& shown = fakes_.messages.shown()[0];
    EXPECT_EQ(shown.text,
              "Error - Kelmor Deskwarden will show all drives, after, you can hide any drive you "
              "want.");
    EXPECT_EQ(shown.icon(), mb::kIconInformation);
    EXPECT_EQ(shown.title, "Kelmor Deskwarden");
    EXPECT_EQ(Mask(), 0) << mask;
    EXPECT_EQ(Checked(), "");
  }
}

TEST_F(DrivePanelTest, EachClickRereadsTheMaskAndChangesOnlyItsOwnBit) {
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoDrives", 4).ok());
  Open();
  ClickBox('C');
  EXPECT_EQ(Mask(), 0);
  ClickBox('D');
  EXPECT_EQ(Mask(), 8);
  // Another program hides Z: meanwhile: that survives the next click.
  EXPECT_TRUE(reg_.SaveDwordValue(HKCU, kExplorer, "NoDrives", 8 | 0x2000000).ok());
  ClickBox('A');
  EXPECT_EQ(Mask(), 1 | 8 | 0x2000000);
  ClickBox('D');
  EXPECT_EQ(Mask(), 1 | 0x2000000);
  ClickBox('Y');
  EXPECT_EQ(Mask(), 1 | 0x1000000 | 0x2000000);

  // Dragging by the background; the close picture unloads the panel.
  page_->form().on_mouse_down(1);
  EXPECT_EQ(host_.drags, std::vector<std::string>{"frmDrv"});
  page_->form().control("Image2").UserClick();
  EXPECT_EQ(host_.destroyed, std::vector<std::string>{"frmDrv"});
}

}  // namespace
}  // namespace kdw::pages
