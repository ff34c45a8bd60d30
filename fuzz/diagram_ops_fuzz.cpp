// Fuzzes the diagram's operation list on any drawing area (W and H anywhere in 32 bits), any
// record (every field any double: NaN, infinities and denormals included) and any entry
// colours. It must never throw; it has 3 operations exactly when A is neither above nor below
// B, else 27 in their fixed order; each level row lies within half a pixel of its fraction of
// the span; both bands hold the same half-height, which follows the noise product but stays
// within +-2^29 (the minimum band for a NaN product); and no coordinate wraps, apart from the
// bottom row, the span and the 50% line's end, which are plain 32-bit sums by design.
#include <cmath>
#include <cstdint>
#include <exception>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "calc/number_render.h"
#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "diagram/canvas_op.h"
#include "diagram/uDiagram.h"
#include "fuzz/fuzz_support.h"

namespace zentarix::fuzz {
namespace {

constexpr std::int64_t Margin = 30;
constexpr std::int64_t MinHalfHeight = 10;  // a band is never less than 20 rows tall
constexpr std::int64_t HalfHeightBound = std::int64_t{1} << 29;
constexpr TColor Black = 0;
constexpr TColor Red = 255;
constexpr TColor Band = 200 | (200 << 8) | (255 << 16);

std::int32_t Wrapped(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

struct DiagramInput {
  std::int32_t W;
  std::int32_t H;
  TCalcItem Item;
  TColor Brush;
  TColor Font;
};

DiagramInput ReadInput(ByteReader& reader) {
  DiagramInput input{};
  input.W = reader.Take<std::int32_t>();
  input.H = reader.Take<std::int32_t>();
  for (double* field : {&input.Item.ValueA, &input.Item.ValueB, &input.Item.Noise, &input.Item.F3,
                        &input.Item.F5, &input.Item.F3Plus, &input.Item.F3Minus, &input.Item.F5Plus,
                        &input.Item.F5Minus, &input.Item.Level50}) {
    *field = reader.Take<double>();
  }
  input.Brush = reader.Take<TColor>();
  input.Font = reader.Take<TColor>();
  return input;
}

std::string DescribeInput(const DiagramInput& in) {
  std::ostringstream out;
  out.precision(17);
  const TCalcItem& item = in.Item;
  out << "W " << in.W << ", H " << in.H << ", A " << item.ValueA << ", B " << item.ValueB
      << ", Noise " << item.Noise << ", F3 " << item.F3 << ", F5 " << item.F5 << ", F3Plus "
      << item.F3Plus << ", F3Minus " << item.F3Minus << ", F5Plus " << item.F5Plus << ", F5Minus "
      << item.F5Minus << ", Level50 " << item.Level50 << ", brush " << in.Brush << ", font "
      << in.Font;
  return out.str();
}

std::string DescribeOps(const std::vector<CanvasOp>& ops) {
  std::ostringstream out;
  for (std::size_t i = 0; i < ops.size(); ++i) out << "\n  " << i + 1 << ' ' << ops[i];
  return out.str();
}

// Rounded to the nearest integer with ties to even: |offset - product| <= 1/2, and a tie
// lands on the even neighbour.
bool RoundsTo(std::int64_t offset, Extended product) {
  const Extended distance = std::fabs(static_cast<Extended>(offset) - product);
  return distance < 0.5L || (distance == 0.5L && offset % 2 == 0);
}

class DiagramCase {
 public:
  explicit DiagramCase(const DiagramInput& input) : FIn(input) {}

  auto Describe() const {
    return [this] { return DescribeInput(FIn) + DescribeOps(FOps); };
  }

  void Check() {
    FOps = Build();
    Require(Build() == FOps, "the same inputs give the same list", Describe());
    Require(FOps.size() == 3 || FOps.size() == 27, "the list has 3 or 27 operations", Describe());
    const bool noMove =
        !(FIn.Item.ValueA > FIn.Item.ValueB) && !(FIn.Item.ValueA < FIn.Item.ValueB);
    Require((FOps.size() == 3) == noMove,
            "3 operations exactly when A is neither above nor below B", Describe());
    Require(FOps.front() == CanvasOp::SetPenColor(Black), "the list starts with a black pen",
            Describe());
    Require(FOps[FOps.size() - 2] == CanvasOp::SetPenColor(Black) &&
                FOps.back() == CanvasOp::SetTextColor(FIn.Font),
            "the list ends with a black pen and the entry font colour", Describe());
    if (FOps.size() == 27) CheckDiagram();
  }

 private:
  std::vector<CanvasOp> Build() const {
    try {
      return BuildDiagramOps(FIn.W, FIn.H, FIn.Item, FIn.Brush, FIn.Font);
    } catch (const std::exception& error) {
      Fail("building the list never throws", DescribeInput(FIn) + ": " + error.what());
    } catch (...) {
      Fail("building the list never throws", DescribeInput(FIn));
    }
  }

  std::int64_t Span() const { return Wrapped(std::int64_t{FIn.H} - 2 * Margin); }
  std::int64_t BottomRow() const { return Wrapped(std::int64_t{FIn.H} - Margin); }
  std::int64_t Column(int k) const { return Margin + k * std::int64_t{FIn.W / 6}; }

  // The row the list gives for a level is its fraction of the span from the top margin.
  std::int64_t LevelRow(std::size_t index, Extended factor) const {
    const std::int64_t row = FOps[index].Y;
    const Extended product = static_cast<Extended>(Span()) * factor;
    Require(RoundsTo(row - Margin, product), "a level row is its fraction of the span, rounded",
            Describe());
    return row;
  }

  // The half-height of both bands: the noise product rounded, held within +-2^29 before the
  // rounding, and never below 10 (nor for a NaN product).
  std::int64_t HalfHeight() const {
    const CanvasOp& f3 = FOps[4];
    const std::int64_t half = (std::int64_t{f3.Bottom} - f3.Y) / 2;
    const Extended product = static_cast<Extended>(Span()) * static_cast<Extended>(FIn.Item.Noise);
    bool decided = false;
    if (std::isnan(product) || product < MinHalfHeight + 0.5L) {
      decided = half == MinHalfHeight;
    } else if (product >= static_cast<Extended>(HalfHeightBound)) {
      decided = half == HalfHeightBound;
    } else {
      decided = RoundsTo(half, product) && half >= MinHalfHeight;
    }
    Require(decided, "the band's half-height follows the noise product as decided", Describe());
    return half;
  }

  void CheckDiagram() {
    const bool falling = FIn.Item.ValueA > FIn.Item.ValueB;
    const std::int64_t f3Row = LevelRow(6, falling ? 0.618L : 0.382L);
    const std::int64_t f5Row = LevelRow(10, falling ? 0.382L : 0.618L);
    const std::int64_t row50 = LevelRow(17, 0.5L);
    const std::int64_t half = HalfHeight();
    const std::vector<CanvasOp> expected = Expected(falling, f3Row, f5Row, row50, half);
    for (std::size_t i = 0; i < expected.size(); ++i) {
      Require(FOps[i] == expected[i], "every operation stands as fixed", [&] {
        std::ostringstream out;
        out << "operation " << i + 1 << " should be " << expected[i] << "; " << Describe()();
        return out.str();
      });
    }
  }

  // A coordinate of the list: computed without wrapping, it must fit 32 bits as it is.
  std::int32_t Fitting(std::int64_t value) const {
    Require(value >= INT32_MIN && value <= INT32_MAX, "no coordinate leaves the 32-bit range",
            [&] { return "coordinate " + std::to_string(value) + "; " + Describe()(); });
    return static_cast<std::int32_t>(value);
  }

  std::string Label(const char* prefix, double value) const {
    return prefix + RenderNumber(static_cast<Extended>(value), 4);
  }

  std::vector<CanvasOp> Expected(bool falling, std::int64_t f3Row, std::int64_t f5Row,
                                 std::int64_t row50, std::int64_t half) const {
    const TCalcItem& item = FIn.Item;
    const auto x = [&](int k) { return Fitting(Column(k)); };
    const std::int32_t top = static_cast<std::int32_t>(Margin);
    const std::int32_t bottom = static_cast<std::int32_t>(BottomRow());
    const std::int32_t aY = falling ? top : bottom;
    const std::int32_t bY = falling ? bottom : top;
    const std::int32_t f3Top = Fitting(f3Row - half), f3Bottom = Fitting(f3Row + half);
    const std::int32_t f5Top = Fitting(f5Row - half), f5Bottom = Fitting(f5Row + half);
    const std::int32_t y3 = Fitting(f3Row), y5 = Fitting(f5Row), y50 = Fitting(row50);
    return {
        CanvasOp::SetPenColor(Black),
        CanvasOp::MoveTo(top, aY),
        CanvasOp::LineTo(x(1), bY),
        CanvasOp::SetBrushColor(Band),
        CanvasOp::FillRect(x(1), f3Top, x(3), f3Bottom),
        CanvasOp::MoveTo(x(1), bY),
        CanvasOp::LineTo(x(2), y3),
        CanvasOp::SetBrushColor(Band),
        CanvasOp::FillRect(x(3), f5Top, x(5), f5Bottom),
        CanvasOp::MoveTo(x(1), bY),
        CanvasOp::LineTo(x(4), y5),
        CanvasOp::SetBrushColor(FIn.Brush),
        CanvasOp::TextOut(x(1), Fitting(f3Top - 13),
                          Label("+F3 = ", falling ? item.F3Minus : item.F3Plus)),
        CanvasOp::TextOut(x(1), Fitting(f3Bottom + 1),
                          Label("-F3 = ", falling ? item.F3Plus : item.F3Minus)),
        CanvasOp::TextOut(x(3), Fitting(f5Top - 13),
                          Label("+F5 = ", falling ? item.F5Minus : item.F5Plus)),
        CanvasOp::TextOut(x(3), Fitting(f5Bottom + 1),
                          Label("-F5 = ", falling ? item.F5Plus : item.F5Minus)),
        CanvasOp::SetPenColor(Red),
        CanvasOp::MoveTo(top, y50),
        CanvasOp::LineTo(Wrapped(std::int64_t{FIn.W} - Margin), y50),
        CanvasOp::TextOut(top, Fitting(row50 - 13), Label("50% = ", item.Level50)),
        CanvasOp::SetFontStyle(fsBold),
        CanvasOp::TextOut(top, aY, Label("A = ", item.ValueA)),
        CanvasOp::TextOut(x(1), bY, Label("B = ", item.ValueB)),
        CanvasOp::TextOut(x(2) + 1, Fitting(f3Row + 1), Label("F3 = ", item.F3)),
        CanvasOp::TextOut(x(4) + 1, Fitting(f5Row + 1), Label("F5 = ", item.F5)),
        CanvasOp::SetPenColor(Black),
        CanvasOp::SetTextColor(FIn.Font),
    };
  }

  const DiagramInput& FIn;
  std::vector<CanvasOp> FOps;
};

}  // namespace
}  // namespace zentarix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zentarix::ResetFpu();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentarix::fuzz;
  ByteReader reader(data, size);
  const DiagramInput input = ReadInput(reader);
  const MarksInForce marks(MarkPairs[reader.Take<std::uint8_t>() % std::size(MarkPairs)]);
  DiagramCase(input).Check();
  return 0;
}
