#include "shell/tools.h"

#include <utility>

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

// "/templates DIR": the templates describe settings, not this machine's
// data, so no registry is read.
int RunTemplatesCommand(FileSystem& files, const CommandLine& command, std::string* error) {
  if (command.action != CommandLine::kTemplates) {
    *error = "kdw3: /templates needs the folder to write into: kdw3 /templates DIR";
    return 1;
  }
  if (!files.IsFolder(command.file)) {
    *error = "kdw3: there is no folder " + command.file + " to write the policy templates into";
    return 1;
  }
  std::string failed;
  if (!WritePolicyTemplatesTo(files, command.file, &failed)) {
    *error = "kdw3: the policy templates could not be written to " + failed;
    return 1;
  }
  return 0;
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
  const std::pair<std::string, const PolicyFile*> written[] = {
      {MachinePolicyFile(folder), &policy.machine}, {UserPolicyFile(folder), &policy.user}};
  for (const auto& [path, file] : written) {
    if (!files.MakeFolder(FolderOfPath(path)) || !files.ReplaceWholeFile(path, file->bytes())) {
      *failed = path;
      return false;
    }
  }
  return true;
}

std::string MachinePolicyFile(const std::string& folder) {
  return InFolder(folder, "Machine\\Registry.pol");
}

std::string UserPolicyFile(const std::string& folder) {
  return InFolder(folder, "User\\Registry.pol");
}

bool WritePolicyTemplatesTo(FileSystem& files, const std::string& folder, std::string* failed) {
  const PolicyTemplates templates = MakePolicyTemplates();
  const std::pair<std::string, const std::string*> written[] = {
      {AdmxFile(folder), &templates.admx},
      {AdmlFile(folder), &templates.adml},
      {AdmFile(folder), &templates.adm}};
  for (const auto& [path, text] : written) {
    if (!files.MakeFolder(FolderOfPath(path)) ||
        !files.ReplaceWholeFile(path, Bytes(text->begin(), text->end()))) {
      *failed = path;
      return false;
    }
  }
  return true;
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
  if (command.action == CommandLine::kImport || command.option == "/import")
    return RunImportCommand(registry, files, command, output, error);
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
    std::string failed;
    if (!files.IsFolder(command.file)) {
      *error = "kdw3: there is no folder " + command.file + " to write the policy files into";
      return 1;
    }
    if (!ExportPolicyFilesTo(registry, files, command.file, secrets, &failed)) {
      *error = "kdw3: the settings could not be written to " + failed;
      return 1;
    }
    return 0;
  }
  if (!ExportSettingsTo(registry, files, command.file, secrets)) {
    *error = "kdw3: the settings could not be written to " + command.file;
    return 1;
  }
  return 0;
}

}  // namespace kdw::shell
