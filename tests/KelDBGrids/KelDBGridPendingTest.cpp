// Operations whose work is not built yet refuse before they change anything: the grid keeps
// every setting it had, and opening its data set afterwards works as before.
#include "KelDBGridFixture.h"

namespace kel::test {
namespace {

struct TRefusal {
  const char* Name;
  std::function<void(TKelDBGrid*)> Prepare;  // a state the refused call starts from
  std::function<void(TKelDBGrid*)> Refused;
};

void PrintTo(const TRefusal& Case, std::ostream* Out) { *Out << Case.Name; }

const TRefusal Refusals[] = {
    {"AutoUpdateOrder", nullptr, [](TKelDBGrid* g) { g->SetOptionsEx(g->OptionsEx() + dgAutoUpdateOrder); }},
    {"LoadCurrentOrder", nullptr, [](TKelDBGrid* g) { g->SwitchOptionsEx({dgLoadCurrentOrder}, true); }},
    {"SettingsActive", nullptr, [](TKelDBGrid* g) { g->Settings()->SetActive(true); }},
    {"SearchTextWhileFilteringRows", [](TKelDBGrid* g) { g->Search()->SetOptions({soFilterRows}); },
     [](TKelDBGrid* g) { g->Search()->SetText("Item"); }},
    {"FilteringRowsWithASearchText", [](TKelDBGrid* g) { g->Search()->SetText("Item"); },
     [](TKelDBGrid* g) { g->Search()->SwitchOptions({soFilterRows}, true); }},
    {"DragRows", nullptr, [](TKelDBGrid* g) { g->SetDragRows(true); }},
};

// The settings a refused call could touch, as text.
std::string Snapshot(TKelDBGrid* Grid) {
  return std::to_string(Grid->OptionsEx().Mask()) + "/" + std::to_string(Grid->Settings()->Active()) + "/" +
         Grid->Search()->Text() + "/" + std::to_string(Grid->Search()->Options().Mask()) + "/" +
         std::to_string(Grid->DragRows());
}

class PendingTest : public TGridFixtureBase, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(PendingTest, RefusesAndChangesNothing) {
  TDataSet* data = Link(MakeClient(1));
  if (GetParam().Prepare) GetParam().Prepare(Grid);
  const std::string before = Snapshot(Grid);
  EXPECT_THROW(GetParam().Refused(Grid), EInvalidGridOperation);
  EXPECT_EQ(Snapshot(Grid), before);
  data->Close();
  EXPECT_NO_THROW(data->Open());
  EXPECT_TRUE(Grid->DataLink()->Active());
}

INSTANTIATE_TEST_SUITE_P(Grid, PendingTest, ::testing::ValuesIn(Refusals),
                         [](const ::testing::TestParamInfo<TRefusal>& Info) { return std::string(Info.param.Name); });

}  // namespace
}  // namespace kel::test
