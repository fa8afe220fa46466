// kel-consumer: a program built against an installed KelDBGrid only. It opens an SQLite query in
// a grid on a form, headless, paints the form into a PNG and says what it did:
// kel-consumer [file.png].
#include <KelDBGrids/KelDBGrids.h>
#include <platform/Platform.h>
#include <platform/testkit/Testkit.h>
#include <platform/ui/Backend.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

using namespace kel;

namespace {

TSQLiteQuery* OpenOrders(TComponent* Owner) {
  auto* connection = new TSQLiteConnection(Owner);
  connection->SetDatabaseName(":memory:");
  connection->Open();
  connection->ExecSQL("CREATE TABLE orders (id INTEGER PRIMARY KEY, customer TEXT, qty INTEGER)");
  connection->ExecSQL("INSERT INTO orders (customer, qty) VALUES (?, ?), (?, ?), (?, ?)",
                      {"Alpha", 3, "Bravo", 12, "Charlie", 7});
  auto* query = new TSQLiteQuery(Owner);
  query->SetConnection(connection);
  query->SQL()->SetText("SELECT id, customer, qty FROM orders ORDER BY id");
  query->Open();
  return query;
}

String Joined(const std::vector<String>& Names) {
  String text;
  for (const String& name : Names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

int Run(const String& Path) {
  auto* form = new TForm(nullptr);
  const std::unique_ptr<TForm> owner(form);
  form->SetBounds(0, 0, 480, 240);
  TSQLiteQuery* orders = OpenOrders(form);
  auto* source = new TDataSource(form);
  source->SetDataSet(orders);
  auto* grid = new TKelDBGrid(form);
  grid->SetParent(form);
  grid->SetAlign(alClient);
  grid->SetDataSource(source);
  form->Show();
  testkit::SavePng(form, Path);
  std::printf("Backends linked: %s\n", Joined(RegisteredBackends()).c_str());
  std::printf("Opened %d rows of %d fields from an SQLite query into a grid of %d columns\n",
              orders->RecordCount(), orders->FieldCount(), grid->Columns()->Count());
  std::printf("Wrote %s (%d x %d)\n", Path.c_str(), form->Width(), form->Height());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Text metrics as the library's own tests see them, from the fonts.conf installed with it;
  // headless unless told otherwise, so the program runs without a display.
  setenv("FONTCONFIG_FILE", KEL_FONTS_CONF, /*overwrite=*/0);
  setenv("KEL_BACKEND", "headless", /*overwrite=*/0);
  const std::filesystem::path path =
      argc > 1 ? std::filesystem::path(argv[1])
               : std::filesystem::temp_directory_path() / "kel-consumer.png";
  try {
    return Run(std::filesystem::absolute(path).string());
  } catch (const Exception& error) {
    std::fprintf(stderr, "kel-consumer: %s\n", error.Message().c_str());
    return 1;
  }
}
