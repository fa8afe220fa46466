// A widget with every kind of published property, a nested persistent, a collection, a string
// list, a component reference and a pseudo-property: the component model's test classes.
#pragma once

#include <memory>
#include <vector>

#include "platform/classes/Classes.h"
#include "platform/rtl/Strings.h"

namespace kel::test {

enum TShade : std::uint8_t { shNone, shLight, shDark };
KEL_ENUM_NAMES(TShade, "shNone", "shLight", "shDark")

enum TPart : std::uint8_t { ptTop, ptBottom, ptLeft, ptRight };
KEL_ENUM_NAMES(TPart, "ptTop", "ptBottom", "ptLeft", "ptRight")
using TParts = TSet<TPart>;

class TTestFont : public TPersistent {
  KEL_CLASS(TTestFont, TPersistent)

 public:
  static const TPropList& PublishedProperties();

  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  int Size() const { return FSize; }
  void SetSize(int Value) { FSize = Value; }
  bool Bold() const { return FBold; }
  void SetBold(bool Value) { FBold = Value; }
  void Assign(TPersistent* Source) override;

 private:
  String FName = "Sans";
  int FSize = 10;
  bool FBold = false;
};

// A persistent that holds a persistent: paths two objects deep.
class TTestTitle : public TPersistent {
  KEL_CLASS(TTestTitle, TPersistent)

 public:
  static const TPropList& PublishedProperties();

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TTestFont* Font() const { return FFont.get(); }
  void Assign(TPersistent* Source) override;

 private:
  String FCaption;
  std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
};

class TTestItem : public TCollectionItem {
  KEL_CLASS(TTestItem, TCollectionItem)

 public:
  explicit TTestItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  static const TPropList& PublishedProperties();

  int Width() const { return FWidth; }
  void SetWidth(int Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TShade Shade() const { return FShade; }
  void SetShade(TShade Value) { FShade = Value; }
  TTestTitle* Title() const { return FTitle.get(); }
  void Assign(TPersistent* Source) override;

 protected:
  String GetDisplayName() override { return FCaption.empty() ? TCollectionItem::GetDisplayName() : FCaption; }

 private:
  int FWidth = 64;
  String FCaption;
  TShade FShade = shNone;
  std::unique_ptr<TTestTitle> FTitle = std::make_unique<TTestTitle>();
};

// An item that refuses to be assigned from a TTestItem whose caption is "refuse".
class TPickyItem : public TTestItem {
  KEL_CLASS(TPickyItem, TTestItem)

 public:
  explicit TPickyItem(TCollection* ACollection) : TTestItem(ACollection) {}
  void Assign(TPersistent* Source) override;
};

// Records every report it receives: "update:<caption or *>" and "added/extracting/deleting:...".
class TTestItems : public TCollectionOf<TTestItem> {
  KEL_CLASS(TTestItems, TCollectionOf<TTestItem>)

 public:
  explicit TTestItems(TPersistent* AOwner = nullptr) : TCollectionOf<TTestItem>(AOwner) {}
  TTestItems(const TClassInfo& AItemClass, TPersistent* AOwner)
      : TCollectionOf<TTestItem>(AItemClass, AOwner) {}

  std::vector<String> Log;

 protected:
  void Update(TCollectionItem* Item) override;
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;
};

class TTestWidget : public TComponent {
  KEL_CLASS(TTestWidget, TComponent)

 public:
  explicit TTestWidget(TComponent* AOwner) : TComponent(AOwner) {}
  static const TPropList& PublishedProperties();

  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  Int64 Big() const { return FBig; }
  void SetBig(Int64 Value) { FBig = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TShade Shade() const { return FShade; }
  void SetShade(TShade Value) { FShade = Value; }
  TParts Parts() const { return FParts; }
  void SetParts(TParts Value) { FParts = Value; }
  double Ratio() const { return FRatio; }
  void SetRatio(double Value) { FRatio = Value; }
  // Stored only while Visible: exercises a stored predicate.
  const String& Note() const { return FNote; }
  void SetNote(const String& Value) { FNote = Value; }
  int Count() const { return FItems->Count(); }
  TTestFont* Font() const { return FFont.get(); }
  void SetFont(TTestFont* Value) { FFont->Assign(Value); }
  TTestItems* Items() const { return FItems.get(); }
  TStringList* Lines() const { return FLines.get(); }
  // A reference cleared when the other component goes.
  TTestWidget* Buddy() const { return FBuddy; }
  void SetBuddy(TTestWidget* Value);
  // Written through DefineProperties as "Extra" when not empty.
  const std::vector<Int64>& Extra() const { return FExtra; }
  void SetExtra(std::vector<Int64> Value) { FExtra = std::move(Value); }

  int LoadedCalls = 0;
  TComponentState StateAtLoaded;    // ComponentState when Loaded ran
  TComponentState StateWhileWritten;  // ComponentState when a writer asked for pseudo-properties

  void Loaded() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DefineProperties(TFiler* Filer) override;

 private:
  int FWidth = 64;
  int FHeight = 20;
  Int64 FBig = 0;
  String FCaption;
  bool FVisible = true;
  TAlignment FAlignment = taLeftJustify;
  TShade FShade = shNone;
  TParts FParts{ptTop};
  double FRatio = 0;
  String FNote;
  std::unique_ptr<TTestFont> FFont = std::make_unique<TTestFont>();
  std::unique_ptr<TTestItems> FItems = std::make_unique<TTestItems>(this);
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  TTestWidget* FBuddy = nullptr;
  std::vector<Int64> FExtra;
};

// A widget subclass that republishes Width with another default and adds a property.
class TWideWidget : public TTestWidget {
  KEL_CLASS(TWideWidget, TTestWidget)

 public:
  explicit TWideWidget(TComponent* AOwner) : TTestWidget(AOwner) { SetWidth(200); }
  static const TPropList& PublishedProperties();

  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }

 private:
  int FMargin = 0;
};

// Registers the classes above once for the test program.
void RegisterTestClasses();

}  // namespace kel::test
