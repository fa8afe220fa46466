// Messages: typed records decoded for the named handlers and stored back, Perform and
// SendMessage results, posting and peeking by id range, exceptions ending at the application's
// handler, and font, colour and bidirectional-mode propagation through CM_PARENT... messages.
#include <gtest/gtest.h>

#include "platform/testkit/Testkit.h"

namespace kel {
namespace {

class TProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TWMSize LastSize;
  TWMScroll LastScroll;
  int ParentFontChanges = 0;
  std::function<void()> OnCustom;

  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_USER + 7) {
      if (OnCustom) OnCustom();
      Message.Result = 77;
      return;
    }
    TCustomControl::WndProc(Message);
  }

 protected:
  void WMSize(TWMSize& Message) override {
    TCustomControl::WMSize(Message);
    LastSize = Message;
  }
  void WMHScroll(TWMHScroll& Message) override {
    LastScroll = Message;
    Message.Result = 5;
  }
  void WMChar(TWMChar& Message) override {
    if (Message.CharCode == 'x') Message.CharCode = 'y';  // a handler may change the key
    TCustomControl::WMChar(Message);
  }
  void CMParentFontChanged(TMessage& Message) override {
    TCustomControl::CMParentFontChanged(Message);
    ++ParentFontChanges;
  }
};

class MessagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = new TForm(nullptr);
    probe = new TProbe(form);
    probe->SetParent(form);
    probe->SetBounds(0, 0, 100, 50);
    form->Show();
  }
  void TearDown() override {
    delete form;
    Application->OnException = nullptr;
  }
  TForm* form = nullptr;
  TProbe* probe = nullptr;
};

TEST_F(MessagesTest, TypedRecordsAreDecodedForTheHandlersAndStoredBack) {
  probe->SetBounds(0, 0, 120, 70);
  EXPECT_EQ(probe->LastSize.Width, 120);
  EXPECT_EQ(probe->LastSize.Height, 70);
  const LRESULT result = SendMessage(probe->Handle(), WM_HSCROLL, MakeWParam(SB_THUMBTRACK, 42), 0);
  EXPECT_EQ(result, 5);
  EXPECT_EQ(probe->LastScroll.ScrollCode, SB_THUMBTRACK);
  EXPECT_EQ(probe->LastScroll.Pos, 42);
  // Changed record fields are stored back.
  Char seen = 0;
  probe->OnKeyPress = [&](TObject*, Char& key) {
    seen = key;
    key = 0;
  };
  TMessage message{WM_CHAR, 'x', 0, 0};
  probe->Perform(message);
  EXPECT_EQ(seen, U'y');
  EXPECT_EQ(message.WParam, 0u);  // eaten by the handler
  // Own message ids go through WndProc.
  EXPECT_EQ(probe->Perform(WM_USER + 7), 77);
  EXPECT_EQ(SendMessage(probe->Handle(), WM_USER + 7), 77);
  EXPECT_EQ(SendMessage(0, WM_USER + 7), 0);  // no window, no answer
}

TEST_F(MessagesTest, PeekFindsAndRemovesQueuedMessagesByRange) {
  const HWND wnd = probe->Handle();
  PostMessage(wnd, WM_USER + 100, 1, 0);
  PostMessage(wnd, WM_USER + 101, 2, 0);
  PostMessage(wnd, WM_USER + 100, 3, 0);
  TMsg msg;
  const std::tuple<Cardinal, Cardinal, Cardinal, bool, WPARAM> cases[] = {
      {WM_USER + 101, WM_USER + 101, PM_NOREMOVE, true, 2},
      {WM_USER + 100, WM_USER + 100, PM_REMOVE, true, 1},
      {WM_USER + 100, WM_USER + 100, PM_REMOVE, true, 3},
      {WM_USER + 100, WM_USER + 100, PM_REMOVE, false, 0},
      {0, 0, PM_REMOVE, true, 2},
  };
  for (const auto& [first, last, remove, found, wParam] : cases) {
    EXPECT_EQ(PeekMessage(msg, wnd, first, last, remove), found);
    EXPECT_EQ(found ? msg.wParam : 0u, wParam);
  }
}

TEST_F(MessagesTest, ExceptionsInHandlersEndAtTheApplicationsHandler) {
  std::vector<String> handled;
  Application->OnException = [&](TObject*, const std::exception& e) { handled.push_back(e.what()); };
  probe->OnCustom = [] { throw EDatabaseError("Field 'X' not found"); };
  PostMessage(probe->Handle(), WM_USER + 7);
  Application->ProcessMessages();
  probe->OnCustom = [] { Abort(); };
  SendMessage(probe->Handle(), WM_USER + 7);  // silent
  probe->OnCustom = [] { throw EConvertError("'abc' is not a valid integer value"); };
  testkit::AdvanceTime(1);
  SendMessage(probe->Handle(), WM_USER + 7);
  EXPECT_EQ(handled, (std::vector<String>{"Field 'X' not found", "'abc' is not a valid integer value"}));
  // Without a handler the message is remembered, headless.
  Application->OnException = nullptr;
  probe->OnCustom = [] { throw EInvalidOperation("no handler here"); };
  SendMessage(probe->Handle(), WM_USER + 7);
  EXPECT_EQ(Application->LastExceptionMessage(), "no handler here");
}

TEST_F(MessagesTest, FontAndColourReachChildrenThatFollowTheirParent) {
  auto* own = new TProbe(form);
  own->SetParent(form);
  own->Font()->SetName("DejaVu Serif");  // no longer follows the form
  EXPECT_FALSE(own->ParentFont());
  const int before = probe->ParentFontChanges;
  form->Font()->SetHeight(-16);
  EXPECT_TRUE(probe->ParentFont());
  EXPECT_EQ(probe->Font()->Height(), -16);
  EXPECT_EQ(own->Font()->Height(), TFont::DefaultHeight);
  EXPECT_EQ(probe->ParentFontChanges, before + 1);
  auto* label = new TLabel(form);
  label->SetParent(probe);
  EXPECT_EQ(label->Font()->Height(), -16);  // grandchildren follow through their parent
  probe->SetColor(clWindow);  // its own colour now
  form->SetColor(clTeal);
  EXPECT_EQ(probe->Color(), clWindow);
  EXPECT_EQ(label->Color(), clWindow);  // the label follows the probe
  probe->SetParentColor(true);
  EXPECT_EQ(probe->Color(), clTeal);
  EXPECT_EQ(label->Color(), clTeal);
}

TEST_F(MessagesTest, BiDiModeFollowsTheParent) {
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_TRUE(probe->UseRightToLeftAlignment());
  EXPECT_TRUE(probe->UseRightToLeftScrollBar());
  probe->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_FALSE(probe->UseRightToLeftAlignment());
  EXPECT_TRUE(probe->UseRightToLeftReading());
  form->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(probe->BiDiMode(), bdRightToLeftReadingOnly);
}

TEST_F(MessagesTest, RecreatingTheWindowKeepsTheControlWorking) {
  const HWND before = probe->Handle();
  probe->SetBorderStyle(bsSingle);
  EXPECT_NE(probe->Handle(), before);
  EXPECT_EQ(FindControl(before), nullptr);
  EXPECT_EQ(FindControl(probe->Handle()), probe);
  EXPECT_EQ(probe->ClientWidth(), 96);
  EXPECT_EQ(SendMessage(probe->Handle(), WM_USER + 7), 77);
}

}  // namespace
}  // namespace kel
