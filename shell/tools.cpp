#include "shell/tools.h"

#include <utility>
#include <vector>

#include "base/text.h"
#include "shell/import.h"
#include "shell/policy_templates.h"
#include "shell/settings_reference.h"

namespace kdw::shell {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The next argument from `at`: quotes group blanks and are dropped.
std::string NextArgument(const std::string& text, std::size_t* at) {
  std::size_t i = *at;
  while (i < text.size() && IsBlank(text[i])) ++i;
  std::string argument;
  bool quoted = false;
  for (; i < text.size(); ++i) {
    if (text[i] == '"') {
      quoted = !quoted;
      continue;
    }
    if (!quoted && IsBlank(text[i])) break;
    argument += text[i];
  }
  *at = i;
  return argument;
}

// A path inside the folder, which may end with its backslash ("C:\\").
std::string InFolder(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
  return folder + "\\" + name;
}

// Writes each file, its folder made when missing. False at the first that
// cannot be written, and *failed names it.
bool WriteFiles(FileSystem& files, const std::vector<std::pair<std::string, Bytes>>& written,
                std::string* failed) {
  for (const auto& [path, bytes] : written) {
    if (!files.MakeFolder(FolderOfPath(path)) || !files.ReplaceWholeFile(path, bytes)) {
      *failed = path;
      return false;
    }
  }
  return true;
}

// A command writing `contents` into its folder, which must exist, by
// `write` (false and the file named when one fails): the exit code, and in
// *error the line saying the folder is missing or `written` could not be.
template <typename Write>
int WriteIntoFolder(FileSystem& files, const std::string& folder, const char* contents,
                    const char* written, Write write, std::string* error) {
  if (!files.IsFolder(folder)) {
    *error = "kdw3: there is no folder " + folder + " to write " + contents + " into";
    return 1;
  }
  std::string failed;
  if (!write(&failed)) {
    *error = std::string("kdw3: ") + written + " could not be written to " + failed;
    return 1;
  }
  return 0;
}

// "/templates DIR": the templates describe settings, not this machine's
// data, so no registry is read.
int RunTemplatesCommand(FileSystem& files, const CommandLine& command, std::string* error) {
  if (command.action != CommandLine::kTemplates) {
    *error = "kdw3: /templates needs the folder to write into: kdw3 /templates DIR";
    return 1;
  }
  return WriteIntoFolder(
      files, command.file, "the policy templates", "the policy templates",
      [&](std::string* failed) { return WritePolicyTemplatesTo(files, command.file, failed); },
      error);
}

CommandLine ParseImport(const std::string& arguments, std::size_t at) {
  CommandLine command;
  command.option = "/import";
  bool both = false;
  while (at < arguments.size()) {
    const std::string argument = NextArgument(arguments, &at);
    std::string folded = FoldCase(argument);
    if (!folded.empty() && folded[0] == '-') folded[0] = '/';
    if (folded == "/preview") {
      command.preview = true;
    } else if (folded == "/user" || folded == "/machine") {
      const Hive hive = folded == "/user" ? HKCU : HKLM;
      both = both || (command.policy_hive && *command.policy_hive != hive);
      command.policy_hive = hive;
    } else if (command.file.empty()) {
      command.file = argument;
    }
  }
  command.action = command.file.empty() || both ? CommandLine::kUsage : CommandLine::kImport;
  return command;
}

}  // namespace

bool ExportSettingsTo(const Registry& registry, FileSystem& files, const std::string& path,
                      pages::Secrets secrets) {
  const std::string text = pages::ExportSettings(registry, secrets);
  return files.ReplaceWholeFile(path, Bytes(text.begin(), text.end()));
}

bool ExportPolicyFilesTo(const Registry& registry, FileSystem& files, const std::string& folder,
                         pages::Secrets secrets, std::string* failed) {
  const pages::PolicyFiles policy = pages::ExportPolicyFiles(registry, secrets);
  return WriteFiles(files,
                    {{MachinePolicyFile(folder), policy.machine.bytes()},
                     {UserPolicyFile(folder), policy.user.bytes()}},
                    failed);
}

