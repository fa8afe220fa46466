// Shared by the demo's tests: a fresh temporary folder per test, single values read from a
// database file by hand through SQLite's own API, and whether the test runs in the live leg.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../../platform/rtl/TempDirectory.h"

namespace kel::demo {

class TTempFolderTest : public ::testing::Test {
 protected:
  testing_support::TTempDirectory Temp;
  std::filesystem::path Folder{Temp.Path()};
};

// The first column of the first row of SQL as text ("" for NULL or no row).
inline std::string QueryText(const std::filesystem::path& Database, const std::string& SQL) {
  sqlite3* raw = nullptr;
  sqlite3_open_v2(Database.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
  sqlite3_stmt* statement = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(raw, SQL.c_str(), -1, &statement, nullptr), SQLITE_OK) << SQL;
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> guard(statement, &sqlite3_finalize);
  if (!statement || sqlite3_step(statement) != SQLITE_ROW) return "";
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
  return text ? text : "";
}

// The live leg runs on a virtual display with the SDL backend.
inline bool Live() {
  const char* backend = std::getenv("KEL_BACKEND");
  return backend && std::string(backend) == "sdl";
}

inline double QueryNumber(const std::filesystem::path& Database, const std::string& SQL) {
  return std::atof(QueryText(Database, SQL).c_str());
}

}  // namespace kel::demo
