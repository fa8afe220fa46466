// The style manager: the registered styles, the active one, and the switch that swaps the system
// palette and repaints every form; the platform's version and theming answers.
#include "platform/ui/Styles.h"

#include <algorithm>

#include "platform/ui/Forms.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StylesPrivate.h"

namespace kel {

namespace {

struct TStyleRegistry {
  std::vector<TStyleInfo> Styles = ShippedStyles();
  std::size_t Active = 0;  // index into Styles; 0 = the system look
};

TStyleRegistry& Registry() {
  static TStyleRegistry registry;
  return registry;
}

const TStyleInfo* FindStyle(const String& Name) {
  const auto& styles = Registry().Styles;
  const auto found = std::find_if(styles.begin(), styles.end(),
                                  [&](const TStyleInfo& style) { return style.Name == Name; });
  return found == styles.end() ? nullptr : &*found;
}

void NotifyStyleChanged(TWinControl* Parent) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    TControl* control = Parent->Controls(i);
    control->Perform(CM_STYLECHANGED);
    if (auto* child = dynamic_cast<TWinControl*>(control)) NotifyStyleChanged(child);
  }
}

void RepaintForms() {
  if (!Screen) return;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    form->Perform(CM_STYLECHANGED);
    NotifyStyleChanged(form);
    form->Invalidate();
  }
}

}  // namespace

const TPlatformVersion& PlatformVersion() {
  static const TPlatformVersion version;
  return version;
}

bool CheckPlatformVersion(int Major, int Minor) {
  const TPlatformVersion& version = PlatformVersion();
  return version.Major > Major || (version.Major == Major && version.Minor >= Minor);
}

bool IsVista() { return CheckPlatformVersion(6, 0); }

bool ThemeServicesEnabled() { return TStyleManager::IsCustomStyleActive(); }

const String& TStyleManager::ActiveStyleName() {
  return Registry().Styles[Registry().Active].Name;
}

bool TStyleManager::IsCustomStyleActive() { return Registry().Active != 0; }

std::vector<String> TStyleManager::StyleNames() {
  std::vector<String> names;
  for (const TStyleInfo& style : Registry().Styles) names.push_back(style.Name);
  return names;
}

bool TStyleManager::StyleExists(const String& Name) { return FindStyle(Name) != nullptr; }

void TStyleManager::SetStyle(const String& Name) {
  const TStyleInfo* style = FindStyle(Name);
  if (!style) throw EStyleNotFound("Style '" + Name + "' not found");
  TStyleRegistry& registry = Registry();
  const auto index = static_cast<std::size_t>(style - registry.Styles.data());
  if (index == registry.Active) return;
  registry.Active = index;
  SetSystemPalette(style->Palette);
  RepaintForms();
}

void TStyleManager::RegisterStyle(const TStyleInfo& Style) {
  if (Style.Name.empty()) throw EInvalidArgument("A style needs a name");
  if (FindStyle(Style.Name)) throw EInvalidArgument("Style '" + Style.Name + "' already exists");
  Registry().Styles.push_back(Style);
}

TStyleScope::TStyleScope(const String& Name) : FPrevious(TStyleManager::ActiveStyleName()) {
  TStyleManager::SetStyle(Name);
}

TStyleScope::~TStyleScope() { TStyleManager::SetStyle(FPrevious); }

}  // namespace kel
