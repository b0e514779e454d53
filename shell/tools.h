// What the Tools menu does beside finding a setting, and the command line
// that exports without a window.
#pragma once

#include <optional>
#include <string>

#include "pages/export.h"
#include "platform/file_system.h"
#include "registry/registry.h"

namespace kdw::shell {

// Writes every page's settings to the file, replacing it whole. False when
// the file cannot be written; no half-written file is left.
bool ExportSettingsTo(const Registry& registry, FileSystem& files, const std::string& path,
                      pages::Secrets secrets = pages::Secrets::kLeftOut);

// Writes the policy files into the folder: Machine\Registry.pol and
// User\Registry.pol, the two folders made when missing (the folder itself
// must exist). False when one cannot be written, and *failed names it; a
// file is replaced whole or not at all.
bool ExportPolicyFilesTo(const Registry& registry, FileSystem& files, const std::string& folder,
                         pages::Secrets secrets, std::string* failed);
// The two files' paths, machine first.
std::string MachinePolicyFile(const std::string& folder);
std::string UserPolicyFile(const std::string& folder);

// Writes the Group Policy templates into the folder, which must exist:
// kdw3.admx, en-US\kdw3.adml (the en-US folder made when missing) and
// kdw3.adm. False when one cannot be written, and *failed names it; each file
// is replaced whole or not at all.
bool WritePolicyTemplatesTo(FileSystem& files, const std::string& folder, std::string* failed);
std::string AdmxFile(const std::string& folder);
std::string AdmlFile(const std::string& folder);
std::string AdmFile(const std::string& folder);

// What the program was asked to do on its command line.
struct CommandLine {
  enum Action {
    kRun,        // the program as ever: no arguments, or none it knows
    kExport,     // "/export FILE [/with-secrets]": write the file, show no window
    kExportGpo,  // "/export-gpo DIR [/with-secrets]": the policy files, no window
    kList,       // "/list": every setting on standard output, no window
    kTemplates,  // "/templates DIR": the Group Policy templates, no window
    kImport,     // "/import FILE [/user|/machine] [/preview]": apply or show, no window
    kUsage,      // any of those without its file or folder
  } action = kRun;
  std::string option;  // "/export", "/export-gpo", "/templates" or "/import", for the usage line
  std::string file;    // the file, or the folder
  // "/with-secrets": the automatic logon password goes into the file too.
  bool with_secrets = false;
  // "/preview": the import only shows what would change.
  bool preview = false;
  // "/user" or "/machine": the hive a policy file is for, where its folder
  // does not say.
  std::optional<Hive> policy_hive;
};

// The arguments after the program's name, as Windows hands them over: a
// file name with blanks is in double quotes. "/export" and "-export" alike,
// in any case; so "/export-gpo" and "/templates", and "/with-secrets"
// before or after the file name.
CommandLine ParseCommandLine(const std::string& arguments);

// Runs any action but kRun: what it prints goes to `output`, what went
// wrong (one line) to `error`; the exit code.
int RunCommandLine(const Registry& registry, FileSystem& files, const CommandLine& command,
                   std::string* output, std::string* error);
// Runs "/import FILE [/user|/machine] [/preview]": 0 applied (or, with
// /preview, nothing would change), 1 the file unreadable or bad and nothing
// written, 2 some writes refused (each named in *error), 3 with /preview
// when something would change. What changes goes to *output.
int RunImportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* output, std::string* error);
// Runs "/export FILE" or "/export-gpo DIR": the exit code (0 written, 1
// not), and in *error the line for standard error when it fails.
int RunExportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* error);

}  // namespace kdw::shell
