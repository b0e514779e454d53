// What the Tools menu does beside finding a setting, and the command line
// that exports without a window.
#pragma once

#include <string>

#include "pages/export.h"
#include "platform/file_system.h"
#include "registry/registry.h"

namespace kdw::shell {

// Writes every page's settings to the file, replacing it whole. False when
// the file cannot be written; no half-written file is left.
bool ExportSettingsTo(const Registry& registry, FileSystem& files, const std::string& path,
                      pages::Secrets secrets = pages::Secrets::kLeftOut);

// What the program was asked to do on its command line.
struct CommandLine {
  enum Action {
    kRun,     // the program as ever: no arguments, or none it knows
    kExport,  // "/export FILE [/with-secrets]": write the file, show no window
    kUsage,   // "/export" without a file name
  } action = kRun;
  std::string file;
  // "/with-secrets": the automatic logon password goes into the file too.
  bool with_secrets = false;
};

// The arguments after the program's name, as Windows hands them over: a
// file name with blanks is in double quotes. "/export" and "-export" alike,
// in any case; so "/with-secrets", before or after the file name.
CommandLine ParseCommandLine(const std::string& arguments);

// Runs "/export FILE": the exit code (0 written, 1 not), and in *error the
// line for standard error when it fails.
int RunExportCommand(const Registry& registry, FileSystem& files, const CommandLine& command,
                     std::string* error);

}  // namespace kdw::shell
