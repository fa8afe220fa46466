// The style adjustment tables and their start-up contents.
#include "KelDBGrids/KelStyleTables.h"

#include <algorithm>

#include "platform/ui/Styles.h"

namespace kel {

TKelStyleTable::TKelStyleTable(std::initializer_list<std::pair<const char*, int>> Entries) {
  for (const auto& [name, value] : Entries) SetValue(name, value);
}

int TKelStyleTable::Value(const String& Name) const {
  const auto found = std::find_if(FEntries.begin(), FEntries.end(),
                                  [&](const auto& entry) { return entry.first == Name; });
  return found == FEntries.end() ? 0 : found->second;
}

void TKelStyleTable::SetValue(const String& Name, int Value) {
  const auto found = std::find_if(FEntries.begin(), FEntries.end(),
                                  [&](const auto& entry) { return entry.first == Name; });
  if (found == FEntries.end()) FEntries.emplace_back(Name, Value);
  else found->second = Value;
}

TKelStyleTable& CellFrameStyles() {
  static TKelStyleTable table{
      {"Aqua Graphite", 1}, {"Golden Graphite", 1}, {"Ruby Graphite", 1}, {"Amakrits", 2},
      {"Auric", 1}, {"Carbon", 1}, {"Glossy", 1}};
  return table;
}

TKelStyleTable& FixedTextStyles() {
  static TKelStyleTable table{
      {"Aqua Light Slate", -90}, {"Emerald Light Slate", -90}, {"Amethyst Kamri", -25},
      {"Sapphire Kamri", -25}, {"Smokey Quartz Kamri", -25}, {"Iceberg Classico", -90},
      {"Lavender Classico", -90}, {"Slate Classico", -90}, {"Cyan Dusk", -100},
      {"Cyan Night", -50}, {"Carbon", 25}, {"Charcoal Dark Slate", 50}, {"Metro Green", -10},
      {"Metro Blue", 20}, {"Metro Black", -20}, {"Light", -90}, {"Silver", -90}, {"Luna", -90},
      {"Metropolis UI Blue", 20}, {"Diamond", -50}, {"Sterling", -120}, {"Coral", -50},
      {"Emerald", -40}, {"Sky", -90}, {"Tablet Light", -50}, {"Radiant", -120}, {"Vapor", -30},
      {"Windows10", -100}, {"Copper", -90}, {"Onyx Blue", 30}, {"Windows10 Blue", 40},
      {"CopperDark", 50}, {"Windows10 Green", 40}, {"Windows10 Purple", 40},
      {"Blizzard Blue", -90}, {"Blizzard Blue 2", -90}, {"CornflowerBlue Expressive", -35},
      {"Fiord", -40}, {"Fiord Flat", -90}, {"Flat UI Light", -30}, {"Gainsboro Sky Light", -90},
      {"Gainsboro Sky Light 2", -90}, {"Lovender", -50}, {"Madang", -90}, {"Madison Dark", 60},
      {"Material Pattens Blue", -60}, {"Material White Smoke", -30},
      {"Material White Smoke 2", -30}, {"Material White Texture", -30}, {"Paradiso", -40},
      {"Quartz", -70}, {"Quartz Flat", -70}, {"Regal Blue LE", 20}, {"Sienna Green Light", -45},
      {"Sienna Green Light LB", -45}, {"Solitude", -60}, {"Solitude DB", -60}, {"Stellar", 25},
      {"Stellar Dark", 25}, {"Wedgewood Light", -35}, {"Windows10 Malibu", -45},
      {"Windows10 Office Light", -20}, {"Windows10 Office Light 2", -20},
      {"Windows10 Solitude", -30}, {"Windows10 WhiteSmoke", -30}, {"Windows10 Zodiac", 30},
      {"Windows10 Zodiac 2", 30}, {"Zodiac", 30}, {"Zodiac LE", 30}};
  return table;
}

TKelStyleTable& FlatStyles() {
  static TKelStyleTable table = [] {
    TKelStyleTable flat{
          {"Amakrits", 1}, {"Metro Green", 1}, {"Metro Blue", 1}, {"Metro Black", 1}, {"Light", 1},
          {"Metropolis UI Green", 1}, {"Metropolis UI Blue", 1}, {"Metropolis UI Dark", 1},
          {"Metropolis UI Black", 1}, {"TabletDark", 1}, {"Coral", 1}, {"Emerald", 1}, {"Glow", 1},
          {"Tablet Light", 1}, {"Radiant", 1}, {"Vapor", 1}, {"Windows10", 1}, {"Copper", 1},
          {"Windows10 Blue", 1}, {"Windows10 Dark", 1}, {"CopperDark", 1}, {"Windows10 Green", 1},
          {"Windows10 Purple", 1}, {"Windows10 SlateGray", 1}, {"Black Rock", 1},
          {"Blizzard Blue", 1}, {"Blizzard Blue 2", 1}, {"Calypso", 1}, {"Calypso LE", 1},
          {"Charcoal Expressive", 1}, {"Cloud Burst", 1}, {"CornflowerBlue Expressive", 1},
          {"Dark Outlet", 1}, {"Dark Outlet 2", 1}, {"Dark Outlet LE", 1}, {"Dark Outlet LE 2", 1},
          {"Fiord Flat", 1}, {"Flat UI Light", 1}, {"Lovender", 1}, {"Madang", 1},
          {"Material Black Pearl", 1}, {"Material Black Pearl 2", 1}, {"Material Oxford Blue", 1},
          {"Material Oxford Blue 2", 1}, {"Material Pattens Blue", 1}, {"Material White Smoke", 1},
          {"Material White Smoke 2", 1}, {"Material White Texture", 1}, {"Night Rider", 1},
          {"Night Rider 2", 1}, {"Paradiso", 1}, {"Quartz", 1}, {"Quartz Flat", 1}, {"Regal Blue", 1},
          {"Regal Blue LE", 1}, {"Sienna Green Light", 1}, {"Sienna Green Light LB", 1},
          {"Solitude", 1}, {"Solitude DB", 1}, {"Stellar", 1}, {"Stellar Dark", 1},
          {"Windows10 BlackPearl", 1}, {"Windows10 Blue Whale", 1}, {"Windows10 Blue Whale LE", 1},
          {"Windows10 Malibu", 1}, {"Windows10 Media", 1}, {"Windows10 Media 2", 1},
          {"Windows10 Office Dark", 1}, {"Windows10 Office Dark2", 1}, {"Windows10 Office Light", 1},
          {"Windows10 Office Light 2", 1}, {"Windows10 OxfordBlue", 1}, {"Windows10 Solitude", 1},
          {"Windows10 Vulcan", 1}, {"Windows10 Vulcan LE", 1}, {"Windows10 WhiteSmoke", 1},
          {"Windows10 Zodiac", 1}, {"Windows10 Zodiac 2", 1}, {"Zodiac", 1}, {"Zodiac LE", 1}};
    // The system look counts as flat from the platform version whose own controls are flat.
    if (CheckPlatformVersion(6, 2)) flat.SetValue(TStyleManager::SystemStyleName, 1);
    return flat;
  }();
  return table;
}

TKelStyleTable& SelectRowStyles() {
  static TKelStyleTable table{
      {"Iceberg Classico", 10}, {"Lavender Classico", 10}, {"Slate Classico", 10},
      {"Amakrits", -110}, {"Auric", -75}, {"Silver", 15}, {"Luna", 15}, {"Obsidian", 15},
      {"Jet", -60}, {"Sterling", -50}, {"Glow", -60}, {"Vapor", -110}, {"Windows10 Green", -40},
      {"Windows10 SlateGray", -60}, {"Blizzard Blue", -50}, {"Blizzard Blue 2", -50},
      {"Calypso", 5}, {"Calypso LE", 5}, {"Fiord", -10}, {"Fiord Flat", -55},
      {"Flat UI Light", 10}, {"Gainsboro Sky Light", -10}, {"Gainsboro Sky Light 2", -10},
      {"Lovender", -5}, {"Madang", -5}, {"Madison Dark", 10}, {"Material Black Pearl", 5},
      {"Material Black Pearl 2", 5}, {"Material Oxford Blue", -10},
      {"Material Oxford Blue 2", -10}, {"Material White Smoke", 10},
      {"Material White Smoke 2", 10}, {"Material White Texture", 10}, {"Quartz", -10},
      {"Quartz Flat", -10}, {"Regal Blue LE", 20}, {"Wedgewood Light", 10},
      {"Windows10 Blue Whale", -50}, {"Windows10 Blue Whale LE", 10},
      {"Windows10 Office Light", 10}, {"Windows10 Office Light 2", 10},
      {"Windows10 OxfordBlue", -35}, {"Windows10 WhiteSmoke", 10}};
  return table;
}

}  // namespace kel
