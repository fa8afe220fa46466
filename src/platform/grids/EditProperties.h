// Private to the edit controls: the published properties TEdit and TMaskEdit share.
#pragma once

#include "platform/classes/Properties.h"
#include "platform/rtl/StrUtils.h"

namespace kel {

// PasswordChar streams as a one-character text ("" = none).
inline String PasswordCharText(Char c) { return c == 0 ? String() : Utf8Encode(c); }
inline Char PasswordCharOf(const String& text) { return text.empty() ? 0 : CharAt(text, 1); }

// Every published property of an edit but Text, which comes after the mask in a masked edit.
template <typename T>
PropertyTable<T> AddEditProperties(PropertyTable<T> table) {
  table.Enum("Alignment", &T::Alignment, &T::SetAlignment, taLeftJustify)
      .Boolean("AutoSelect", &T::AutoSelect, &T::SetAutoSelect, true)
      .Boolean("AutoSize", &T::AutoSize, &T::SetAutoSize, true)
      .Enum("CharCase", &T::CharCase, &T::SetCharCase, ecNormal)
      .Integer("MaxLength", &T::MaxLength, &T::SetMaxLength, 0)
      .String("PasswordChar", [](T* edit) { return PasswordCharText(edit->PasswordChar()); },
              [](T* edit, const String& value) { edit->SetPasswordChar(PasswordCharOf(value)); })
      .Boolean("ReadOnly", &T::ReadOnly, &T::SetReadOnly, false);
  return table;
}

}  // namespace kel
