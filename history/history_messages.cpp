#include "history/history_messages.h"

#include <initializer_list>

namespace zentarix {

namespace {

// The sources, in Russian; the English catalogue (translations/zentarix_en.ts, context
// "History") holds their translations.
constexpr const char* NoPriceColumn = "строка %1: нет столбцов High и Low и нет столбца Close";
constexpr const char* NoBars = "в файле нет баров: он пуст или в нём один заголовок";
constexpr const char* LineTooLong = "строка %1: длиннее %2 байт";
constexpr const char* TooFewCells = "строка %1: ячеек %2, а столбцам нужно %3";
constexpr const char* NotUtf8 = "строка %1, столбец %2: текст не в кодировке UTF-8";
constexpr const char* HoldsNul = "строка %1, столбец %2: в ячейке нулевой байт";
constexpr const char* NotANumber = "строка %1, столбец %2: «%3» — не число";
constexpr const char* Ambiguous =
    "строка %1, столбец %2: «%3» читается двояко, а десятичный знак файла ещё не ясен";
constexpr const char* NotPositive = "строка %1, столбец %2: цена «%3» не больше нуля";
constexpr const char* TooLarge = "строка %1, столбец %2: цена «%3» вне диапазона double";
constexpr const char* TooSmall =
    "строка %1, столбец %2: цена «%3» меньше наименьшего нормализованного double";
constexpr const char* HighBelowLow = "строка %1: High %2 ниже Low %3";
constexpr const char* NotADate =
    "строка %1, столбец %2: «%3» — не дата в форме остальных дат файла";
constexpr const char* OutOfOrder =
    "строка %1: время %2 нарушает порядок файла после %3 (строка %4)";
constexpr const char* SkippedRow = "пропущена строка без цен (строка %1)";
constexpr const char* SkippedRows = "пропущено строк без цен: %1 (строки %2)";
constexpr const char* NewestFirst = "файл идёт от новых баров к старым: он прочитан с конца";
constexpr const char* DatesUnread = "даты файла не прочитаны: бары взяты в порядке файла";
constexpr const char* NoDates = "в файле нет столбца даты: бары взяты в порядке файла";
constexpr const char* Repeats = "время строки %1 повторяет время строки перед ней (повторов: %2)";
constexpr const char* NoSwing = "нет волны: цены ни разу не сдвигаются на %1%";
constexpr const char* CannotOpen = "не удаётся открыть %1: %2";
constexpr const char* CannotRead = "не удаётся прочитать %1: %2";
constexpr const char* CannotCopy = "не удаётся сохранить копию %1 во временном файле: %2";
constexpr const char* StandardInput = "стандартный ввод";

constexpr const char* AllTexts[] = {
    NoPriceColumn, NoBars,      LineTooLong, TooFewCells,  NotUtf8,      HoldsNul, NotANumber,
    Ambiguous,     NotPositive, TooLarge,    TooSmall,     HighBelowLow, NotADate, OutOfOrder,
    SkippedRow,    SkippedRows, NewestFirst, DatesUnread,  NoDates,      Repeats,  NoSwing,
    CannotOpen,    CannotRead,  CannotCopy,  StandardInput};

// pattern with %1, %2, ... replaced by the arguments, each once and left to right, so that an
// argument holding "%2" stays as it is.
std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> arguments) {
  std::string text;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char next = at + 1 < pattern.size() ? pattern[at + 1] : '\0';
    const auto index = static_cast<std::size_t>(next - '1');
    if (pattern[at] == '%' && next >= '1' && next <= '9' && index < arguments.size()) {
      text += arguments.begin()[index];
      ++at;
    } else {
      text += pattern[at];
    }
  }
  return text;
}

std::string Number(long value) { return std::to_string(value); }

std::string FileName(std::string_view file, const TranslateHistory& translate) {
  return file == "-" ? translate(StandardInput) : std::string(file);
}

}  // namespace

std::string DescribeHistoryError(const HistoryError& error, const TranslateHistory& translate) {
  const std::string line = Number(error.Line);
  const auto cell = [&](const char* pattern) {
    return Filled(translate(pattern), {line, error.Column, error.Cell});
  };
  switch (error.Problem) {
    case HistoryProblem::NoPriceColumn:
      return Filled(translate(NoPriceColumn), {line});
    case HistoryProblem::NoBars:
      return translate(NoBars);
    case HistoryProblem::LineTooLong:
      return Filled(translate(LineTooLong), {line, Number(error.Count)});
    case HistoryProblem::TooFewCells:
      return Filled(translate(TooFewCells), {line, Number(error.Count), Number(error.Needed)});
    case HistoryProblem::NotUtf8:
      return cell(NotUtf8);
    case HistoryProblem::HoldsNul:
      return cell(HoldsNul);
    case HistoryProblem::NotANumber:
      return cell(NotANumber);
    case HistoryProblem::Ambiguous:
      return cell(Ambiguous);
    case HistoryProblem::NotPositive:
      return cell(NotPositive);
    case HistoryProblem::TooLarge:
      return cell(TooLarge);
    case HistoryProblem::TooSmall:
      return cell(TooSmall);
    case HistoryProblem::HighBelowLow:
      return Filled(translate(HighBelowLow), {line, error.Cell, error.Other});
    case HistoryProblem::NotADate:
      return cell(NotADate);
    case HistoryProblem::OutOfOrder:
      return Filled(translate(OutOfOrder),
                    {line, error.Cell, error.Other, Number(error.OtherLine)});
  }
  return {};
}

std::string SkippedRowsNote(const HistoryCheck& check, const TranslateHistory& translate) {
  if (check.RowsWithoutPrices == 0) return {};
  if (check.RowsWithoutPrices == 1) {
    return Filled(translate(SkippedRow), {Number(check.SkippedLines.front())});
  }
  std::string lines;
  for (const long line : check.SkippedLines) {
    if (!lines.empty()) lines += ", ";
    lines += Number(line);
  }
  if (static_cast<std::size_t>(check.RowsWithoutPrices) > check.SkippedLines.size()) {
    lines += ", …";
  }
  return Filled(translate(SkippedRows), {Number(check.RowsWithoutPrices), lines});
}

std::string OrderNote(const HistoryCheck& check, const TranslateHistory& translate) {
  if (!check.Dated) return translate(NoDates);
  switch (check.Order) {
    case BarOrder::NewestFirst:
      return translate(NewestFirst);
    case BarOrder::Unread:
      return translate(DatesUnread);
    case BarOrder::Single:
    case BarOrder::OldestFirst:
      break;
  }
  return {};
}

std::string RepeatNote(const HistoryCheck& check, const TranslateHistory& translate) {
  if (check.Repeats == 0) return {};
  return Filled(translate(Repeats), {Number(check.FirstRepeatLine), Number(check.Repeats)});
}

std::string NoSwingNote(std::string_view percent, const TranslateHistory& translate) {
  return Filled(translate(NoSwing), {percent});
}

std::string CannotOpenNote(std::string_view file, std::string_view reason,
                           const TranslateHistory& translate) {
  return Filled(translate(CannotOpen), {FileName(file, translate), reason});
}

std::string CannotReadNote(const std::string& file, const HistoryCheck& check,
                           std::string_view reason, const TranslateHistory& translate) {
  return Filled(translate(check.CopyFailed ? CannotCopy : CannotRead),
                {FileName(file, translate), reason});
}

std::span<const char* const> HistoryTexts() { return AllTexts; }

}  // namespace zentarix
