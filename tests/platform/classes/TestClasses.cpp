// The test classes' property tables and behaviour.
#include "TestClasses.h"

namespace kel::test {

const TPropList& TTestFont::PublishedProperties() {
  static const TPropList list = PropertyTable<TTestFont>()
      .String("Name", &TTestFont::Name, &TTestFont::SetName, "Sans")
      .Integer("Size", &TTestFont::Size, &TTestFont::SetSize, 10)
      .Boolean("Bold", &TTestFont::Bold, &TTestFont::SetBold, false);
  return list;
}

void TTestFont::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TTestFont*>(Source)) {
    FName = font->FName;
    FSize = font->FSize;
    FBold = font->FBold;
    return;
  }
  TPersistent::Assign(Source);
}

const TPropList& TTestTitle::PublishedProperties() {
  static const TPropList list = PropertyTable<TTestTitle>()
      .String("Caption", &TTestTitle::Caption, &TTestTitle::SetCaption)
      .Object("Font", &TTestTitle::Font);
  return list;
}

void TTestTitle::Assign(TPersistent* Source) {
  if (auto* title = dynamic_cast<TTestTitle*>(Source)) {
    FCaption = title->FCaption;
    FFont->Assign(title->Font());
    return;
  }
  TPersistent::Assign(Source);
}

const TPropList& TTestItem::PublishedProperties() {
  static const TPropList list = PropertyTable<TTestItem>()
      .Integer("Width", &TTestItem::Width, &TTestItem::SetWidth, 64)
      .String("Caption", &TTestItem::Caption, &TTestItem::SetCaption)
      .Enum("Shade", &TTestItem::Shade, &TTestItem::SetShade, shNone)
      .Object("Title", &TTestItem::Title);
  return list;
}

void TTestItem::SetWidth(int Value) {
  if (Value == FWidth) return;
  FWidth = Value;
  Changed(false);
}

void TTestItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  Changed(false);
}

void TTestItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TTestItem*>(Source)) {
    FWidth = item->FWidth;
    FCaption = item->FCaption;
    FShade = item->FShade;
    FTitle->Assign(item->Title());
    Changed(false);
    return;
  }
  TCollectionItem::Assign(Source);
}

void TPickyItem::Assign(TPersistent* Source) {
  if (auto* item = dynamic_cast<TTestItem*>(Source); item && item->Caption() == "refuse")
    throw EConvertError("refused");
  TTestItem::Assign(Source);
}

void TTestItems::Update(TCollectionItem* Item) {
  Log.push_back("update:" + (Item ? Item->DisplayName() : String("*")));
}

void TTestItems::Notify(TCollectionItem* Item, TCollectionNotification Action) {
  static const char* const names[] = {"added", "extracting", "deleting"};
  Log.push_back(String(names[Action]) + ":" + std::to_string(Item->ID()));
}

const TPropList& TTestWidget::PublishedProperties() {
  static const TPropList list = PropertyTable<TTestWidget>()
      .Integer("Width", &TTestWidget::Width, &TTestWidget::SetWidth, 64)
      .Integer("Height", &TTestWidget::Height, &TTestWidget::SetHeight)
      .Int64("Big", &TTestWidget::Big, &TTestWidget::SetBig, 0)
      .String("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
      .Boolean("Visible", &TTestWidget::Visible, &TTestWidget::SetVisible, true)
      .Enum("Alignment", &TTestWidget::Alignment, &TTestWidget::SetAlignment, taLeftJustify)
      .Enum("Shade", &TTestWidget::Shade, &TTestWidget::SetShade, shNone)
      .Set("Parts", &TTestWidget::Parts, &TTestWidget::SetParts, TParts{ptTop})
      .Float("Ratio", &TTestWidget::Ratio, &TTestWidget::SetRatio)
      .String("Note", &TTestWidget::Note, &TTestWidget::SetNote)
      .Integer("Count", &TTestWidget::Count, nullptr)
      .Object("Font", &TTestWidget::Font, &TTestWidget::SetFont)
      .Object("Items", &TTestWidget::Items)
      .Object("Lines", &TTestWidget::Lines)
      .Object("Buddy", &TTestWidget::Buddy, &TTestWidget::SetBuddy)
      .Stored("Note", &TTestWidget::Visible);
  return list;
}

void TTestWidget::SetBuddy(TTestWidget* Value) {
  if (Value == FBuddy) return;
  if (FBuddy) FBuddy->RemoveFreeNotification(this);
  FBuddy = Value;
  if (FBuddy) FBuddy->FreeNotification(this);
}

void TTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
}

void TTestWidget::Loaded() {
  StateAtLoaded = ComponentState();
  ++LoadedCalls;
  TComponent::Loaded();
}

void TTestWidget::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  if (dynamic_cast<TWriter*>(Filer)) StateWhileWritten = ComponentState();
  Filer->DefineProperty(
      "Extra",
      [this](TReader* Reader) {
        std::vector<Int64> values;
        Reader->ReadListBegin();
        while (!Reader->EndOfList()) values.push_back(Reader->ReadInteger());
        Reader->ReadListEnd();
        FExtra = std::move(values);
      },
      [this](TWriter* Writer) {
        Writer->WriteListBegin();
        for (Int64 value : FExtra) Writer->WriteInteger(value);
        Writer->WriteListEnd();
      },
      !FExtra.empty());
}

const TPropList& TWideWidget::PublishedProperties() {
  static const TPropList list = PropertyTable<TWideWidget>()
      .Integer("Width", &TWideWidget::Width, &TWideWidget::SetWidth, 200)
      .Integer("Margin", &TWideWidget::Margin, &TWideWidget::SetMargin, 0);
  return list;
}

void RegisterTestClasses() { RegisterClasses<TTestWidget, TWideWidget>(); }

}  // namespace kel::test
