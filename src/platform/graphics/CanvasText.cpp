// TCanvas, the text half: measuring, TextOut, TextRect and the DrawText layout routine with its
// helpers (word wrap, end ellipsis, mnemonics, tabs).
//
// DrawText works in four steps: prepare the text (mnemonics, tabs, joined lines), break it into
// lines (line breaks, word wrap), fit the lines (height limit, ellipsis), then place and draw
// them. Lines are views into the prepared text; no step allocates once the scratch buffers have
// grown, and every measurement after the first paint is a cache hit.
#include <cmath>
#include <numbers>
#include <optional>

#include "platform/graphics/Canvas.h"
#include "platform/graphics/TextEngine.h"

namespace kel {

namespace {

constexpr std::string_view Ellipsis = "...";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimRight(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// End of the next word at or after `position`: blanks, then non-blanks.
std::size_t WordEnd(std::string_view text, std::size_t position) {
  while (position < text.size() && IsBlank(text[position])) ++position;
  while (position < text.size() && !IsBlank(text[position])) ++position;
  return position;
}

// Greedy word wrap of one paragraph: each line takes as many words as fit `maxWidth` (at least
// one); blanks at a break are dropped. An empty paragraph gives one empty line.
template <typename Measure, typename Emit>
void WrapParagraph(std::string_view paragraph, int maxWidth, Measure&& measure, Emit&& emit) {
  if (paragraph.empty()) {
    emit(paragraph);
    return;
  }
  std::size_t position = 0;
  while (position < paragraph.size()) {
    const std::size_t lineStart = position;
    std::size_t fitEnd = WordEnd(paragraph, position);
    while (fitEnd < paragraph.size()) {
      const std::size_t next = WordEnd(paragraph, fitEnd);
      if (measure(paragraph.substr(lineStart, next - lineStart)) > maxWidth) break;
      fitEnd = next;
    }
    emit(TrimRight(paragraph.substr(lineStart, fitEnd - lineStart)));
    position = fitEnd;
    while (position < paragraph.size() && IsBlank(paragraph[position])) ++position;
  }
}

// Calls emit for each paragraph of `text`, split at "\r\n", "\n" and "\r".
template <typename Emit>
void ForEachParagraph(std::string_view text, Emit&& emit) {
  std::size_t start = 0;
  while (true) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    emit(text.substr(start, end - start));
    if (end == text.size()) return;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
}

std::size_t CharLength(std::string_view text, std::size_t position) {
  std::size_t end = position + 1;
  while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  return end - position;
}

}  // namespace

// ---- single runs ----

void TCanvas::DrawRun(std::string_view text, int x, int y) {
  TTextEngine& engine = TTextEngine::Instance();
  const TFontFace& face = FFont.Face();
  const TTextRun& run = engine.Shape(face, text);
  const int width = run.Width;
  const int baseline = run.Baseline;
  SetSourceColor(FFont.Color());
  engine.Draw(FContext, face, run, text, x, y);
  if (FFont.Style().Contains(fsUnderline)) {
    const int top = y + baseline + face.UnderlineOffset;
    FillArea(x, top, x + width, top + face.UnderlineThickness);
  }
  if (FFont.Style().Contains(fsStrikeOut)) {
    const int top = y + baseline - face.StrikeOutOffset;
    FillArea(x, top, x + width, top + face.StrikeOutThickness);
  }
}

int TCanvas::TextWidth(std::string_view Text) {
  return TTextEngine::Instance().Shape(FFont.Face(), Text).Width;
}

int TCanvas::TextHeight(std::string_view Text) {
  return TTextEngine::Instance().Shape(FFont.Face(), Text).Height;
}

TSize TCanvas::TextExtent(std::string_view Text) {
  const TTextRun& run = TTextEngine::Instance().Shape(FFont.Face(), Text);
  return {run.Width, run.Height};
}

void TCanvas::TextOut(int X, int Y, std::string_view Text) {
  const TTextRun& run = TTextEngine::Instance().Shape(FFont.Face(), Text);
  const int width = run.Width;
  const int height = run.Height;
  if (FFont.Orientation() != 0) {
    TClipSaver state(this);
    cairo_translate(FContext, X, Y);
    cairo_rotate(FContext, -FFont.Orientation() * std::numbers::pi / 1800.0);
    if (UseBrush()) FillArea(0, 0, width, height);
    DrawRun(Text, 0, 0);
  } else {
    if (UseBrush()) FillArea(X, Y, X + width, Y + height);
    DrawRun(Text, X, Y);
  }
  FPenPos = {X + width, Y};
  Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, std::string_view Text) {
  if (UseBrush()) FillArea(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom);
  if (!Text.empty()) {
    const TTextRun& run = TTextEngine::Instance().Shape(FFont.Face(), Text);
    // Fast path: text whose ink lies inside the rectangle needs no clip.
    const bool inside = !FFont.Style().Contains(fsUnderline) &&
                        !FFont.Style().Contains(fsStrikeOut) && X + run.InkLeft >= Rect.Left &&
                        X + run.InkRight <= Rect.Right && Y + run.InkTop >= Rect.Top &&
                        Y + run.InkBottom <= Rect.Bottom;
    if (inside) {
      DrawRun(Text, X, Y);
    } else if (!Rect.IsEmpty()) {
      TClipSaver clip(this);
      IntersectClipRect(Rect);
      DrawRun(Text, X, Y);
    }
  }
  Changed();
}

// ---- layout helpers ----

void TCanvas::WrapText(std::string_view Text, int MaxWidth, std::vector<std::string_view>& Lines) {
  TTextEngine& engine = TTextEngine::Instance();
  const TFontFace& face = FFont.Face();
  const auto measure = [&](std::string_view candidate) { return engine.Width(face, candidate); };
  ForEachParagraph(Text, [&](std::string_view paragraph) {
    WrapParagraph(paragraph, MaxWidth, measure, [&](std::string_view line) { Lines.push_back(line); });
  });
}

String TCanvas::EllipsisText(std::string_view Text, int MaxWidth) {
  if (TextWidth(Text) <= MaxWidth) return String(Text);
  const std::size_t kept = TTextEngine::Instance().EllipsisLength(FFont.Face(), Text, MaxWidth);
  return String(Text.substr(0, kept)) + String(Ellipsis);
}

// ---- DrawText ----

std::string_view TCanvas::PrepareText(std::string_view text, std::uint32_t flags,
                                      std::ptrdiff_t& mnemonic) {
  mnemonic = -1;
  const bool prefixes = !(flags & DT_NOPREFIX) && text.find('&') != std::string_view::npos;
  const bool tabs = (flags & DT_EXPANDTABS) && text.find('\t') != std::string_view::npos;
  const bool joinLines =
      (flags & DT_SINGLELINE) && text.find_first_of("\r\n") != std::string_view::npos;
  if (!prefixes && !tabs && !joinLines) return text;

  FPrepared.clear();
  int column = 0;  // characters since the last line break, for tab stops
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (prefixes && c == '&') {
      if (++i == text.size()) break;  // a trailing "&" shows nothing
      c = text[i];
      if (c != '&' && mnemonic < 0) mnemonic = static_cast<std::ptrdiff_t>(FPrepared.size());
    }
    if (tabs && c == '\t') {
      const int spaces = 8 - column % 8;
      FPrepared.append(static_cast<std::size_t>(spaces), ' ');
      column += spaces;
      continue;
    }
    if (joinLines && (c == '\r' || c == '\n')) {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      c = ' ';
    }
    FPrepared += c;
    if (c == '\n' || c == '\r')
      column = 0;
    else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
      ++column;
  }
  return FPrepared;
}

void TCanvas::BreakLines(std::string_view body, int maxWidth, std::uint32_t flags) {
  FLines.clear();
  if (flags & DT_SINGLELINE) {
    FLines.push_back({body});
    return;
  }
  TTextEngine& engine = TTextEngine::Instance();
  const TFontFace& face = FFont.Face();
  const auto measure = [&](std::string_view candidate) { return engine.Width(face, candidate); };
  const auto add = [&](std::string_view line) { FLines.push_back({line}); };
  ForEachParagraph(body, [&](std::string_view paragraph) {
    if (flags & DT_WORDBREAK)
      WrapParagraph(paragraph, maxWidth, measure, add);
    else
      add(paragraph);
  });
}

void TCanvas::DrawTextLine(const TTextLine& line, int x, int y, std::string_view body,
                           std::ptrdiff_t mnemonic) {
  if (!line.Ellipsis) {
    DrawRun(line.Text, x, y);
  } else {
    FTrial.assign(line.Text.substr(0, line.Kept));
    FTrial += Ellipsis;
    DrawRun(FTrial, x, y);
  }
  if (mnemonic < 0) return;
  // Underline the mnemonic character when this line shows it.
  const std::ptrdiff_t offset = mnemonic - (line.Text.data() - body.data());
  const std::size_t shown = line.Ellipsis ? line.Kept : line.Text.size();
  if (offset < 0 || static_cast<std::size_t>(offset) >= shown) return;
  const auto at = static_cast<std::size_t>(offset);
  const TFontFace& face = FFont.Face();
  const int left = x + TextWidth(line.Text.substr(0, at));
  const int width = TextWidth(line.Text.substr(at, CharLength(line.Text, at)));
  const int top = y + TTextEngine::Instance().Shape(face, line.Text).Baseline + face.UnderlineOffset;
  SetSourceColor(FFont.Color());
  FillArea(left, top, left + width, top + face.UnderlineThickness);
}

int TCanvas::DrawText(std::string_view Text, TRect& Rect, std::uint32_t Flags) {
  std::ptrdiff_t mnemonic = -1;
  const std::string_view body = PrepareText(Text, Flags, mnemonic);
  const int lineHeight = FFont.Face().LineHeight;
  const int maxWidth = Rect.Width();
  BreakLines(body, maxWidth, Flags);

  // With word wrap and ellipsis, keep the lines that fit the height; the last one takes the rest
  // of its paragraph and ends in "...".
  bool truncated = false;
  if ((Flags & DT_WORDBREAK) && (Flags & DT_END_ELLIPSIS) && !(Flags & DT_CALCRECT) &&
      lineHeight > 0) {
    const std::size_t fit = static_cast<std::size_t>(std::max(1, Rect.Height() / lineHeight));
    if (FLines.size() > fit) {
      TTextLine& last = FLines[fit - 1];
      const std::size_t start = static_cast<std::size_t>(last.Text.data() - body.data());
      std::size_t end = body.find_first_of("\r\n", start);
      if (end == std::string_view::npos) end = body.size();
      last.Text = body.substr(start, end - start);
      FLines.resize(fit);
      truncated = true;
    }
  }

  int widest = 0;
  for (std::size_t i = 0; i < FLines.size(); ++i) {
    TTextLine& line = FLines[i];
    line.Width = TextWidth(line.Text);
    const bool forced = truncated && i + 1 == FLines.size();
    if ((Flags & DT_END_ELLIPSIS) && (line.Width > maxWidth || forced)) {
      line.Ellipsis = true;
      line.Kept = TTextEngine::Instance().EllipsisLength(FFont.Face(), line.Text, maxWidth);
      FTrial.assign(line.Text.substr(0, line.Kept));
      FTrial += Ellipsis;
      line.Width = TextWidth(FTrial);
    }
    widest = std::max(widest, line.Width);
  }
  const int height = static_cast<int>(FLines.size()) * lineHeight;
  if (Flags & DT_CALCRECT) {
    Rect.Right = Rect.Left + widest;
    Rect.Bottom = Rect.Top + height;
    return height;
  }

  int top = Rect.Top;
  if (Flags & DT_SINGLELINE) {
    if (Flags & DT_VCENTER)
      top += (Rect.Height() - lineHeight) / 2;
    else if (Flags & DT_BOTTOM)
      top = Rect.Bottom - lineHeight;
  }
  const auto lineLeft = [&](const TTextLine& line) {
    if (Flags & DT_CENTER) return Rect.Left + (maxWidth - line.Width) / 2;
    if (Flags & DT_RIGHT) return Rect.Right - line.Width;
    return Rect.Left;
  };
  // Fast path: when every line's ink lies inside the rectangle, no clip is needed.
  bool fits = !FFont.Style().Contains(fsUnderline) && !FFont.Style().Contains(fsStrikeOut);
  for (std::size_t i = 0; fits && i < FLines.size(); ++i) {
    const TTextLine& line = FLines[i];
    if (line.Ellipsis) {
      FTrial.assign(line.Text.substr(0, line.Kept));
      FTrial += Ellipsis;
    }
    const TTextRun& run =
        TTextEngine::Instance().Shape(FFont.Face(), line.Ellipsis ? std::string_view(FTrial) : line.Text);
    const int x = lineLeft(line);
    const int y = top + static_cast<int>(i) * lineHeight;
    fits = x + run.InkLeft >= Rect.Left && x + run.InkRight <= Rect.Right &&
           y + run.InkTop >= Rect.Top && y + run.InkBottom <= Rect.Bottom;
  }
  const bool clip = !(Flags & DT_NOCLIP) && !fits;
  const bool brush = UseBrush();
  {
    std::optional<TClipSaver> saver;
    if (clip) {
      saver.emplace(this);
      IntersectClipRect(Rect);
    }
    for (std::size_t i = 0; i < FLines.size(); ++i) {
      const TTextLine& line = FLines[i];
      const int x = lineLeft(line);
      const int y = top + static_cast<int>(i) * lineHeight;
      if (brush) {
        UseBrush();
        FillArea(x, y, x + line.Width, y + lineHeight);
      }
      DrawTextLine(line, x, y, body, mnemonic);
    }
  }
  Changed();
  return height;
}

}  // namespace kel
