// The system locale as the window layer reports it: the primary language of the user's locale,
// as the classic primary language identifiers number them (English 0x09, Korean 0x12, ...).
//
// It is read once from the environment (LC_ALL, then LC_MESSAGES, then LANG: "ko_KR.UTF-8"
// gives Korean; "C", "POSIX" or nothing gives English) and can be replaced for a while with a
// TSystemLocaleScope, which is how tests exercise locale-dependent behaviour.
#pragma once

#include <cstdint>
#include <string_view>

namespace kel {

using TLanguageId = std::uint16_t;

constexpr TLanguageId LANG_NEUTRAL = 0x00;
constexpr TLanguageId LANG_CHINESE = 0x04;
constexpr TLanguageId LANG_GERMAN = 0x07;
constexpr TLanguageId LANG_ENGLISH = 0x09;
constexpr TLanguageId LANG_SPANISH = 0x0A;
constexpr TLanguageId LANG_FRENCH = 0x0C;
constexpr TLanguageId LANG_ITALIAN = 0x10;
constexpr TLanguageId LANG_JAPANESE = 0x11;
constexpr TLanguageId LANG_KOREAN = 0x12;
constexpr TLanguageId LANG_RUSSIAN = 0x19;

// The primary language of a POSIX locale name ("ko_KR.UTF-8", "de", "C"); LANG_NEUTRAL for a
// language this table does not know.
TLanguageId PrimaryLanguageOfLocale(std::string_view LocaleName);

// The primary language of the system locale: the scope's while a TSystemLocaleScope is alive,
// else the environment's.
TLanguageId SystemPrimaryLanguage();

// Makes the system locale report Language until the scope ends; scopes nest.
class TSystemLocaleScope {
 public:
  explicit TSystemLocaleScope(TLanguageId Language);
  ~TSystemLocaleScope();
  TSystemLocaleScope(const TSystemLocaleScope&) = delete;
  TSystemLocaleScope& operator=(const TSystemLocaleScope&) = delete;

 private:
  int FPrevious;  // the language in force before, or -1 for the environment's
};

}  // namespace kel
