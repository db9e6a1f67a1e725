#pragma once
// The window's pictures, drawn in code: the background, the button glyphs
// and the two images of the expand/collapse button.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRegion>

namespace vael::ui {

// Labels, panels and the gauge background.
inline const QColor kParchment(242, 223, 190);

enum class Glyph {
  Help, Minimize, Close, Log, Info, GeneratePage, GenerateNext,
  Save, Copy, Clear, SelectAll, InvertSelection, DeselectAll
};

// 370 x 337: body, title strip, crest and the medallion with its hot spot.
QPixmap BackgroundPicture();
QIcon GlyphIcon(Glyph glyph);
// Image 0 points down (the window will expand), image 1 up (collapse).
QIcon OptionsImage(int index);

// The shape of the main window: a rectangle from (0, 34) to (370, 520)
// united with the crest and the medallion.
QRegion WindowRegion();

}  // namespace vael::ui
