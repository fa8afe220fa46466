// TComponent: ownership and destruction order, names, free notification, and class factories.
#include <gtest/gtest.h>

#include "../rtl/ErrorOf.h"
#include "TestClasses.h"

using namespace kel;
using namespace kel::test;
using testing_support::ErrorOf;

namespace {

// Logs what happens to it into a shared journal.
class TProbe : public TComponent {
  KEL_CLASS(TProbe, TComponent)

 public:
  TProbe(TComponent* AOwner, std::vector<String>* Journal, const String& AName)
      : TComponent(AOwner), FJournal(Journal) {
    SetName(AName);
  }
  ~TProbe() override {
    Destroying();  // as a destructor that others may observe should
    FJournal->push_back("free " + Name() +
                        (ComponentState().Contains(csDestroying) ? " destroying" : ""));
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    FJournal->push_back(Name() + (Operation == opInsert ? " +" : " -") + AComponent->Name());
    TComponent::Notification(AComponent, Operation);
  }

 private:
  std::vector<String>* FJournal;
};

using Journal = std::vector<String>;

}  // namespace

TEST(ComponentTest, DeletingAComponentTellsTheSiblingsAndTheOwnerFreesTheRestLastFirst) {
  Journal journal;
  auto* owner = new TComponent(nullptr);
  auto* a = new TProbe(owner, &journal, "A");
  auto* b = new TProbe(owner, &journal, "B");
  auto* c = new TProbe(owner, &journal, "C");
  new TProbe(c, &journal, "D");
  journal.clear();
  delete a;
  // The siblings are told last first, and each passes it on to what it owns.
  EXPECT_EQ(journal, (Journal{"free A destroying", "C -A", "D -A", "B -A"}));
  EXPECT_EQ(owner->Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  journal.clear();
  delete owner;
  // Siblings being freed by their owner are not told. C's own destructor body runs before the
  // base frees what C owns.
  EXPECT_EQ(journal, (Journal{"free C destroying", "free D destroying", "free B destroying"}));
}

struct NameCase {
  const char* Name;
  bool Valid;
};

TEST(ComponentTest, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
  const NameCase cases[] = {{"_hidden", true}, {"", true}, {"1st", false}, {"Größe", false},
                            {"a.b", false}};
  for (const NameCase& c : cases) {
    TComponent component(nullptr);
    component.SetName("Before");
    if (c.Valid) {
      component.SetName(c.Name);
      EXPECT_EQ(component.Name(), c.Name);
    } else {
      EXPECT_EQ(ErrorOf<EComponentError>([&] { component.SetName(c.Name); }),
                "'" + String(c.Name) + "' is not a valid component name");
      EXPECT_EQ(component.Name(), "Before") << c.Name;
    }
  }

  TComponent owner(nullptr);
  auto* one = new TComponent(&owner);
  auto* two = new TComponent(&owner);
  one->SetName("Button1");
  EXPECT_EQ(ErrorOf<EComponentError>([&] { two->SetName("BUTTON1"); }),
            "A component named BUTTON1 already exists");
  EXPECT_EQ(two->Name(), "");
  one->SetName("BUTTON1");  // its own name in another case is not a clash
  EXPECT_EQ(owner.FindComponent("button1"), one);
}

// Who deletes what, in which order, for a holder that references a target.
enum TLayout : std::uint8_t { lyNoOwners, lySameOwner, lyOtherOwners };
enum TOrder : std::uint8_t { orTargetFirst, orHolderFirst, orOwnersOnly };

struct FreeCase {
  TLayout Layout;
  TOrder Order;
};

TEST(ComponentTest, FreeNotificationClearsTheReferenceWhateverTheOrder) {
  const FreeCase cases[] = {
      {lyNoOwners, orTargetFirst},    {lyNoOwners, orHolderFirst},
      {lySameOwner, orTargetFirst},   {lySameOwner, orHolderFirst},
      {lySameOwner, orOwnersOnly},    {lyOtherOwners, orTargetFirst},
      {lyOtherOwners, orHolderFirst}, {lyOtherOwners, orOwnersOnly},
  };
  for (const FreeCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "layout " << int(c.Layout) << " order " << int(c.Order));
    auto* ownerA = new TComponent(nullptr);
    auto* ownerB = new TComponent(nullptr);
    TComponent* holderOwner = c.Layout == lyNoOwners ? nullptr : ownerA;
    TComponent* targetOwner = c.Layout == lyNoOwners ? nullptr : c.Layout == lySameOwner ? ownerA : ownerB;
    auto* holder = new TTestWidget(holderOwner);
    auto* target = new TTestWidget(targetOwner);
    auto* other = new TTestWidget(nullptr);
    holder->SetBuddy(target);
    other->SetBuddy(target);
    target->SetBuddy(holder);  // references both ways
    switch (c.Order) {
      case orTargetFirst:
        delete target;
        EXPECT_EQ(holder->Buddy(), nullptr);
        EXPECT_EQ(other->Buddy(), nullptr);
        delete holder;
        break;
      case orHolderFirst:
        delete holder;
        EXPECT_EQ(other->Buddy(), target);
        EXPECT_EQ(target->Buddy(), nullptr);
        delete target;
        EXPECT_EQ(other->Buddy(), nullptr);
        break;
      case orOwnersOnly:
        delete ownerA;
        ownerA = nullptr;
        EXPECT_EQ(other->Buddy(), c.Layout == lySameOwner ? nullptr : target);
        if (c.Layout == lyOtherOwners) {
          EXPECT_EQ(target->Buddy(), nullptr);
        }
        break;
    }
    delete ownerA;
    delete ownerB;
    EXPECT_EQ(other->Buddy(), nullptr);
    delete other;
  }
}

TEST(ComponentTest, RemoveFreeNotificationEndsTheSubscription) {
  Journal journal;
  auto* watcher = new TProbe(nullptr, &journal, "Watcher");
  auto* watched = new TProbe(nullptr, &journal, "Watched");
  watched->FreeNotification(watcher);
  watched->FreeNotification(watcher);  // asking twice is one subscription
  watched->RemoveFreeNotification(watcher);
  delete watched;
  EXPECT_EQ(journal, (Journal{"free Watched destroying"}));
  delete watcher;
}

// --- Classes ----------------------------------------------------------------------------------

TEST(ClassInfoTest, FactoriesFollowTheConstructorsAClassOffers) {
  EXPECT_EQ(TTestItem::ClassInfo().ComponentFactory, nullptr);
  TComponent owner(nullptr);
  TComponent* made = TTestWidget::ClassInfo().CreateComponent(&owner);
  EXPECT_EQ(made->ClassName(), "TTestWidget");
  EXPECT_EQ(made->Owner(), &owner);
  EXPECT_EQ(ErrorOf<EInvalidOperation>([] { TStrings::ClassInfo().CreateObject(); }),
            "Cannot create an instance of TStrings");
}
