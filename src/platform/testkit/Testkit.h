// Input simulation and clock control for tests. Every call builds the input a live backend
// would deliver (window coordinates of the control's top-level window, modifier state) and
// queues it through the same path, then processes the queue so its effects are visible at once.
//
// Points are in the control's client coordinates.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/ui/Ui.h"

namespace kel::testkit {

void MouseMove(TControl* Control, TPoint Pos, TShiftState Shift = {});
void MouseDown(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft, TShiftState Shift = {});
void MouseUp(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Move, down and up at one point.
void Click(TControl* Control, TPoint Pos, TMouseButton Button = mbLeft, TShiftState Shift = {});
// Two clicks within the double-click time (the clock moves on by 10 ms between them).
void DoubleClick(TControl* Control, TPoint Pos, TShiftState Shift = {});
// Down at From, moves in Steps steps to To, up at To.
void Drag(TControl* Control, TPoint From, TPoint To, TMouseButton Button = mbLeft,
          TShiftState Shift = {}, int Steps = 4);
// Notches of the wheel over the point (positive: away from the user).
void Wheel(TControl* Control, TPoint Pos, int Notches, TShiftState Shift = {});

// The control gets the focus first when it does not have it; the key goes to the focused window.
void KeyDown(TWinControl* Control, Word Key, TShiftState Shift = {});
// The key goes to the focused window (the key down may have moved the focus).
void KeyUp(TWinControl* Control, Word Key, TShiftState Shift = {});
// Key down (with the character it types, as WM_CHAR) and key up.
void PressKey(TWinControl* Control, Word Key, TShiftState Shift = {});
// Types each character of Text (UTF-8) as WM_CHAR through key presses.
void TypeText(TWinControl* Control, const String& Text);

// Moves the application clock on (headless: virtual time).
void AdvanceTime(Cardinal Milliseconds);

// Queues answers (modal results: mrYes, mrOk, ...) for the next message boxes, first answer
// first; without answers a box answers its default button. Clears the log of asked questions.
void ScriptMessageBox(std::initializer_list<TModalResult> Answers);
// Questions asked since the last ScriptMessageBox (their texts).
const std::vector<String>& MessageBoxLog();
// Runs Script on the next headless modal form when its loop goes idle (it should set the
// form's ModalResult or click a button).
void ScriptModal(std::function<void(TCustomForm* Form)> Script);

// Paints the control (and its children) freshly and writes it as a PNG file.
void SavePng(TControl* Control, const String& Path);
// The colour (0x00BBGGRR) of a client pixel of the control as its window shows it now, after
// painting what is pending.
TColor Pixel(TControl* Control, TPoint Pos);

}  // namespace kel::testkit
