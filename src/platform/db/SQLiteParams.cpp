// TParams: the parameter list of an SQL text, found by name and kept across SQL changes.
#include "platform/db/SQLiteParams.h"

#include "platform/db/DBConsts.h"
#include "platform/db/SQLiteText.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

TParams::~TParams() = default;

TParam* TParams::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
  return FItems[static_cast<std::size_t>(Index)].get();
}

TParam* TParams::FindParam(const String& Name) const {
  for (const auto& param : FItems)
    if (SameText(param->Name(), Name)) return param.get();
  return nullptr;
}

TParam* TParams::ParamByName(const String& Name) const {
  TParam* param = FindParam(Name);
  if (!param) DatabaseErrorFmt("Parameter '%s' not found", {Name});
  return param;
}

TParam* TParams::CreateParam(const String& Name) {
  if (TParam* existing = FindParam(Name)) return existing;
  FItems.push_back(std::make_unique<TParam>(Name));
  return FItems.back().get();
}

void TParams::ParseSQL(const String& SQL) {
  std::vector<std::unique_ptr<TParam>> items;
  for (const String& name : SQLParamNames(SQL)) {
    auto param = std::make_unique<TParam>(name);
    if (const TParam* previous = FindParam(name)) param->SetValue(previous->Value());
    items.push_back(std::move(param));
  }
  FItems = std::move(items);
}

void TParams::Assign(TPersistent* Source) {
  const auto* other = dynamic_cast<TParams*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  std::vector<std::unique_ptr<TParam>> items;
  for (const auto& param : other->FItems) {
    items.push_back(std::make_unique<TParam>(param->Name()));
    items.back()->SetValue(param->Value());
  }
  FItems = std::move(items);
}

}  // namespace kel
