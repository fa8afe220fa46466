// The graphics unit: colours, fonts, pens and brushes, the Cairo/Pango canvas, bitmaps,
// pictures, image lists and the built-in glyph strips.
#pragma once

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GlyphStrips.h"
#include "platform/graphics/Graphic.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/graphics/ImageList.h"
