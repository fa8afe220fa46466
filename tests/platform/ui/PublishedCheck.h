// Shared by the published-property tests of the controls (ui and grids): gives every published
// property of a component a value other than its default through the property tables, lists the
// properties still at their defaults, and checks that what a control takes from its parent stays
// out of the stream.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../classes/PublishedCompare.h"
#include "platform/ui/Ui.h"

namespace kel::published {

// Text values (as SetPropValue reads them), by property path, for properties whose generic
// value would not do.
using TOverrides = std::map<String, String>;
// For every control: TabOrder moves to the front (the generic value lands where the control
// already is), a cursor and a font family that exist.
inline const TOverrides CommonOverrides{
    {"TabOrder", "0"}, {"Cursor", "-21"}, {"Font.Name", "DejaVu Serif"}};
// The component a reference property of that class is pointed at; null leaves it unset.
using TReferenceSource = std::function<TComponent*(TClass PropClass)>;

// Sets every writable published property of Holder, in table order, nested persistents
// (Font.Color, ...) included. A component's Name is left alone: reading finds it by name.
inline void SetNonDefaults(TObject* Holder, const TOverrides& Overrides,
                           const TReferenceSource& References, const String& Prefix = {}) {
  const bool isComponent = dynamic_cast<TComponent*>(Holder) != nullptr;
  for (const TPropInfo* info : GetPropList(Holder)) {
    const String path = Prefix + info->Name;
    if (info->Kind == tkMethod || (isComponent && info->Name == "Name")) continue;
    if (const auto it = Overrides.find(path); it != Overrides.end()) {
      SetPropValue(Holder, info->Name, it->second);
      continue;
    }
    switch (info->Kind) {
      case tkClass: {
        if (info->PropClass()->InheritsFrom(TComponent::ClassInfo())) {
          if (TComponent* target = References(info->PropClass()); target && info->SetObj)
            info->SetObj(Holder, target);
        } else if (TObject* nested = info->GetObj(Holder)) {
          SetNonDefaults(nested, Overrides, References, path + ".");
        }
        break;
      }
      case tkString:
        if (info->SetStr) info->SetStr(Holder, OtherString(*info));
        break;
      case tkFloat:
        if (info->SetFloat) info->SetFloat(Holder, info->FloatDefault + 0.5);
        break;
      default:
        if (info->SetOrd) info->SetOrd(Holder, OtherOrdinal(*info, info->GetOrd(Holder)));
        break;
    }
  }
}

// Paths of the writable properties that hold their declared defaults. The Parent... switches
// are left out: the generic value sets them false, which is the default of some classes.
inline std::set<String> AtDefault(TObject* Holder, const String& Prefix = {}) {
  std::set<String> result;
  for (const TPropInfo* info : GetPropList(Holder)) {
    const String path = Prefix + info->Name;
    if (info->Kind == tkClass && !info->PropClass()->InheritsFrom(TComponent::ClassInfo())) {
      if (TObject* nested = info->GetObj(Holder)) result.merge(AtDefault(nested, path + "."));
      continue;
    }
    if (info->IsBoolean() && info->Name.starts_with("Parent")) continue;
    bool atDefault = false;
    if (info->IsOrdinal() && info->SetOrd && info->HasDefault)
      atDefault = info->GetOrd(Holder) == info->OrdDefault;
    else if (info->Kind == tkString && info->SetStr)
      atDefault = info->GetStr(Holder) == info->StrDefault;
    else if (info->Kind == tkFloat && info->SetFloat)
      atDefault = info->GetFloat(Holder) == info->FloatDefault;
    if (atDefault && info->Name != "Name") result.insert(path);
  }
  return result;
}

// Names of the properties written at the top level of a component's block ("Font.Color" counts
// as "Font.Color"); nested blocks are skipped.
inline std::vector<String> WrittenNames(const String& Text) {
  std::vector<String> names;
  int depth = 0;
  std::istringstream lines(Text);
  for (String line; std::getline(lines, line);) {
    line.erase(0, line.find_first_not_of(' '));
    if (line.starts_with("object ")) {
      ++depth;
    } else if (line == "end") {
      --depth;
    } else if (depth == 1) {
      const std::size_t equals = line.find(" = ");
      if (equals != String::npos) names.push_back(line.substr(0, equals));
    }
  }
  return names;
}

// A component under test inside a window control "Host" that also owns the components its
// references point at: a popup menu "Menu1", a window control "Target" (on the subject when it
// takes children, else on the host) and a window control "Sibling" before the subject in the
// tab order. Forms stay without a parent.
struct TTree {
  std::unique_ptr<TWinControl> Host;
  TComponent* Subject = nullptr;
  TPopupMenu* Menu = nullptr;
  TWinControl* Target = nullptr;

