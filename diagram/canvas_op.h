// One recorded drawing operation of a picture (the level diagram, the price chart), and the
// colour and font-style values it carries. Plain data: the list is built without any windowing
// code and replayed later.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace zentarix {

// An explicit colour holds red in bits 0-7, green in bits 8-15 and blue in bits 16-23. A
// value with the top bit set names a colour that the canvas resolves when it draws
// (diagram/named_colors.h lists them).
using TColor = std::int32_t;

// A set of font styles, one bit each.
using TFontStyles = std::uint8_t;
inline constexpr TFontStyles fsBold = 0x01;
inline constexpr TFontStyles fsItalic = 0x02;
inline constexpr TFontStyles fsUnderline = 0x04;
inline constexpr TFontStyles fsStrikeOut = 0x08;

enum class CanvasOpKind : std::uint8_t {
  SetPenColor,
  MoveTo,
  LineTo,
  SetBrushColor,
  FillRect,
  SetFontStyle,
  SetTextColor,
  TextOut,
  // Beyond the diagram's own operations, for the chart: lines of a width (scaled with the
  // picture), dashed lines, and texts of a size.
  SetPenWidth,
  SetPenStyle,
  SetFontSize,
};

// The pen's styles for SetPenStyle.
inline constexpr TFontStyles psSolid = 0;
inline constexpr TFontStyles psDash = 1;

// The arguments a kind does not use stay zero or empty, so that two equal operations compare
// equal field by field.
struct CanvasOp {
  CanvasOpKind Kind = CanvasOpKind::MoveTo;
  // MoveTo, LineTo, TextOut; the left edge of FillRect; the width of SetPenWidth (0: the
  // diagram's exact one-pixel line, without its end pixel); the pixel size of SetFontSize (0:
  // the canvas font's own)
  std::int32_t X = 0;
  std::int32_t Y = 0;       // MoveTo, LineTo, TextOut; the top edge of FillRect
  std::int32_t Right = 0;   // FillRect only
  std::int32_t Bottom = 0;  // FillRect only
  TColor Color = 0;         // SetPenColor, SetBrushColor, SetTextColor
  TFontStyles Styles = 0;   // SetFontStyle, SetPenStyle
  std::string Text;         // TextOut, UTF-8

  static CanvasOp SetPenColor(TColor color);
  static CanvasOp MoveTo(std::int32_t x, std::int32_t y);
  static CanvasOp LineTo(std::int32_t x, std::int32_t y);
  static CanvasOp SetBrushColor(TColor color);
  static CanvasOp FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                           std::int32_t bottom);
  static CanvasOp SetFontStyle(TFontStyles styles);
  static CanvasOp SetTextColor(TColor color);
  static CanvasOp TextOut(std::int32_t x, std::int32_t y, std::string text);
  static CanvasOp SetPenWidth(std::int32_t width);
  static CanvasOp SetPenStyle(TFontStyles style);
  static CanvasOp SetFontSize(std::int32_t pixels);

  friend bool operator==(const CanvasOp&, const CanvasOp&) = default;
};

// One line's worth of text, for example MoveTo(30,401), FillRect(106,161,258,183),
// SetFontStyle(bold), SetPenStyle(dash) or TextOut(106,148,"+F3 = 106.4800"); colours print as
// signed decimals.
std::ostream& operator<<(std::ostream& out, const CanvasOp& op);

}  // namespace zentarix
