// The system locale: POSIX locale names mapped to primary languages, and the scope tests use.
#include <gtest/gtest.h>

#include "platform/ui/Ui.h"

namespace kel {
namespace {

TEST(LocaleTest, LocaleNamesGiveTheirPrimaryLanguage) {
  const std::pair<const char*, TLanguageId> cases[] = {
      {"ko_KR.UTF-8", LANG_KOREAN}, {"ko", LANG_KOREAN},      {"de_DE@euro", LANG_GERMAN},
      {"en_US.UTF-8", LANG_ENGLISH}, {"C", LANG_ENGLISH},     {"C.UTF-8", LANG_ENGLISH},
      {"POSIX", LANG_ENGLISH},       {"", LANG_ENGLISH},      {"ja_JP.eucJP", LANG_JAPANESE},
      {"xx_YY", LANG_NEUTRAL},       {"kok_IN", LANG_NEUTRAL},
  };
  for (const auto& [name, language] : cases) EXPECT_EQ(PrimaryLanguageOfLocale(name), language) << name;
}

TEST(LocaleTest, ScopesReplaceTheSystemLanguageAndNest) {
  const TLanguageId system = SystemPrimaryLanguage();
  {
    TSystemLocaleScope korean(LANG_KOREAN);
    EXPECT_EQ(SystemPrimaryLanguage(), LANG_KOREAN);
    {
      TSystemLocaleScope german(LANG_GERMAN);
      EXPECT_EQ(SystemPrimaryLanguage(), LANG_GERMAN);
    }
    EXPECT_EQ(SystemPrimaryLanguage(), LANG_KOREAN);
  }
  EXPECT_EQ(SystemPrimaryLanguage(), system);
}

}  // namespace
}  // namespace kel
