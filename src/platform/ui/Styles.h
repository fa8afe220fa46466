// Visual styles: the style manager with the system look and the named custom styles, the
// platform's answers about its version and theming, and the style elements a control lets a
// custom style paint.
//
// Switching the style swaps the system palette (so every clBtnFace, clHighlight... follows it),
// sends CM_STYLECHANGED to every control of every form and repaints the forms.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Exceptions.h"

namespace kel {

// Which parts of a control a custom style paints: its font colour, client area and border.
enum TStyleElement : std::uint8_t { seFont, seClient, seBorder };
KEL_ENUM_NAMES(TStyleElement, "seFont", "seClient", "seBorder")
using TStyleElements = TSet<TStyleElement>;
inline constexpr TStyleElements AllStyleElements{seFont, seClient, seBorder};

// Raised for a style name the manager does not have.
class EStyleNotFound : public Exception {
 public:
  using Exception::Exception;
};

// A named look: the system palette it paints with.
struct TStyleInfo {
  String Name;
  TSystemPalette Palette{};
};

// The platform's version: at or above every version the library asks about.
struct TPlatformVersion {
  int Major = 10;
  int Minor = 0;
  int Build = 19045;
};
const TPlatformVersion& PlatformVersion();
// True when the platform is Major.Minor or later.
bool CheckPlatformVersion(int Major, int Minor);
// The platform offers the locale functions of Vista and later (it always does).
bool IsVista();
// Whether the platform's style services paint controls: the system look is drawn classic, by
// our own code, so only a custom style turns them on.
bool ThemeServicesEnabled();

class TStyleManager {
 public:
  // The system look, active at start.
  static constexpr const char* SystemStyleName = "Windows";

  static const String& ActiveStyleName();
  // A style other than the system look is active.
  static bool IsCustomStyleActive();
  // The system look first, then the custom styles in the order they were registered.
  static std::vector<String> StyleNames();
  static bool StyleExists(const String& Name);
  // Makes Name the active style (exact name). Raises EStyleNotFound and keeps the current style
  // when no style has that name. Repaints every form when the style changes.
  static void SetStyle(const String& Name);
  // Adds a style an application defines. Raises EInvalidArgument for an empty or taken name.
  static void RegisterStyle(const TStyleInfo& Style);
  // The RGB of a system colour in the active style; other colours unchanged.
  static TColor GetSystemColor(TColor Color) { return ColorToRGB(Color); }
};

// Activates a style for its lifetime and brings the previous one back (tests, previews).
class TStyleScope {
 public:
  explicit TStyleScope(const String& Name);
  ~TStyleScope();
  TStyleScope(const TStyleScope&) = delete;
  TStyleScope& operator=(const TStyleScope&) = delete;

 private:
  String FPrevious;
};

}  // namespace kel
