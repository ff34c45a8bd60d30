#include "calc/level_table.h"

namespace zentarix {

namespace {

constexpr SpecifiedLevel Field(std::string_view key, std::string_view name, std::string_view label,
                               ListingBlock block, double TCalcItem::*field) {
  return {key, name, label, block, nullptr, field, 0, ChartLine::None, nullptr, nullptr, false};
}

constexpr SpecifiedLevel Target(std::string_view key, std::string_view name, std::string_view label,
                                std::size_t index) {
  return {key,     name,    label, ListingBlock::Targets, nullptr, nullptr, index, ChartLine::None,
          nullptr, nullptr, false};
}

// F3 and F5 are drawn with their corridors; the spoken summary names them and the 50% level.
constexpr SpecifiedLevel WithCorridor(std::string_view key, std::string_view name,
                                      std::string_view label, const Extended* factor,
                                      double TCalcItem::*field, double TCalcItem::*lower,
                                      double TCalcItem::*upper) {
  return {key,    name,  label, ListingBlock::Retracements,
          factor, field, 0,     ChartLine::WithCorridor,
          lower,  upper, true};
}

}  // namespace

const std::array<SpecifiedLevel, SpecifiedLevelCount> SpecifiedLevels = {
    Field("a", "A", "A = ", ListingBlock::Move, &TCalcItem::ValueA),
    Field("b", "B", "B = ", ListingBlock::Move, &TCalcItem::ValueB),
    Field("noise", "", "", ListingBlock::NotListed, &TCalcItem::Noise),
    WithCorridor("f3", "F3", " F3 = ", &Factor0382, &TCalcItem::F3, &TCalcItem::F3Minus,
                 &TCalcItem::F3Plus),
    {"level50", "50%", "50% = ", ListingBlock::Retracements, &Factor0500, &TCalcItem::Level50, 0,
     ChartLine::Plain, nullptr, nullptr, true},
    WithCorridor("f5", "F5", " F5 = ", &Factor0618, &TCalcItem::F5, &TCalcItem::F5Minus,
                 &TCalcItem::F5Plus),
    Field("f3_1", "F3(1)", "  F3(1) = ", ListingBlock::CorridorF3, &TCalcItem::F3Minus),
    Field("f3_2", "F3(2)", "  F3(2) = ", ListingBlock::CorridorF3, &TCalcItem::F3Plus),
    Field("f5_1", "F5(1)", "  F5(1) = ", ListingBlock::CorridorF5, &TCalcItem::F5Minus),
    Field("f5_2", "F5(2)", "  F5(2) = ", ListingBlock::CorridorF5, &TCalcItem::F5Plus),
    Target("cop_f3", "COP(F3)", "  COP(F3) = ", 0),
    Target("cop_f5", "COP(F5)", "  COP(F5) = ", 1),
    Target("op_f3", "OP(F3)", "   OP(F3) = ", 2),
    Target("op_f5", "OP(F5)", "   OP(F5) = ", 3),
    Target("xop_f3", "XOP(F3)", "  XOP(F3) = ", 4),
    Target("xop_f5", "XOP(F5)", "  XOP(F5) = ", 5),
};

}  // namespace zentarix
