// THintWindow: a top-level popup with a one-pixel frame, sized to its text (wrapped at the
// width it is given) and shown without taking the focus.
#include "platform/ui/HintWindow.h"

#include "platform/ui/Screen.h"

namespace kel {

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FVisible = false;
  FColor = clInfoBk;
  FParentColor = false;
  FParentFont = false;
  Font()->Assign(Screen->HintFont());
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  Params.ClassStyle |= CS_SAVEBITS;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  Canvas()->SetFont(Font());
  const int frame = 2 * (TextMargin + SystemMetrics().BorderWidth);
  TRect r = Rect(0, 0, std::max(MaxWidth - frame, 1), 0);
  Canvas()->DrawText(AHint, r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  return Rect(0, 0, r.Width() + frame, r.Height() + frame);
}

void THintWindow::ActivateHint(TRect Rect, const String& AHint) {
  ActivateHintData(Rect, AHint, nullptr);
}

void THintWindow::ActivateHintData(TRect Rect, const String& AHint, void* AData) {
  FData = AData;
  SetCaption(AHint);
  SetBoundsRect(Rect);
  FActive = true;
  Show();
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  FActive = false;
  Hide();
}

void THintWindow::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(FColor);
  canvas->FillRect(r);
  canvas->SetFont(Font());
  canvas->Brush()->SetStyle(bsClear);
  r.Inflate(-TextMargin, -TextMargin);
  canvas->DrawText(Caption(), r, DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace kel
