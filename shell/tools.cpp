#include "shell/tools.h"

#include "base/text.h"

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

}  // namespace

bool ExportSettingsTo(const Registry& registry, FileSystem& files, const std::string& path,
                      pages::Secrets secrets) {
  const std::string text = pages::ExportSettings(registry, secrets);
  return files.ReplaceWholeFile(path, Bytes(text.begin(), text.end()));
}

CommandLine ParseCommandLine(const std::string& arguments) {
  std::size_t at = 0;
  const std::string first = FoldCase(NextArgument(arguments, &at));
  CommandLine command;
  if (first != "/export" && first != "-export") return command;
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
  command.action = command.file.empty() ? CommandLine::kUsage : CommandLine::kExport;
  return command;
}

int RunExportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* error) {
  if (command.action != CommandLine::kExport) {
    *error = "kdw3: /export needs the name of the file to write: kdw3 /export FILE [/with-secrets]";
    return 1;
  }
  const pages::Secrets secrets =
      command.with_secrets ? pages::Secrets::kIncluded : pages::Secrets::kLeftOut;
  if (!ExportSettingsTo(registry, files, command.file, secrets)) {
    *error = "kdw3: the settings could not be written to " + command.file;
    return 1;
  }
  return 0;
}

}  // namespace kdw::shell
