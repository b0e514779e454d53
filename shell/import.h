// Import of a .reg or policy file: what the file asks is matched to the
// catalogue, shown as the settings it would change, and carried out only
// for catalogued settings. An entry outside the catalogue is listed as left
// alone and never written, so a file can change nothing the pages do not
// show and the journal cannot take back.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pages/settings_index.h"
#include "platform/file_system.h"
#include "registry/registry.h"
#include "registry/registry_change.h"

namespace kdw::shell {

// Whether the file is read as a policy file: its name ends in ".pol".
bool IsPolicyFile(const std::string& path);
// The hive the folder of a policy file names: ...\User\Registry.pol is the
// current user's, ...\Machine\Registry.pol the machine's; none otherwise.
std::optional<Hive> PolicyHiveOf(const std::string& path);

// The file's changes, read as its name says; `hive` is the one a policy
// file is applied to. A policy file for the machine names HKCR as its
// Software\Classes: those changes come back as HKCR's.
ReadChanges ReadImportFile(const std::string& path, const Bytes& bytes, Hive hive);

struct ImportPlan {
  // What is carried out, in order: only catalogued values and keys, a
  // removed key's catalogued keys deepest first.
  std::vector<RegistryChange> steps;
  // The file's changes that touch no catalogued setting.
  std::vector<RegistryChange> left_alone;
};
ImportPlan PlanImport(const std::vector<pages::IndexedSetting>& settings,
                      const std::vector<RegistryChange>& changes);

// One setting the import would change, in words.
struct SettingChange {
  std::string section;
  std::string caption;
  std::string now;      // what is stored now
  std::string in_file;  // what it is after the import
};
// The catalogued settings the plan would change, in catalogue order; the
// registry is only read.
std::vector<SettingChange> PreviewImport(const Registry& registry,
                                         const std::vector<pages::IndexedSetting>& settings,
                                         const ImportPlan& plan);

struct ImportResult {
  int written = 0;  // values and keys changed
  // Each change Windows refused: "HKEY_...\path\name (access is denied)".
  std::vector<std::string> refused;
};
// Carries out the steps; what already holds what the file says is not
// written again. Goes on past a refused change, and names it.
ImportResult ApplyImport(const Registry& registry, const ImportPlan& plan);

}  // namespace kdw::shell
