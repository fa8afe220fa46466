// The window layer: messages, the application and its clock, the screen, controls, forms,
// menus, hints, standard controls, clipboard, message boxes, the system locale and the visual
// styles.
#pragma once

#include "platform/ui/Application.h"
#include "platform/ui/Buttons.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DelayTimer.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ExtCtrls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/HintWindow.h"
#include "platform/ui/Locale.h"
#include "platform/ui/Menus.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Screen.h"
#include "platform/ui/StdCtrls.h"
#include "platform/ui/Styles.h"
#include "platform/ui/WindowSystem.h"
