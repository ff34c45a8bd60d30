#include "diagram/canvas_op.h"

#include <ostream>
#include <utility>

namespace zentarix {

namespace {

CanvasOp WithColor(CanvasOpKind kind, TColor color) {
  CanvasOp op;
  op.Kind = kind;
  op.Color = color;
  return op;
}

CanvasOp AtPoint(CanvasOpKind kind, std::int32_t x, std::int32_t y) {
  CanvasOp op;
  op.Kind = kind;
  op.X = x;
  op.Y = y;
  return op;
}

const char* KindName(CanvasOpKind kind) {
  switch (kind) {
    case CanvasOpKind::SetPenColor:
      return "SetPenColor";
    case CanvasOpKind::MoveTo:
      return "MoveTo";
    case CanvasOpKind::LineTo:
      return "LineTo";
    case CanvasOpKind::SetBrushColor:
      return "SetBrushColor";
    case CanvasOpKind::FillRect:
      return "FillRect";
    case CanvasOpKind::SetFontStyle:
      return "SetFontStyle";
    case CanvasOpKind::SetTextColor:
      return "SetTextColor";
    case CanvasOpKind::TextOut:
      return "TextOut";
    case CanvasOpKind::SetPenWidth:
      return "SetPenWidth";
    case CanvasOpKind::SetPenStyle:
      return "SetPenStyle";
    case CanvasOpKind::SetFontSize:
      return "SetFontSize";
  }
  return "Unknown";
}

// The style names joined by commas, in bit order; the empty set prints nothing.
void PrintStyles(std::ostream& out, TFontStyles styles) {
  static constexpr std::pair<TFontStyles, const char*> Names[] = {{fsBold, "bold"},
                                                                  {fsItalic, "italic"},
                                                                  {fsUnderline, "underline"},
                                                                  {fsStrikeOut, "strikeout"}};
  const char* separator = "";
  for (const auto& [bit, name] : Names) {
    if ((styles & bit) == 0) continue;
    out << separator << name;
    separator = ",";
  }
}

void PrintArguments(std::ostream& out, const CanvasOp& op) {
  switch (op.Kind) {
    case CanvasOpKind::SetPenColor:
    case CanvasOpKind::SetBrushColor:
    case CanvasOpKind::SetTextColor:
      out << op.Color;
      return;
    case CanvasOpKind::MoveTo:
    case CanvasOpKind::LineTo:
      out << op.X << ',' << op.Y;
      return;
    case CanvasOpKind::FillRect:
      out << op.X << ',' << op.Y << ',' << op.Right << ',' << op.Bottom;
      return;
    case CanvasOpKind::SetFontStyle:
      PrintStyles(out, op.Styles);
      return;
    case CanvasOpKind::TextOut:
      out << op.X << ',' << op.Y << ",\"" << op.Text << '"';
      return;
    case CanvasOpKind::SetPenWidth:
    case CanvasOpKind::SetFontSize:
      out << op.X;
      return;
    case CanvasOpKind::SetPenStyle:
      out << (op.Styles == psDash ? "dash" : "solid");
      return;
  }
}

}  // namespace

CanvasOp CanvasOp::SetPenColor(TColor color) { return WithColor(CanvasOpKind::SetPenColor, color); }

CanvasOp CanvasOp::MoveTo(std::int32_t x, std::int32_t y) {
  return AtPoint(CanvasOpKind::MoveTo, x, y);
}

CanvasOp CanvasOp::LineTo(std::int32_t x, std::int32_t y) {
  return AtPoint(CanvasOpKind::LineTo, x, y);
}

CanvasOp CanvasOp::SetBrushColor(TColor color) {
  return WithColor(CanvasOpKind::SetBrushColor, color);
}

CanvasOp CanvasOp::FillRect(std::int32_t left, std::int32_t top, std::int32_t right,
                            std::int32_t bottom) {
  CanvasOp op = AtPoint(CanvasOpKind::FillRect, left, top);
  op.Right = right;
  op.Bottom = bottom;
  return op;
}

CanvasOp CanvasOp::SetFontStyle(TFontStyles styles) {
  CanvasOp op;
  op.Kind = CanvasOpKind::SetFontStyle;
  op.Styles = styles;
  return op;
}

CanvasOp CanvasOp::SetTextColor(TColor color) {
  return WithColor(CanvasOpKind::SetTextColor, color);
}

CanvasOp CanvasOp::TextOut(std::int32_t x, std::int32_t y, std::string text) {
  CanvasOp op = AtPoint(CanvasOpKind::TextOut, x, y);
  op.Text = std::move(text);
  return op;
}

CanvasOp CanvasOp::SetPenWidth(std::int32_t width) {
  return AtPoint(CanvasOpKind::SetPenWidth, width, 0);
}

CanvasOp CanvasOp::SetPenStyle(TFontStyles style) {
  CanvasOp op;
  op.Kind = CanvasOpKind::SetPenStyle;
  op.Styles = style;
  return op;
}

CanvasOp CanvasOp::SetFontSize(std::int32_t pixels) {
  return AtPoint(CanvasOpKind::SetFontSize, pixels, 0);
}

std::ostream& operator<<(std::ostream& out, const CanvasOp& op) {
  out << KindName(op.Kind) << '(';
  PrintArguments(out, op);
  return out << ')';
}

}  // namespace zentarix
