// The system locale: the environment's language, mapped to primary language identifiers.
#include "platform/ui/Locale.h"

#include <array>
#include <cstdlib>
#include <utility>

namespace kel {

namespace {

// -1 while no scope replaces the environment's language.
int GOverride = -1;

constexpr std::array<std::pair<std::string_view, TLanguageId>, 33> KnownLanguages{{
    {"ar", 0x01}, {"bg", 0x02}, {"ca", 0x03}, {"zh", LANG_CHINESE}, {"cs", 0x05},
    {"da", 0x06}, {"de", LANG_GERMAN}, {"el", 0x08}, {"en", LANG_ENGLISH}, {"es", LANG_SPANISH},
    {"fi", 0x0B}, {"fr", LANG_FRENCH}, {"he", 0x0D}, {"hu", 0x0E}, {"is", 0x0F},
    {"it", LANG_ITALIAN}, {"ja", LANG_JAPANESE}, {"ko", LANG_KOREAN}, {"nl", 0x13}, {"nb", 0x14},
    {"no", 0x14}, {"pl", 0x15}, {"pt", 0x16}, {"ro", 0x18}, {"ru", LANG_RUSSIAN},
    {"hr", 0x1A}, {"sk", 0x1B}, {"sv", 0x1D}, {"th", 0x1E}, {"tr", 0x1F},
    {"uk", 0x22}, {"et", 0x25}, {"lt", 0x27},
}};

// The first locale variable that is set and not empty, as POSIX ranks them for messages.
std::string_view EnvironmentLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    if (const char* value = std::getenv(variable); value && *value) return value;
  return {};
}

}  // namespace

TLanguageId PrimaryLanguageOfLocale(std::string_view LocaleName) {
  if (LocaleName.empty() || LocaleName == "C" || LocaleName == "POSIX" || LocaleName.starts_with("C."))
    return LANG_ENGLISH;
  const std::string_view language = LocaleName.substr(0, LocaleName.find_first_of("_.@"));
  for (const auto& [code, id] : KnownLanguages)
    if (code == language) return id;
  return LANG_NEUTRAL;
}

TLanguageId SystemPrimaryLanguage() {
  if (GOverride >= 0) return static_cast<TLanguageId>(GOverride);
  static const TLanguageId environment = PrimaryLanguageOfLocale(EnvironmentLocaleName());
  return environment;
}

TSystemLocaleScope::TSystemLocaleScope(TLanguageId Language) : FPrevious(GOverride) {
  GOverride = Language;
}

TSystemLocaleScope::~TSystemLocaleScope() { GOverride = FPrevious; }

}  // namespace kel
