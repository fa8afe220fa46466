// INI files and the registry mapping. The selector's low bits choose:
//   0  a file: every value read from it can be written to another store, which reads back equal
//      from its own file;
//   1  a script of writes, deletions and erasures (a part each, "op section key value" split
//      by NUL): a write either raises EIniFileException and leaves the store as it was, or
//      reads back as written, from memory and from the file written by UpdateFile;
//   2  a registry key path: EIniFileException, or a file under the registry root, without "."
//      or ".." components, ending in ".ini".
#include <cstdlib>
#include <fstream>

#include "FuzzChecks.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/StrUtils.h"
#include "platform/rtl/Strings.h"

namespace kel::fuzz {

namespace {

// Every section that holds keys, with its "Key=Value" lines, in order: the whole state of a
// store (a section without keys does not exist).
String Contents(const TCustomIniFile& Ini) {
  TStringList sections;
  Ini.ReadSections(&sections);
  String contents;
  for (const String& section : sections) {
    TStringList values;
    Ini.ReadSectionValues(section, &values);
    if (values.Count() > 0) contents += "[" + section + "]\n" + values.Text();
  }
  return contents;
}

String ScratchFile(const char* Name) {
  const String path = ScratchDirectory() + "/" + Name;
  std::remove(path.c_str());
  return path;
}

void CheckFile(const String& Text) {
  const String source = ScratchFile("source.ini");
  std::ofstream(source, std::ios::binary) << Text;
  const TMemIniFile read(source);
  const String target = ScratchFile("target.ini");
  {
    TMemIniFile copy(target);
    TStringList sections;
    read.ReadSections(&sections);
    for (const String& section : sections) {
      TStringList keys;
      read.ReadSection(section, &keys);
      for (const String& key : keys) copy.WriteString(section, key, read.ReadString(section, key, "?"));
    }
    copy.UpdateFile();
  }
  const TMemIniFile reread(target);
  Expect(Contents(reread) == Contents(read), "values read from a file write and read back equal");
}

void CheckScript(const TInput& Input) {
  const String path = ScratchFile("script.ini");
  TMemIniFile ini(path);
  for (std::size_t part = 0; part + 3 < Input.Parts.size(); part += 4) {
    const String& op = Input.Part(part);
    const String& section = Input.Part(part + 1);
    const String& key = Input.Part(part + 2);
    const String& value = Input.Part(part + 3);
    const String before = Contents(ini);
    if (op == "d") {
      ini.DeleteKey(section, key);
      Expect(!ini.ValueExists(section, key), "a deleted key is gone");
    } else if (op == "e") {
      ini.EraseSection(section);
      Expect(!ini.SectionExists(section), "an erased section is gone");
    } else {
      try {
        ini.WriteString(section, key, value);
      } catch (const EIniFileException&) {
        Expect(Contents(ini) == before, "a refused write leaves the store as it was");
        continue;
      }
      Expect(ini.ReadString(section, key, value + "?") == value, "a value reads back as written");
    }
  }
  ini.UpdateFile();
  const TMemIniFile reread(path);
  Expect(Contents(reread) == Contents(ini), "a store reads back equal from its file");
}

void CheckRegistryPath(const String& KeyPath) {
  static const String root = [] {
    const String directory = ScratchDirectory() + "/registry";
    setenv("KEL_REGISTRY_ROOT", directory.c_str(), 1);
    return directory;
  }();
  String file;
  try {
    file = RegistryKeyFileName(KeyPath);
  } catch (const EIniFileException&) {
    return;
  }
  Expect(file.compare(0, root.size() + 1, root + "/") == 0, "a key maps under the registry root");
  Expect(file.size() > root.size() + 5 && file.compare(file.size() - 4, 4, ".ini") == 0,
         "a key maps to an .ini file");
  const String relative = file.substr(root.size()) + "/";
  Expect(relative.find("/./") == String::npos && relative.find("/../") == String::npos &&
             relative.find("//") == String::npos,
         "a key maps to a path without empty, . or .. components");
}

}  // namespace

void CheckIniFile(TBytes Data) {
  const TInput input = TInput::Split(Data, 64);
  switch (input.Selector % 3) {
    case 0: CheckFile(String(Data.begin() + (Data.empty() ? 0 : 1), Data.end())); break;
    case 1: CheckScript(input); break;
    default: CheckRegistryPath(input.Part(0)); break;
  }
}

}  // namespace kel::fuzz
