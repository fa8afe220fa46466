// File names and the file system: path splitting is plain string work; existence tests and
// directory creation go through std::filesystem with error codes, so they never throw.
#include "platform/rtl/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/rtl/Exceptions.h"

namespace kel {

namespace {

// Offset of the "." starting the extension of the last name; npos when it has none.
std::size_t ExtensionStart(const String& FileName) {
  const std::size_t dot = FileName.find_last_of("./");
  return dot != String::npos && FileName[dot] == '.' ? dot : String::npos;
}

}  // namespace

String ExeName() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw EInvalidOperation("Cannot read the program's name: " + error.message());
  return path.string();
}

String ChangeFileExt(const String& FileName, const String& Extension) {
  return FileName.substr(0, ExtensionStart(FileName)) + Extension;
}

String ExtractFileExt(const String& FileName) {
  const std::size_t dot = ExtensionStart(FileName);
  return dot == String::npos ? String() : FileName.substr(dot);
}

String ExtractFileName(const String& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  return slash == String::npos ? FileName : FileName.substr(slash + 1);
}

String ExtractFilePath(const String& FileName) {
  const std::size_t slash = FileName.rfind(PathDelim);
  return slash == String::npos ? String() : FileName.substr(0, slash + 1);
}

String IncludeTrailingPathDelimiter(const String& Path) {
  return !Path.empty() && Path.back() == PathDelim ? Path : Path + PathDelim;
}

bool FileExists(const String& FileName) {
  std::error_code error;
  const auto status = std::filesystem::status(FileName, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool DirectoryExists(const String& Directory) {
  std::error_code error;
  return std::filesystem::is_directory(Directory, error);
}

bool ForceDirectories(const String& Directory) {
  if (Directory.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(Directory, error);
  return DirectoryExists(Directory);
}

String GetTempDirectory() {
  const char* temp = std::getenv("TMPDIR");
  return IncludeTrailingPathDelimiter(temp && *temp ? temp : "/tmp");
}

}  // namespace kel
