#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "EnvironmentScope.h"
#include "TempDirectory.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace kel {
namespace {

using Lines = std::vector<String>;
using testing_support::TEnvironmentScope;
using testing_support::TTempDirectory;

Lines LinesOf(const TStrings& strings) {
  Lines lines;
  for (const String& line : strings) lines.push_back(line);
  return lines;
}

String FileText(const String& path) {
  TFileStream file(path, fmOpenRead);
  return file.ReadToEnd();
}

void WriteFile(const String& path, const String& text) {
  TFileStream file(path, fmCreate);
  file.WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

// --- Round trips through a real file ---------------------------------------------------------

TEST(IniFile, WritesAReadableFileAndReadsItBack) {
  TTempDirectory directory;
  const String path = directory.File("app.ini");
  {
    TIniFile ini(path);
    EXPECT_EQ(ini.FileName(), path);
    ini.WriteInteger("Form1.Grid1", "Columns", 2);
    ini.WriteString("Form1.Grid1", "Column1", "CustNo,64,1,0");
    ini.WriteBool("Options", "AutoLoad", true);
    ini.WriteBool("Options", "AutoSave", false);
    // Write-through: the file is complete before the object goes.
    EXPECT_EQ(FileText(path),
              "[Form1.Grid1]\n"
              "Columns=2\n"
              "Column1=CustNo,64,1,0\n"
              "\n"
              "[Options]\n"
              "AutoLoad=1\n"
              "AutoSave=0\n");
  }
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));

  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("form1.grid1", "COLUMNS", 0), 2);
  EXPECT_EQ(ini.ReadString("Form1.Grid1", "column1", ""), "CustNo,64,1,0");
  EXPECT_TRUE(ini.ReadBool("Options", "AutoLoad", false));
  EXPECT_FALSE(ini.ReadBool("Options", "AutoSave", true));
  EXPECT_EQ(ini.ReadString("Missing", "Columns", "fallback"), "fallback");
}

// --- Reading tolerates malformed lines but not unreadable files -------------------------------

TEST(IniFile, MalformedLinesAreSkipped) {
  TTempDirectory directory;
  const String path = directory.File("messy.ini");
  WriteFile(path,
            "\xEF\xBB\xBF"
            "orphan=before any section\r\n"
            "; a comment\r\n"
            "  [Main]  \r\n"
            "  Key  =  spaced value  \r\n"
            "no separator here\r\n"
            "# another comment\r\n"
            "=no key\r\n"
            "Key=second definition\r\n"
            "Empty=\r\n"
            "[unclosed\r\n"
            "[]\r\n"
            "lost=under an empty header\r\n"
            "[main]\r\n"
            "Merged=yes\n");
  TIniFile ini(path);
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(LinesOf(sections), (Lines{"Main"}));
  TStringList values;
  ini.ReadSectionValues("Main", &values);
  EXPECT_EQ(LinesOf(values), (Lines{"Key=spaced value", "Empty=", "Merged=yes"}));
}

TEST(IniFile, MissingFileIsEmptyButUnreadableFileRaises) {
  TTempDirectory directory;
  TIniFile fresh(directory.File("not-yet.ini"));
  TStringList sections;
  fresh.ReadSections(&sections);
  EXPECT_EQ(sections.Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(directory.File("not-yet.ini")));

  std::filesystem::create_directory(directory.File("folder.ini"));
  EXPECT_THROW(TIniFile(directory.File("folder.ini")), EFOpenError);
}

TEST(IniFile, ValuesThatCannotBeStoredRaiseAndChangeNothing) {
  TTempDirectory directory;
  const String path = directory.File("strict.ini");
  TIniFile ini(path);
  ini.WriteString("S", "k", "v");
  const struct {
    const char* Section;
    const char* Key;
    const char* Value;
  } cases[] = {
      {"", "k", "v"},    {"a\nb", "k", "v"},          {"S", "  ", "v"},       {"S", "a=b", "v"},
      {"S", "[k", "v"},  {"S", "k", "two\nlines"}, {"S", "k", " lead"}, {"S", "k", "trail\t"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(String(c.Section) + "/" + c.Key + "/" + c.Value);
    EXPECT_THROW(ini.WriteString(c.Section, c.Key, c.Value), EIniFileException);
  }
  EXPECT_EQ(FileText(path), "[S]\nk=v\n");
}

// --- Registry stand-in -----------------------------------------------------------------------

TEST(RegistryIniFile, KeyPathsMapToFilesUnderTheRoot) {
  TTempDirectory directory;
  TEnvironmentScope root("KEL_REGISTRY_ROOT", directory.Path().c_str());
  const String base = directory.Path();
  const std::pair<const char*, String> cases[] = {
      {"\\Software\\Ombry Software\\KelDBGrid", base + "/Software/Ombry Software/KelDBGrid.ini"},
      {"\\Software\\\\App\\", base + "/Software/App.ini"},
      {"Software/App", base + "/Software/App.ini"},
  };
  for (const auto& [key, file] : cases) EXPECT_EQ(RegistryKeyFileName(key), file) << key;
  for (const char* bad : {"", "\\Software\\..\\Escape"})
    EXPECT_THROW(RegistryKeyFileName(bad), EIniFileException) << bad;
}

TEST(RegistryIniFile, StoresSubkeysAsSectionsInTheMappedFile) {
  TTempDirectory directory;
  TEnvironmentScope root("KEL_REGISTRY_ROOT", directory.Path().c_str());
  const String key = "\\Software\\Ombry Software\\KelDBGrid";
  const String file = directory.Path() + "/Software/Ombry Software/KelDBGrid.ini";
  {
    TRegistryIniFile registry(key);
    EXPECT_EQ(registry.StoreFileName(), file);
    registry.WriteString("MainForm.Grid", "Columns", "1");
  }
  EXPECT_EQ(FileText(file), "[MainForm.Grid]\nColumns=1\n");
  TRegistryIniFile again(key);
  EXPECT_EQ(again.ReadInteger("mainform.grid", "columns", 0), 1);
  again.EraseSection("MainForm.Grid");
  EXPECT_EQ(FileText(file), "");
}

}  // namespace
}  // namespace kel
