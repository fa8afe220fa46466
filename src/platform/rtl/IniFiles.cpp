// INI stores: the typed helpers of TCustomIniFile, the in-memory store of TMemIniFile with its
// file reading (tolerant) and writing (atomic), and the mapping of registry key paths to files.
#include "platform/rtl/IniFiles.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <utility>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/SysUtils.h"

namespace kel {

namespace {

bool HasLineBreak(const String& s) { return s.find_first_of("\r\n") != String::npos; }

// Refuses names and values that would not read back as written.
void CheckWritable(const String& Section, const String& Ident, const String& Value) {
  if (Section.empty() || HasLineBreak(Section))
    throw EIniFileException("Invalid section name \"" + Section + "\"");
  const String key = Trim(Ident);
  if (key.empty() || HasLineBreak(Ident) || key.find('=') != String::npos ||
      key.find_first_of(";#[") == 0)
    throw EIniFileException("Invalid key name \"" + Ident + "\" in section \"" + Section + "\"");
  if (HasLineBreak(Value))
    throw EIniFileException("The value of \"" + Ident + "\" in section \"" + Section +
                            "\" holds a line break");
  // Reading trims values, so blanks at either end would not come back.
  if (Trim(Value).size() != Value.size())
    throw EIniFileException("The value of \"" + Ident + "\" in section \"" + Section +
                            "\" starts or ends with a blank");
}

// A missing file is an empty store; anything else that exists must be readable.
bool EntryExists(const String& FileName) {
  struct stat info {};
  return ::stat(FileName.c_str(), &info) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

String HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
  throw EIniFileException("Cannot find the home directory for the registry store");
}

String RegistryRoot() {
  if (const char* root = std::getenv("KEL_REGISTRY_ROOT"); root && *root) return root;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const String base = config && *config == '/' ? String(config) : HomeDirectory() + "/.config";
  return IncludeTrailingPathDelimiter(base) + "kel-registry";
}

// Writes Text to FileName through a temporary file, so a failure leaves the old file whole.
void ReplaceFile(const String& FileName, const String& Text) {
  const String directory = ExtractFilePath(FileName);
  if (!directory.empty()) ForceDirectories(directory);
  const String temporary = FileName + ".new";
  try {
    TFileStream file(temporary, fmCreate);
    file.WriteBuffer(Text.data(), static_cast<Int64>(Text.size()));
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
  if (std::rename(temporary.c_str(), FileName.c_str()) != 0) {
    const String reason = std::error_code(errno, std::generic_category()).message();
    std::remove(temporary.c_str());
    throw EFCreateError("Cannot create file \"" + FileName + "\". " + reason);
  }
}

}  // namespace

// --- TCustomIniFile --------------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) const {
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) const {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

// --- TMemIniFile: file -----------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TMemIniFile(FileName, FileName) {}

TMemIniFile::TMemIniFile(const String& FileName, const String& StoreFileName)
    : TCustomIniFile(FileName), FStoreFileName(StoreFileName) {
  LoadValues();
}

void TMemIniFile::LoadValues() {
  if (FStoreFileName.empty() || !EntryExists(FStoreFileName)) return;
  TStringList lines;
  lines.LoadFromFile(FStoreFileName);
  int current = -1;  // index of the section being read; -1 before the first one
  for (const String& rawLine : lines) {
    const String line = Trim(rawLine);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[') {
      // "[Name" is no section, nor a key a store could write back.
      if (line.back() != ']') continue;
      // "[]" names nothing: the lines under it belong to no section.
      current = -1;
      if (line.size() == 2) continue;
      const String name = line.substr(1, line.size() - 2);
      const TIniSection* section = FindSection(name);
      if (!section) FSections.push_back({name, {}});
      current = static_cast<int>((section ? section : &FSections.back()) - FSections.data());
      continue;
    }
    const std::size_t split = line.find('=');
    if (current < 0 || split == String::npos) continue;
    TIniSection& section = FSections[static_cast<std::size_t>(current)];
    const String key = Trim(line.substr(0, split));
    // A repeated key keeps its first value, as lookups always found the first.
    if (key.empty() || IndexOfKey(section, key) >= 0) continue;
    section.FValues.emplace_back(key, Trim(line.substr(split + 1)));
  }
}

String TMemIniFile::FileText() const {
  String text;
  for (const TIniSection& section : FSections) {
    if (!text.empty()) text += '\n';
    text += '[' + section.FName + "]\n";
    for (const auto& [key, value] : section.FValues) text += key + '=' + value + '\n';
  }
  return text;
}

void TMemIniFile::UpdateFile() {
  if (!FStoreFileName.empty()) ReplaceFile(FStoreFileName, FileText());
}

// --- TMemIniFile: values ---------------------------------------------------------------------

const TMemIniFile::TIniSection* TMemIniFile::FindSection(const String& Section) const {
  for (const TIniSection& section : FSections)
    if (SameText(section.FName, Section)) return &section;
  return nullptr;
}

TMemIniFile::TIniSection* TMemIniFile::FindSection(const String& Section) {
  return const_cast<TIniSection*>(std::as_const(*this).FindSection(Section));
}

int TMemIniFile::IndexOfKey(const TIniSection& Section, const String& Ident) {
  // Keys are stored trimmed, as they are read from a file.
  const String key = Trim(Ident);
  for (std::size_t i = 0; i < Section.FValues.size(); ++i)
    if (SameText(Section.FValues[i].first, key)) return static_cast<int>(i);
  return -1;
}

String TMemIniFile::ReadString(const String& Section, const String& Ident,
                               const String& Default) const {
  const TIniSection* section = FindSection(Section);
  const int index = section ? IndexOfKey(*section, Ident) : -1;
  return index < 0 ? Default : section->FValues[static_cast<std::size_t>(index)].second;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  CheckWritable(Section, Ident, Value);
  TIniSection* section = FindSection(Section);
  if (!section) section = &FSections.emplace_back(TIniSection{Section, {}});
  const int index = IndexOfKey(*section, Ident);
  if (index < 0) {
    section->FValues.emplace_back(Trim(Ident), Value);
  } else {
    String& stored = section->FValues[static_cast<std::size_t>(index)].second;
    if (stored == Value) return;
    stored = Value;
  }
  Modified();
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) const {
  TStringsUpdate update(Strings);
  Strings->Clear();
  if (const TIniSection* section = FindSection(Section))
    for (const auto& [key, value] : section->FValues) Strings->Add(key);
  update.Close();
}

void TMemIniFile::ReadSections(TStrings* Strings) const {
  TStringsUpdate update(Strings);
  Strings->Clear();
  for (const TIniSection& section : FSections) Strings->Add(section.FName);
  update.Close();
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) const {
  TStringsUpdate update(Strings);
  Strings->Clear();
  if (const TIniSection* section = FindSection(Section))
    for (const auto& [key, value] : section->FValues) Strings->Add(key + '=' + value);
  update.Close();
}

bool TMemIniFile::SectionExists(const String& Section) const {
  const TIniSection* section = FindSection(Section);
  return section && !section->FValues.empty();
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident) const {
  const TIniSection* section = FindSection(Section);
  return section && IndexOfKey(*section, Ident) >= 0;
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  TIniSection* section = FindSection(Section);
  const int index = section ? IndexOfKey(*section, Ident) : -1;
  if (index < 0) return;
  section->FValues.erase(section->FValues.begin() + index);
  Modified();
}

void TMemIniFile::EraseSection(const String& Section) {
  const TIniSection* section = FindSection(Section);
  if (!section) return;
  FSections.erase(FSections.begin() + (section - FSections.data()));
  Modified();
}

// --- Registry stand-in -----------------------------------------------------------------------

String RegistryKeyFileName(const String& KeyPath) {
  String relative;
  std::size_t start = 0;
  while (start <= KeyPath.size()) {
    const std::size_t end = std::min(KeyPath.find_first_of("\\/", start), KeyPath.size());
    const String name = KeyPath.substr(start, end - start);
    if (name == "." || name == "..")
      throw EIniFileException("Invalid registry key \"" + KeyPath + "\"");
    if (!name.empty()) relative += PathDelim + name;
    start = end + 1;
  }
  if (relative.empty()) throw EIniFileException("Invalid registry key \"" + KeyPath + "\"");
  return RegistryRoot() + relative + ".ini";
}

TRegistryIniFile::TRegistryIniFile(const String& KeyPath)
    : TIniFile(KeyPath, RegistryKeyFileName(KeyPath)) {}

}  // namespace kel