  explicit TTree(TClass SubjectClass) : Host(std::make_unique<TWinControl>(nullptr)) {
    Host->SetName("Host");
    Host->SetBounds(0, 0, 500, 400);
    auto* sibling = new TWinControl(Host.get());
    sibling->SetName("Sibling");
    sibling->SetParent(Host.get());
    Menu = new TPopupMenu(Host.get());
    Menu->SetName("Menu1");
    Subject = SubjectClass->CreateComponent(Host.get());
    Subject->SetName("Subject");
    auto* control = dynamic_cast<TControl*>(Subject);
    if (control && !dynamic_cast<TCustomForm*>(control)) control->SetParent(Host.get());
    Target = new TWinControl(Host.get());
    Target->SetName("Target");
    auto* window = dynamic_cast<TWinControl*>(Subject);
    const bool takesChildren = window && window->ControlStyle().Contains(csAcceptsControls);
    Target->SetParent(takesChildren ? window : Host.get());
  }

  TComponent* Reference(TClass PropClass) const {
    if (Menu->ClassType().InheritsFrom(*PropClass)) return Menu;
    if (Target->ClassType().InheritsFrom(*PropClass)) return Target;
    return nullptr;
  }
};

// A control of ControlClass on a parent whose colour, font, hint switch and bidirectional mode
// are not the defaults writes none of what it takes from the parent, and reads back the same.
inline void ExpectParentValuesNotWritten(TClass ControlClass) {
  auto makeHost = [] {
    auto host = std::make_unique<TWinControl>(nullptr);
    host->SetColor(clRed);
    host->Font()->SetColor(clBlue);
    host->Font()->SetHeight(-15);
    host->SetShowHint(true);
    host->SetBiDiMode(bdRightToLeft);
    return host;
  };
  auto host = makeHost();
  auto* control = static_cast<TControl*>(ControlClass->CreateComponent(host.get()));
  control->SetName("Subject");
  control->SetParent(host.get());
  control->SetParentColor(true);
  ASSERT_EQ(control->Color(), clRed);
  ASSERT_EQ(control->Font()->Height(), -15);
  ASSERT_TRUE(control->ShowHint());
  ASSERT_EQ(control->BiDiMode(), bdRightToLeft);

  const String text = WriteText(control);
  const std::vector<String> written = WrittenNames(text);
  for (const String& name : written) EXPECT_FALSE(name.starts_with("Font.")) << name;
  for (const char* name : {"Color", "ShowHint", "BiDiMode"})
    EXPECT_THAT(written, ::testing::Not(::testing::Contains(name)));
  // A class whose controls do not take the parent's colour by default says so.
  const bool parentColorByDefault = GetPropInfo(*ControlClass, "ParentColor")->OrdDefault != 0;
  EXPECT_EQ(std::count(written.begin(), written.end(), "ParentColor"), parentColorByDefault ? 0 : 1);

  auto otherHost = makeHost();
  auto* copy = static_cast<TControl*>(ControlClass->CreateComponent(otherHost.get()));
  copy->SetName("Subject");
  copy->SetParent(otherHost.get());
  ReadText(text, copy);
  EXPECT_TRUE(copy->ParentColor());
  EXPECT_EQ(copy->Color(), clRed);
  EXPECT_EQ(copy->Font()->Color(), clBlue);
  EXPECT_THAT(Differences(control, copy), ::testing::IsEmpty()) << text;
}

}  // namespace kel::published