std::string MachinePolicyFile(const std::string& folder) {
  return InFolder(folder, "Machine\\Registry.pol");
}

std::string UserPolicyFile(const std::string& folder) {
  return InFolder(folder, "User\\Registry.pol");
}

bool WritePolicyTemplatesTo(FileSystem& files, const std::string& folder, std::string* failed) {
  const PolicyTemplates templates = MakePolicyTemplates();
  const auto bytes = [](const std::string& text) { return Bytes(text.begin(), text.end()); };
  return WriteFiles(files,
                    {{AdmxFile(folder), bytes(templates.admx)},
                     {AdmlFile(folder), bytes(templates.adml)},
                     {AdmFile(folder), bytes(templates.adm)}},
                    failed);
}

std::string AdmxFile(const std::string& folder) { return InFolder(folder, "kdw3.admx"); }
std::string AdmlFile(const std::string& folder) { return InFolder(folder, "en-US\\kdw3.adml"); }
std::string AdmFile(const std::string& folder) { return InFolder(folder, "kdw3.adm"); }

CommandLine ParseCommandLine(const std::string& arguments) {
  std::size_t at = 0;
  std::string first = FoldCase(NextArgument(arguments, &at));
  CommandLine command;
  if (!first.empty() && first[0] == '-') first[0] = '/';
  if (first == "/list") {
    command.action = CommandLine::kList;
    return command;
  }
  if (first == "/import") return ParseImport(arguments, at);
  if (first != "/export" && first != "/export-gpo" && first != "/templates") return command;
  command.option = first;
  // The first other argument names the file; any after it are ignored.
  while (at < arguments.size()) {
    const std::string argument = NextArgument(arguments, &at);
    const std::string folded = FoldCase(argument);
    if (folded == "/with-secrets" || folded == "-with-secrets") {
      command.with_secrets = true;
    } else if (command.file.empty()) {
      command.file = argument;
    }
  }
  command.action = command.file.empty()      ? CommandLine::kUsage
                   : first == "/export-gpo" ? CommandLine::kExportGpo
                   : first == "/templates"  ? CommandLine::kTemplates
                                            : CommandLine::kExport;
  return command;
}

int RunCommandLine(const Registry& registry, FileSystem& files, const CommandLine& command,
                   std::string* output, std::string* error) {
  if (command.option == "/templates") return RunTemplatesCommand(files, command, error);
  // An import parsed is kImport or kUsage, with "/import" as its option either way.
  if (command.option == "/import") return RunImportCommand(registry, files, command, output, error);
  if (command.action != CommandLine::kList) return RunExportCommand(registry, files, command, error);
  *output = SettingsList(registry);
  return 0;
}

int RunExportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* error) {
  if (command.action == CommandLine::kUsage && command.option == "/export-gpo") {
    *error = "kdw3: /export-gpo needs the folder to write into: kdw3 /export-gpo DIR [/with-secrets]";
    return 1;
  }
  if (command.action != CommandLine::kExport && command.action != CommandLine::kExportGpo) {
    *error = "kdw3: /export needs the name of the file to write: kdw3 /export FILE [/with-secrets]";
    return 1;
  }
  const pages::Secrets secrets =
      command.with_secrets ? pages::Secrets::kIncluded : pages::Secrets::kLeftOut;
  if (command.action == CommandLine::kExportGpo) {
    return WriteIntoFolder(
        files, command.file, "the policy files", "the settings",
        [&](std::string* failed) {
          return ExportPolicyFilesTo(registry, files, command.file, secrets, failed);
        },
        error);
  }
  if (!ExportSettingsTo(registry, files, command.file, secrets)) {
    *error = "kdw3: the settings could not be written to " + command.file;
    return 1;
  }
  return 0;
}

}  // namespace kdw::shell
