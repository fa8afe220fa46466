// TKelDBGridSettings, the grid's Settings: where the grid's layout is kept (an INI file or a
// registry key, and the section), when it is loaded and saved, what it holds, and the layout
// lines themselves.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/classes/Classes.h"

namespace kel {

class TKelCustomDBGrid;
class TStrings;

enum TKelSettingsOption : std::uint8_t {
  soLoadLayout,    // load the layout automatically
  soSaveLayout,    // save the layout automatically
  soUserSettings,  // the two switches above are stored in the layout and read back from it
  soOrderFields,   // the layout holds the sort order
  soLinesCount,    // the layout holds LinesCount
  soStretchMode,   // the layout holds StretchMode
};
KEL_ENUM_NAMES(TKelSettingsOption, "soLoadLayout", "soSaveLayout", "soUserSettings",
               "soOrderFields", "soLinesCount", "soStretchMode")
using TKelSettingsOptions = TSet<TKelSettingsOption>;
inline constexpr TKelSettingsOptions DefaultSettingsOptions{soLoadLayout, soSaveLayout};

class TKelDBGridSettings : public TPersistent {
  KEL_CLASS(TKelDBGridSettings, TPersistent)

 public:
  explicit TKelDBGridSettings(TKelCustomDBGrid* AGrid);
  ~TKelDBGridSettings() override;
  // Published: Active, FileName, IniFile, Layout, Options, Section (stored when set).
  static const TPropList& PublishedProperties();

  TKelCustomDBGrid* Grid() const { return FGrid; }
  // Automatic load and save are in force.
  bool Active() const { return FActive; }
  // Refused while saving and loading layouts is not built.
  void SetActive(bool Value);
  // INI file name or registry key; empty means the default.
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // True: an INI file; false: the registry.
  bool IniFile() const { return FIniFile; }
  void SetIniFile(bool Value) { FIniFile = Value; }
  // The layout lines (name=value).
  TStrings* Layout() const;
  void SetLayoutLines(TStrings* Value);
  TKelSettingsOptions Options() const { return FOptions; }
  void SetOptions(TKelSettingsOptions Value) { FOptions = Value; }
  void SwitchOptions(TKelSettingsOptions Value, bool On);
  // The section; reads as GetDefaultSection while not set, and setting the default clears it.
  String Section() const;
  void SetSection(const String& Value);
  bool IsSectionStored() const { return !FSection.empty(); }
  // "Owner.Grid" (the grid's name, after its owner's name when that has one); empty when the
  // grid has no name.
  String GetDefaultSection() const;

  // The grid finished loading outside design mode: the layout loads when data first arrives.
  bool LoadPending() const { return FLoadPending; }
  void SetLoadPending(bool Value) { FLoadPending = Value; }

  // Read the stored layout and apply it (the grid calls this when its data first arrives), and
  // write it (when the grid is destroyed).
  virtual void AutoLoadLayout();
  virtual void AutoSaveLayout();

  void Assign(TPersistent* Source) override;

 private:
  TKelCustomDBGrid* FGrid;  // owner
  bool FActive = false;
  String FFileName;
  bool FIniFile = false;
  std::unique_ptr<TStrings> FLayout;
  TKelSettingsOptions FOptions = DefaultSettingsOptions;
  String FSection;          // empty: the default section
  bool FLoadPending = false;
};

}  // namespace kel
