// frmInfos through its control models: the two owner boxes and the eight
// information lines.
#include "pages/shell/computer_info_page.h"

#include <gtest/gtest.h>

#include "tests/pages/page_test.h"

namespace kdw::pages {
namespace {

constexpr const char* kCurrentVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kSystem = "Hardware\\Description\\System";
constexpr const char* kProcessor = "Hardware\\Description\\System\\CentralProcessor\\0";

class ComputerInfoPageTest : public test::PageTest {
 protected:
  ComputerInfoPageTest() : PageTest(MakeComputerInfoPage) {}
  std::string Line(const char* label) { return page_->form().control(label).caption(); }
  void StoreMulti(const char* name, const std::string& data) {
    RegKey key = 0;
    api_.CreateKey(HKLM, kSystem, &key);
    api_.SetValue(key, name, regtype::kMultiSz, reinterpret_cast<const std::uint8_t*>(data.data()),
                  static_cast<std::uint32_t>(data.size()));
    api_.CloseKey(key);
  }

};

TEST_F(ComputerInfoPageTest, InformationLinesShowTheirPrefixAndTheFirstOfAList) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kProcessor, "Identifier", "x86 Family 6 Model 15 Stepping 11").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kProcessor, "VendorIdentifier", "GenuineIntel").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kSystem, "Identifier", "AT/AT COMPATIBLE").ok());
  StoreMulti("SystemBiosVersion", std::string("DELL   - 27d70402\0Phoenix ROM BIOS\0\0", 36));
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kSystem, "SystemBiosDate", "02/15/07").ok());
  StoreMulti("VideoBiosVersion", std::string("Version 1.0\0\0", 13));
  api_.writes.clear();
  forms::Form& form = Open();
  EXPECT_EQ(form.caption(), "Computer Informations");
  EXPECT_EQ(Line("Label1"), "Registered to:");
  EXPECT_EQ(Line("Label2"), "CPU Name: ") << "no ProcessorNameString";
  EXPECT_EQ(Line("Label3"), "Identifier: x86 Family 6 Model 15 Stepping 11");
  EXPECT_EQ(Line("Label4"), "Vendor Identifier: GenuineIntel");
  EXPECT_EQ(Line("Label5"), "Identifier: AT/AT COMPATIBLE");
  EXPECT_EQ(Line("Label6"), "System BIOS Version: DELL   - 27d70402");
  EXPECT_EQ(Line("Label7"), "System BIOS Date: 02/15/07");
  EXPECT_EQ(Line("Label8"), "Video BIOS Date: ");
  EXPECT_EQ(Line("Label9"), "Video BIOS Version: Version 1.0");
  EXPECT_EQ(form.control("Frame1").caption(), "CPU");
  EXPECT_EQ(form.control("Frame2").caption(), "BIOS");
  // The owner boxes are empty: the only writes are the account probe's.
  for (const std::string& write : api_.writes) EXPECT_NE(write.find("Account"), std::string::npos);
}

TEST_F(ComputerInfoPageTest, OwnerBoxesWriteEveryKeystrokeAndAnEmptyBoxStaysAValue) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kCurrentVersion, "RegisteredOwner", "Ann").ok());
  forms::Form& form = Open();
  EXPECT_EQ(form.text("Text1").text(), "Ann");
  form.text("Text2").UserEdit("K");
  form.text("Text2").UserEdit("Ke");
  EXPECT_EQ(reg_.GetStringValue(HKLM, kCurrentVersion, "RegisteredOrganization"), "Ke");
  form.text("Text1").UserEdit("");
  EXPECT_EQ(reg_.ValuePresence(HKLM, kCurrentVersion, "RegisteredOwner"), Presence::kThere);
  EXPECT_EQ(reg_.GetStringValue(HKLM, kCurrentVersion, "RegisteredOwner", "<none>"), "");
}

TEST_F(ComputerInfoPageTest, LimitedAccountSeesTheOwnerButCannotChangeIt) {
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kCurrentVersion, "RegisteredOwner", "Ann").ok());
  EXPECT_TRUE(reg_.SaveStringValue(HKLM, kProcessor, "ProcessorNameString", "Intel(R) Core(TM)2 CPU").ok());
  api_.SetMachineWideReadOnly(true);
  forms::Form& form = Open();
  EXPECT_FALSE(form.text("Text1").enabled());
  EXPECT_FALSE(form.text("Text2").enabled());
  EXPECT_EQ(form.text("Text1").text(), "Ann");
  EXPECT_EQ(Line("Label2"), "CPU Name: Intel(R) Core(TM)2 CPU");
}

}  // namespace
}  // namespace kdw::pages
