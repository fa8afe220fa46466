// Replays the committed corpus of every fuzz target through its property check: the seeds, and
// the inputs that once broke a property, named after the fault they found. A broken property
// aborts with its message, which fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>

#include "FuzzCheck.h"

namespace kel::fuzz {

namespace {

struct TCorpusEntry {
  const TTarget* Target;
  std::filesystem::path File;
};

// Failure messages name the entry rather than dump its bytes.
void PrintTo(const TCorpusEntry& Entry, std::ostream* Out) {
  *Out << Entry.Target->Name << "/" << Entry.File.filename().string();
}

std::vector<TCorpusEntry> CorpusEntries() {
  std::vector<TCorpusEntry> entries;
  for (const TTarget& target : Targets()) {
    std::error_code missing;  // a target without a folder has no entries
    std::set<std::filesystem::path> files;
    for (const auto& file : std::filesystem::directory_iterator(
             std::filesystem::path(KEL_FUZZ_CORPUS) / target.Name, missing))
      if (file.is_regular_file()) files.insert(file.path());
    for (const auto& file : files) entries.push_back({&target, file});
  }
  return entries;
}

String TestName(const testing::TestParamInfo<TCorpusEntry>& Info) {
  String name = String(Info.param.Target->Name) + "_" + Info.param.File.filename().string();
  std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
  return name;
}

class CorpusReplayTest : public testing::TestWithParam<TCorpusEntry> {};

TEST_P(CorpusReplayTest, KeepsEveryProperty) {
  std::ifstream file(GetParam().File, std::ios::binary);
  ASSERT_TRUE(file) << GetParam().File;
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  RunCheck(GetParam().Target->Check, TBytes(bytes));
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplayTest, testing::ValuesIn(CorpusEntries()), TestName);

TEST(CorpusReplayTest, EveryTargetHasSeeds) {
  std::set<std::string> seeded;
  for (const TCorpusEntry& entry : CorpusEntries()) seeded.insert(entry.Target->Name);
  for (const TTarget& target : Targets()) EXPECT_EQ(seeded.count(target.Name), 1u) << target.Name;
}

}  // namespace

}  // namespace kel::fuzz
