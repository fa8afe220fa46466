// widgets-demo: a small form with a panel, a button, a check box and a label. Live (SDL2) it
// runs until the form is closed; headless it paints the form into a PNG and prints its path.
#include <cstdio>
#include <filesystem>

#include "platform/testkit/Testkit.h"

using namespace kel;

namespace {

TForm* BuildForm() {
  auto* form = new TForm(nullptr);
  form->SetCaption("Widgets");
  form->SetBounds(0, 0, 360, 220);
  form->SetPosition(poScreenCenter);

  auto* header = new TPanel(form);
  header->SetParent(form);
  header->SetAlign(alTop);
  header->SetHeight(40);
  header->SetCaption("A panel aligned to the top");
  header->SetColor(RGB(0xDD, 0xE8, 0xF4));

  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(16, 60, 0, 0);
  label->SetCaption("Clicks: 0");

  auto* check = new TCheckBox(form);
  check->SetParent(form);
  check->SetBounds(16, 90, 200, 20);
  check->SetCaption("Count twice");

  auto* button = new TButton(form);
  button->SetParent(form);
  button->SetBounds(16, 130, 100, 28);
  button->SetCaption("Click me");
  button->SetDefault(true);
  auto clicks = std::make_shared<int>(0);
  button->OnClick = [=](TObject*) {
    *clicks += check->Checked() ? 2 : 1;
    label->SetCaption("Clicks: " + std::to_string(*clicks));
  };

  auto* close = new TButton(form);
  close->SetParent(form);
  close->SetBounds(244, 176, 100, 28);
  close->SetAnchors({akRight, akBottom});
  close->SetCaption("Close");
  close->SetCancel(true);
  close->OnClick = [form](TObject*) { form->Close(); };
  form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
  return form;
}

}  // namespace

int main() {
  TForm* form = BuildForm();
  Application->SetMainForm(form);
  form->Show();
  if (Application->VirtualClock()) {
    const auto path = std::filesystem::temp_directory_path() / "widgets-demo.png";
    testkit::SavePng(form, path.string());
    std::printf("No display: the form was painted into %s\n", path.c_str());
  } else {
    Application->Run();
  }
  delete form;
  return 0;
}
