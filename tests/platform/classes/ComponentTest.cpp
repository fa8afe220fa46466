// TComponent: ownership and destruction order, names and free notification.
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
  journal.clear();
  delete owner;
  // Siblings being freed by their owner are not told. C's own destructor body runs before the
  // base frees what C owns.
  EXPECT_EQ(journal, (Journal{"free C destroying", "free D destroying", "free B destroying"}));
}

TEST(ComponentTest, NamesAreIdentifiersUniqueAmongTheOwnersComponents) {
  TComponent component(nullptr);
  component.SetName("_hidden");
  for (const char* name : {"1st", "Größe", "a.b"}) {
    EXPECT_EQ(ErrorOf<EComponentError>([&] { component.SetName(name); }),
              "'" + String(name) + "' is not a valid component name");
    EXPECT_EQ(component.Name(), "_hidden") << name;
  }
  component.SetName("");
  EXPECT_EQ(component.Name(), "");

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

// A holder and a bystander reference a target that references the holder back: whoever goes
// first (the target, the holder, or the holder's owner), no reference is left dangling.
TEST(ComponentTest, FreeNotificationClearsTheReferenceWhateverTheOrder) {
  for (const bool sameOwner : {true, false}) {
    for (const int first : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << (sameOwner ? "same owner" : "other owners") << ", first " << first);
      auto* ownerA = new TComponent(nullptr);
      auto* ownerB = new TComponent(nullptr);
      auto* holder = new TTestWidget(ownerA);
      auto* target = new TTestWidget(sameOwner ? ownerA : ownerB);
      TTestWidget other(nullptr);
      holder->SetBuddy(target);
      other.SetBuddy(target);
      target->SetBuddy(holder);
      const bool targetLives = first == 1 || (first == 2 && !sameOwner);
      TComponent* const gone[] = {target, holder, ownerA};
      delete gone[first];
      EXPECT_EQ(other.Buddy(), targetLives ? target : nullptr);
      if (targetLives) {
        EXPECT_EQ(target->Buddy(), nullptr);
      }
      if (first == 0) {
        EXPECT_EQ(holder->Buddy(), nullptr);
      }
      if (first != 2) delete ownerA;
      delete ownerB;
      EXPECT_EQ(other.Buddy(), nullptr);
    }
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

