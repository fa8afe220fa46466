// Basic vocabulary of the library: strings, characters, sets, geometry and event types.
//
// `String` is UTF-8 in a std::string; where the library counts "characters" it counts code points
// (see StrUtils.h). `Char` is one code point.
#pragma once

#include <cstdint>
#include <functional>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <type_traits>

namespace kel {

using String = std::string;
using Char = char32_t;
using Byte = std::uint8_t;
using Int64 = std::int64_t;
using Cardinal = std::uint32_t;

// Days since 1899-12-30; the fraction is the time of day. Negative values count back from then.
using TDateTime = double;

// Fixed-point money: an integer count of ten-thousandths, so sums of amounts are exact.
struct Currency {
  Int64 Value = 0;  // the amount times 10,000

  static constexpr Int64 Scale = 10000;
  static Currency FromRaw(Int64 raw) { return Currency{raw}; }
  // Rounds half away from zero to the nearest ten-thousandth.
  static Currency FromDouble(double amount) {
    const double scaled = amount * Scale;
    return Currency{static_cast<Int64>(scaled < 0 ? scaled - 0.5 : scaled + 0.5)};
  }
  static constexpr Currency FromInt(Int64 amount) { return Currency{amount * Scale}; }
  constexpr double ToDouble() const { return static_cast<double>(Value) / Scale; }

  constexpr Currency operator+(Currency other) const { return Currency{Value + other.Value}; }
  constexpr Currency operator-(Currency other) const { return Currency{Value - other.Value}; }
  constexpr Currency operator-() const { return Currency{-Value}; }
  constexpr auto operator<=>(const Currency&) const = default;
};

class TObject;

// Event taking only its sender.
using TNotifyEvent = std::function<void(TObject* Sender)>;

// A set of enumeration elements stored as a bit mask in element order (bit i = element i), the
// same encoding the option sets use for their stored defaults.
template <typename E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration elements");

 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> elements) {
    for (E element : elements) FMask |= Bit(element);
  }
  static constexpr TSet FromMask(std::uint64_t mask) {
    TSet result;
    result.FMask = mask;
    return result;
  }

  constexpr std::uint64_t Mask() const { return FMask; }
  constexpr bool Contains(E element) const { return (FMask & Bit(element)) != 0; }
  constexpr bool Empty() const { return FMask == 0; }
  constexpr void Include(E element) { FMask |= Bit(element); }
  constexpr void Exclude(E element) { FMask &= ~Bit(element); }
  // Number of elements in the set.
  constexpr int Count() const { return __builtin_popcountll(FMask); }

  constexpr TSet operator+(TSet other) const { return FromMask(FMask | other.FMask); }
  constexpr TSet operator-(TSet other) const { return FromMask(FMask & ~other.FMask); }
  constexpr TSet operator*(TSet other) const { return FromMask(FMask & other.FMask); }
  constexpr TSet operator+(E element) const { return FromMask(FMask | Bit(element)); }
  constexpr TSet operator-(E element) const { return FromMask(FMask & ~Bit(element)); }
  constexpr TSet& operator+=(TSet other) { FMask |= other.FMask; return *this; }
  constexpr TSet& operator-=(TSet other) { FMask &= ~other.FMask; return *this; }
  constexpr TSet& operator*=(TSet other) { FMask &= other.FMask; return *this; }
  constexpr TSet& operator+=(E element) { FMask |= Bit(element); return *this; }
  constexpr TSet& operator-=(E element) { FMask &= ~Bit(element); return *this; }
  // True when every element of this set is in `other` (the classic `<=`).
  constexpr bool SubsetOf(TSet other) const { return (FMask & ~other.FMask) == 0; }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr std::uint64_t Bit(E element) {
    return std::uint64_t{1} << static_cast<unsigned>(element);
  }
  std::uint64_t FMask = 0;
};

struct TPoint {
  int X = 0;
  int Y = 0;
  constexpr bool operator==(const TPoint&) const = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  constexpr bool operator==(const TSize&) const = default;
};

// A rectangle whose right and bottom edges are exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  constexpr TPoint TopLeft() const { return {Left, Top}; }
  constexpr TPoint BottomRight() const { return {Right, Bottom}; }
  constexpr TPoint CenterPoint() const { return {(Left + Right) / 2, (Top + Bottom) / 2}; }
  constexpr bool Contains(TPoint p) const {
    return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
  }
  constexpr void Offset(int dx, int dy) { Left += dx; Right += dx; Top += dy; Bottom += dy; }
  constexpr void Inflate(int dx, int dy) { Left -= dx; Right += dx; Top -= dy; Bottom += dy; }
  constexpr bool operator==(const TRect&) const = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
constexpr TPoint Point(int x, int y) { return {x, y}; }

// Intersection of two rectangles; answers whether it is non-empty.
inline bool IntersectRect(TRect& result, const TRect& a, const TRect& b) {
  result = {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
  if (result.IsEmpty()) {
    result = {};
    return false;
  }
  return true;
}

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

}  // namespace kel
