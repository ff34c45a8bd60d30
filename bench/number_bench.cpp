// Number texts beside the C library's conversions on the same inputs, and one whole
// calculation.
#include <benchmark/benchmark.h>
#include <double-conversion/double-to-string.h>
#include <fast_float/fast_float.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "calc/number_parse.h"
#include "calc/number_render.h"
#include "calc/number_settings.h"
#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"

using namespace zentarix;

namespace {

// What users type into the fields, in this program's comma form and in the form strtold reads
// in the C locale.
const std::vector<std::string> CommaTexts = {"100",        "110",      "1234,5678",
                                             "0,00001234", "-3,25E-1", "99999999999999999999"};
const std::vector<std::string> FullStopTexts = {"100",        "110",      "1234.5678",
                                                "0.00001234", "-3.25E-1", "99999999999999999999"};
// Prices as traders type them, in both forms.
const std::vector<std::string> PriceCommaTexts = {"1,0850", "23456,75", "0,00001234", "105",
                                                  "1,2345", "98,6",     "4567,125",   "0,5"};
const std::vector<std::string> PriceFullStopTexts = {"1.0850", "23456.75", "0.00001234", "105",
                                                     "1.2345", "98.6",     "4567.125",   "0.5"};
const std::vector<long double> RenderValues = {100.0L,   106.18L,     1234567.5L,
                                               0.03125L, -1234.5678L, 999999999999.9999L};

// The next input of a cycling mix. A compare, not a remainder: a 64-bit division would cost
// as much as the conversions being measured.
std::size_t Next(std::size_t i, std::size_t size) { return i + 1 == size ? 0 : i + 1; }

void BM_ParseNumberOr(benchmark::State& state) {
  DecimalMark = U',';
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumberOr(CommaTexts[i], -1.0L));
    i = Next(i, CommaTexts.size());
  }
}
BENCHMARK(BM_ParseNumberOr);

void BM_Strtold(benchmark::State& state) {
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::strtold(FullStopTexts[i].c_str(), nullptr));
    i = Next(i, FullStopTexts.size());
  }
}
BENCHMARK(BM_Strtold);

// The fastest double-precision parsers, on the same texts in their full-stop form. Each parses
// into a double; the project parses into the 80-bit format.
template <typename Parse>
void ParseEach(benchmark::State& state, const std::vector<std::string>& texts, Parse parse) {
  std::size_t i = 0;
  for (auto _ : state) {
    double value = 0;
    const std::string& text = texts[i];
    parse(text.data(), text.data() + text.size(), value);
    benchmark::DoNotOptimize(value);
    i = Next(i, texts.size());
  }
}

void BM_FastFloat(benchmark::State& state) {
  ParseEach(state, FullStopTexts, [](const char* first, const char* last, double& value) {
    fast_float::from_chars(first, last, value);
  });
}
BENCHMARK(BM_FastFloat);

void BM_FromCharsDouble(benchmark::State& state) {
  ParseEach(state, FullStopTexts, [](const char* first, const char* last, double& value) {
    std::from_chars(first, last, value);
  });
}
BENCHMARK(BM_FromCharsDouble);

void BM_ParseNumberOrPrices(benchmark::State& state) {
  DecimalMark = U',';
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumberOr(PriceCommaTexts[i], -1.0L));
    i = Next(i, PriceCommaTexts.size());
  }
}
BENCHMARK(BM_ParseNumberOrPrices);

void BM_FastFloatPrices(benchmark::State& state) {
  ParseEach(state, PriceFullStopTexts, [](const char* first, const char* last, double& value) {
    fast_float::from_chars(first, last, value);
  });
}
BENCHMARK(BM_FastFloatPrices);

void BM_FromCharsDoublePrices(benchmark::State& state) {
  ParseEach(state, PriceFullStopTexts, [](const char* first, const char* last, double& value) {
    std::from_chars(first, last, value);
  });
}
BENCHMARK(BM_FromCharsDoublePrices);

void BM_RenderNumber(benchmark::State& state) {
  DecimalMark = U'.';
  GroupMark = U',';
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderNumber(RenderValues[i], 4));
    i = Next(i, RenderValues.size());
  }
}
BENCHMARK(BM_RenderNumber);

void BM_SnprintfFourDecimals(benchmark::State& state) {
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    // A std::string of the result, as RenderNumber returns one.
    const int length = std::snprintf(buffer, sizeof buffer, "%.4Lf", RenderValues[i]);
    benchmark::DoNotOptimize(std::string(buffer, static_cast<std::size_t>(length)));
    i = Next(i, RenderValues.size());
  }
}
BENCHMARK(BM_SnprintfFourDecimals);

// Four decimals from a double, without grouping, into a std::string as RenderNumber returns.
void BM_ToCharsFixedFour(benchmark::State& state) {
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    const auto value = static_cast<double>(RenderValues[i]);
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    benchmark::DoNotOptimize(std::string(buffer, result.ptr));
    i = Next(i, RenderValues.size());
  }
}
BENCHMARK(BM_ToCharsFixedFour);

void BM_DoubleConversionToFixed(benchmark::State& state) {
  const auto& converter = double_conversion::DoubleToStringConverter::EcmaScriptConverter();
  std::size_t i = 0;
  char buffer[64];
  for (auto _ : state) {
    double_conversion::StringBuilder builder(buffer, sizeof buffer);
    converter.ToFixed(static_cast<double>(RenderValues[i]), 4, &builder);
    const int length = builder.position();
    benchmark::DoNotOptimize(std::string(buffer, static_cast<std::size_t>(length)));
    i = Next(i, RenderValues.size());
  }
}
BENCHMARK(BM_DoubleConversionToFixed);

void BM_CalculateLevelsAndTargets(benchmark::State& state) {
  ResetFpu();
  TCalcItem item;
  for (auto _ : state) {
    benchmark::DoNotOptimize(CalculateLevels(item, 100.0L, 110.0L, 30.0L));
    benchmark::DoNotOptimize(TargetPoints(item));
  }
}
BENCHMARK(BM_CalculateLevelsAndTargets);

}  // namespace

BENCHMARK_MAIN();
