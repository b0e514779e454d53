// The listing and the reference come from the catalogue: the listing reads
// back into every indexed setting, and the committed reference is what the
// catalogue makes today.
#include "shell/settings_reference.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "pages/office/office_version.h"
#include "pages/settings_index.h"
#include "platform/fakes.h"
#include "registry/memory_registry.h"
#include "shell/tools.h"

namespace kdw::shell {
namespace {

// A reader of the listing written apart from the writer: a line a setting,
// tab-separated fields.
std::vector<std::vector<std::string>> ReadListing(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    lines.push_back(std::move(fields));
  }
  return lines;
}

TEST(SettingsReferenceTest, TheListingReadsBackIntoEveryIndexedSetting) {
  MemoryRegistry api;
  Registry registry{api};
  EXPECT_TRUE(registry.SaveStringValue(HKLM, pages::kOfficeChoiceKey, pages::kOfficeChoiceValue,
                                       "Office 2003").ok());
  FakeFileSystem files;
  std::string output;
  std::string error;
  const CommandLine command = ParseCommandLine(" -LIST ");
  ASSERT_EQ(command.action, CommandLine::kList);
  ASSERT_EQ(RunCommandLine(registry, files, command, &output, &error), 0);
  EXPECT_TRUE(error.empty());

  const auto lines = ReadListing(output);
  const auto settings = pages::IndexSettings(registry);
  ASSERT_EQ(lines.size(), settings.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto& fields = lines[i];
    ASSERT_EQ(fields.size(), 8u) << i;
    EXPECT_FALSE(fields[0].empty()) << "a section for " << fields[1];
    EXPECT_EQ(fields[1], settings[i].caption);
    EXPECT_EQ(fields[2].rfind("HKEY_", 0), 0u) << fields[1];
    EXPECT_EQ(fields[3], settings[i].key);
    EXPECT_EQ(fields[3].find(pages::kVersionMark), std::string::npos) << "the stored version's key";
    EXPECT_TRUE(fields[5] == "REG_DWORD" || fields[5] == "REG_SZ" || fields[5] == "REG_EXPAND_SZ")
        << fields[5];
    EXPECT_EQ(fields[6], pages::WhenText(settings[i].effect));
    EXPECT_EQ(fields[7], settings[i].explanation);
  }
}

TEST(SettingsReferenceTest, TheCommittedReferenceIsWhatTheCatalogueMakes) {
  std::ifstream in(KDW_SETTINGS_REFERENCE, std::ios::binary);
  ASSERT_TRUE(in) << KDW_SETTINGS_REFERENCE;
  std::stringstream committed;
  committed << in.rdbuf();
  MemoryRegistry api;
  const Registry registry{api};
  EXPECT_TRUE(committed.str() == SettingsReference(registry))
      << "docs/settings.md is out of date: cmake --build --preset native --target settings_reference";
}

}  // namespace
}  // namespace kdw::shell
