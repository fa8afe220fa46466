// Private to the window layer: binding a canvas to a paint context for the length of a paint.
#pragma once

#include <cairo.h>

#include "platform/graphics/Canvas.h"

namespace kel {

// A 1x1 context canvases draw on outside painting (they measure text there).
cairo_t* ScratchContext();
// One canvas for the default erase and frame painting of every window.
TCanvas& SharedPaintCanvas();

// Points a canvas at a paint context and back at the scratch context when it goes.
class TCanvasBinding {
 public:
  TCanvasBinding(TCanvas* canvas, cairo_t* context) : FCanvas(canvas) {
    FCanvas->SetHandle(context);
  }
  ~TCanvasBinding() { FCanvas->SetHandle(ScratchContext()); }
  TCanvasBinding(const TCanvasBinding&) = delete;
  TCanvasBinding& operator=(const TCanvasBinding&) = delete;

 private:
  TCanvas* FCanvas;
};

}  // namespace kel
