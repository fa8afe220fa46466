// TKelDBGridSettings: settings, the published table and the section names.
#include "KelDBGrids/KelDBGridSettings.h"

#include "KelDBGrids/KelDBGridsPrivate.h"
#include "platform/rtl/Strings.h"

namespace kel {

TKelDBGridSettings::TKelDBGridSettings(TKelCustomDBGrid* AGrid)
    : FGrid(AGrid), FLayout(std::make_unique<TStringList>()) {}

TKelDBGridSettings::~TKelDBGridSettings() = default;

const TPropList& TKelDBGridSettings::PublishedProperties() {
  using S = TKelDBGridSettings;
  static const TPropList list = PropertyTable<S>()
      .Boolean("Active", &S::Active, &S::SetActive, false)
      .String("FileName", &S::FileName, &S::SetFileName)
      .Boolean("IniFile", &S::IniFile, &S::SetIniFile, false)
      .Object("Layout", &S::Layout, &S::SetLayoutLines)
      .Set("Options", &S::Options, &S::SetOptions, DefaultSettingsOptions)
      .String("Section", &S::Section, &S::SetSection)
      .Stored("Section", &S::IsSectionStored);
  return list;
}

TStrings* TKelDBGridSettings::Layout() const { return FLayout.get(); }

void TKelDBGridSettings::SetLayoutLines(TStrings* Value) { FLayout->Assign(Value); }

void TKelDBGridSettings::SetActive(bool Value) {
  if (Value == FActive) return;
  if (Value) RaiseNotAvailable("TKelDBGridSettings.Active (saving and loading layouts)");
  FActive = Value;
}

void TKelDBGridSettings::SwitchOptions(TKelSettingsOptions Value, bool On) {
  SetOptions(On ? FOptions + Value : FOptions - Value);
}

String TKelDBGridSettings::GetDefaultSection() const {
  if (!FGrid || FGrid->Name().empty()) return {};
  TComponent* owner = FGrid->Owner();
  if (owner && !owner->Name().empty()) return owner->Name() + "." + FGrid->Name();
  return FGrid->Name();
}

String TKelDBGridSettings::Section() const {
  return FSection.empty() ? GetDefaultSection() : FSection;
}

void TKelDBGridSettings::SetSection(const String& Value) {
  FSection = Value == GetDefaultSection() ? String() : Value;
}

// TODO(layout persistence): read and apply, or build and write, the layout lines through the
// INI or registry store.
void TKelDBGridSettings::AutoLoadLayout() { RaiseNotAvailable("TKelDBGridSettings.AutoLoadLayout"); }
void TKelDBGridSettings::AutoSaveLayout() { RaiseNotAvailable("TKelDBGridSettings.AutoSaveLayout"); }

void TKelDBGridSettings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TKelDBGridSettings*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  SetActive(source->FActive);
  FFileName = source->FFileName;
  FIniFile = source->FIniFile;
  FLayout->Assign(source->FLayout.get());
  FOptions = source->FOptions;
  FSection = source->FSection;
}

}  // namespace kel
