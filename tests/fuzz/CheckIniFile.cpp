// INI files and the registry mapping, by the selector's low bits: 0, a file whose values written
// to another store read back equal from its file; 1, a script of "op section key value" parts
// (writes, deletions, erasures) where a write raises EIniFileException changing nothing or reads
// back as written, also from the file; 2, a registry key path: EIniFileException, or an ".ini"
// file under the registry root without empty, "." or ".." components.
#include <cstdlib>
#include <fstream>

#include "FuzzCheck.h"
#include "platform/rtl/IniFiles.h"
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

void CheckFile(const String& Text) {
  const String source = ScratchFile("source.ini");
  std::ofstream(source, std::ios::binary) << Text;
  const TMemIniFile read(source);
  const String target = ScratchFile("target.ini");
  TMemIniFile copy(target);
  TStringList sections;
  read.ReadSections(&sections);
  for (const String& section : sections) {
    TStringList keys;
    read.ReadSection(section, &keys);
    for (const String& key : keys) copy.WriteString(section, key, read.ReadString(section, key, "?"));
  }
  copy.UpdateFile();
  const TMemIniFile reread(target);
  Expect(Contents(reread) == Contents(read), "values read from a file write and read back equal");
}

void CheckScript(const TInput& Input) {
  const String path = ScratchFile("script.ini");
  TMemIniFile ini(path);
  for (std::size_t part = 0; part + 3 < Input.Parts.size(); part += 4) {
    const String &op = Input.Part(part), &section = Input.Part(part + 1);
    const String &key = Input.Part(part + 2), &value = Input.Part(part + 3);
    if (op == "d") {
      ini.DeleteKey(section, key);
      Expect(!ini.ValueExists(section, key), "a deleted key is gone");
    } else if (op == "e") {
      ini.EraseSection(section);
      Expect(!ini.SectionExists(section), "an erased section is gone");
    } else if (SucceedsOrChangesNothing<EIniFileException>([&] { ini.WriteString(section, key, value); },
                                                          [&] { return Contents(ini); },
                                                          "a refused write leaves the store as it was")) {
      Expect(ini.ReadString(section, key, value + "?") == value, "a value reads back as written");
    }
  }
  ini.UpdateFile();
  const TMemIniFile reread(path);
  Expect(Contents(reread) == Contents(ini), "a store reads back equal from its file");
}

void CheckRegistryPath(const String& KeyPath) {
  static const String root = [] {
    const String directory = ScratchFile("registry");
    setenv("KEL_REGISTRY_ROOT", directory.c_str(), 1);
    return directory;
  }();
  String file;
  if (!Succeeds<EIniFileException>([&] { file = RegistryKeyFileName(KeyPath); })) return;
  Expect(file.compare(0, root.size() + 1, root + "/") == 0, "a key maps under the registry root");
  Expect(file.size() > root.size() + 5 && file.ends_with(".ini"), "a key maps to an .ini file");
  const String relative = file.substr(root.size()) + "/";
  Expect(relative.find("/./") == String::npos && relative.find("/../") == String::npos &&
             relative.find("//") == String::npos,
         "a key maps to a path without empty, . or .. components");
}

}  // namespace

void CheckIniFile(TBytes Data) {
  const TInput input = TInput::Split(Data, 64);
  switch (input.Selector % 3) {
    case 0: CheckFile(TInput::Split(Data, 1).Part(0)); break;
    case 1: CheckScript(input); break;
    default: CheckRegistryPath(input.Part(0)); break;
  }
}

}  // namespace kel::fuzz
