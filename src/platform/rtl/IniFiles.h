// Settings stores made of sections of Key=Value lines.
//
//   TCustomIniFile    the protocol: typed reads and writes, listing and erasing sections
//   TMemIniFile       all values in memory; read from its file at creation, written by UpdateFile
//   TIniFile          a TMemIniFile that writes its file after every change (write-through)
//   TRegistryIniFile  a TIniFile standing in for a registry key of the current user
//
// Sections and keys compare case-insensitively and keep the case they were first written with.
// Reading a file skips blank lines, comments (";" or "#"), lines without "=", lines starting
// with "[" that name no section, and values before the first section; keys and values are trimmed. An existing file that cannot be read raises.
// Written files hold "[Section]" lines followed by "Key=Value" lines, with a blank line between
// sections; comments of the original file are not kept. Files are replaced atomically.
//
// Registry keys map to files under a per-user root: the key path "\Software\Ombry
// Software\KelDBGrid" becomes "<root>/Software/Ombry Software/KelDBGrid.ini", its subkeys
// become sections and their values keys. The root is $KEL_REGISTRY_ROOT when set, else
// $XDG_CONFIG_HOME/kel-registry, else ~/.config/kel-registry.
#pragma once

#include <utility>
#include <vector>

#include "platform/classes/Object.h"
#include "platform/rtl/Types.h"

namespace kel {

class TStrings;

class TCustomIniFile : public TObject {
  KEL_CLASS(TCustomIniFile, TObject)

 public:
  explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& Section, const String& Ident,
                            const String& Default) const = 0;
  // Raises EIniFileException for a name or value the file could not hold: an empty section or
  // key, a line break anywhere, "=" in a key, a key starting with ";", "#" or "[", or a value
  // starting or ending with a blank. Keys are looked up trimmed, as the file holds them.
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  // Decimal or hexadecimal ("0x", "$"); Default when missing or not a number.
  int ReadInteger(const String& Section, const String& Ident, int Default) const;
  void WriteInteger(const String& Section, const String& Ident, int Value);
  // Stored as "1" and "0"; any non-zero number reads as true.
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  void WriteBool(const String& Section, const String& Ident, bool Value);

  // Each of these clears Strings first. ReadSection lists the keys of a section, ReadSections
  // the section names, ReadSectionValues the "Key=Value" lines of a section.
  virtual void ReadSection(const String& Section, TStrings* Strings) const = 0;
  virtual void ReadSections(TStrings* Strings) const = 0;
  virtual void ReadSectionValues(const String& Section, TStrings* Strings) const = 0;
  // A section exists when it holds at least one key.
  virtual bool SectionExists(const String& Section) const = 0;
  virtual bool ValueExists(const String& Section, const String& Ident) const = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void EraseSection(const String& Section) = 0;
  // Writes pending changes to the file (nothing to do for stores that write through).
  virtual void UpdateFile() = 0;

 private:
  String FFileName;  // the file (or key path) given at creation
};

class TMemIniFile : public TCustomIniFile {
  KEL_CLASS(TMemIniFile, TCustomIniFile)

 public:
  // Reads FileName when it exists; an empty name makes a store that lives only in memory.
  explicit TMemIniFile(const String& FileName);

  String ReadString(const String& Section, const String& Ident,
                    const String& Default) const override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) const override;
  void ReadSections(TStrings* Strings) const override;
  void ReadSectionValues(const String& Section, TStrings* Strings) const override;
  bool SectionExists(const String& Section) const override;
  bool ValueExists(const String& Section, const String& Ident) const override;
  void DeleteKey(const String& Section, const String& Ident) override;
  void EraseSection(const String& Section) override;
  // Writes every section to StoreFileName, creating its directory when missing.
  void UpdateFile() override;

  // The file the values are read from and written to.
  const String& StoreFileName() const { return FStoreFileName; }

 protected:
  // A store known by FileName whose values live in StoreFileName.
  TMemIniFile(const String& FileName, const String& StoreFileName);
  // Called after each write that changed a value.
  virtual void Modified() {}

 private:
  struct TIniSection {
    String FName;
    std::vector<std::pair<String, String>> FValues;  // key and value, in file order
  };

  void LoadValues();
  String FileText() const;
  const TIniSection* FindSection(const String& Section) const;
  TIniSection* FindSection(const String& Section);
  // Index of Ident in the section's values; -1 when absent.
  static int IndexOfKey(const TIniSection& Section, const String& Ident);

  String FStoreFileName;              // file backing the store; empty = memory only
  std::vector<TIniSection> FSections;  // in file order
};

class TIniFile : public TMemIniFile {
  KEL_CLASS(TIniFile, TMemIniFile)

 public:
  explicit TIniFile(const String& FileName) : TMemIniFile(FileName) {}

 protected:
  TIniFile(const String& FileName, const String& StoreFileName)
      : TMemIniFile(FileName, StoreFileName) {}
  void Modified() override { UpdateFile(); }
};

class TRegistryIniFile : public TIniFile {
  KEL_CLASS(TRegistryIniFile, TIniFile)

 public:
  // FileName() answers KeyPath; StoreFileName() the file it maps to.
  explicit TRegistryIniFile(const String& KeyPath);
};

// The file a registry key path maps to (see the top of this file). Raises EIniFileException
// for a path without names or with a "." or ".." component.
String RegistryKeyFileName(const String& KeyPath);

}  // namespace kel
