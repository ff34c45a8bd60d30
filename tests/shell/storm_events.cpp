#include "tests/shell/storm_events.h"

#include <array>
#include <sstream>

namespace zentarix::test {

namespace {

struct KeyChoice {
  int Key;
  Qt::KeyboardModifiers Modifiers;
};

// Repeated entries weigh the keys users press most.
const std::array<KeyChoice, 32> Keys{{
    {Qt::Key_Tab, Qt::NoModifier},
    {Qt::Key_Tab, Qt::NoModifier},
    {Qt::Key_Backtab, Qt::ShiftModifier},
    {Qt::Key_Left, Qt::NoModifier},
    {Qt::Key_Right, Qt::NoModifier},
    {Qt::Key_Up, Qt::NoModifier},
    {Qt::Key_Up, Qt::NoModifier},
    {Qt::Key_Down, Qt::NoModifier},
    {Qt::Key_Down, Qt::NoModifier},
    {Qt::Key_Home, Qt::NoModifier},
    {Qt::Key_End, Qt::NoModifier},
    {Qt::Key_Backspace, Qt::NoModifier},
    {Qt::Key_Backspace, Qt::NoModifier},
    {Qt::Key_Delete, Qt::NoModifier},
    {Qt::Key_Return, Qt::NoModifier},
    {Qt::Key_Enter, Qt::KeypadModifier},
    {Qt::Key_Return, Qt::ShiftModifier},
    {Qt::Key_Return, Qt::ControlModifier},
    {Qt::Key_Escape, Qt::NoModifier},
    {Qt::Key_PageUp, Qt::NoModifier},
    {Qt::Key_PageDown, Qt::NoModifier},
    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_A, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
    {Qt::Key_X, Qt::ControlModifier},
    {Qt::Key_C, Qt::ControlModifier},
    {Qt::Key_Left, Qt::ShiftModifier},
    {Qt::Key_End, Qt::ShiftModifier},
    {Qt::Key_Backspace, Qt::ControlModifier},
    {Qt::Key_Insert, Qt::NoModifier},
    {Qt::Key_F2, Qt::NoModifier},
}};

// Characters a number is made of, with the marks of both common locales and the exponent.
constexpr std::u32string_view NumberChars = U"0123456789.,-+eE ";

// Characters that a number field must refuse or survive: other scripts, look-alike digits
// and signs, spaces without width, direction marks, combining marks, characters outside the
// BMP and noncharacters.
constexpr std::u32string_view StrangeChars =
    U"АВЕЗОабвгдеёжзийклмнопрстуфхцчшщъыьэюяЁ\u00A0\u2212\uFF10\uFF15\u0660\u0669"
    U"\u0301\u05D0\u0627\u200B\u200F\u202E\uFEFF\uFFFD\U0001F600\U0001D7CE\U0010FFFF\u00B2"
    U"\u2009\u202F\u066B\u3000\u0007";

char32_t Letter(StormRandom& random) {
  const char32_t base = random.OneIn(2) ? U'a' : U'A';
  return base + random.Below(26);
}

char32_t AnyChar(StormRandom& random) {
  switch (random.Below(10)) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
      return U'0' + random.Below(10);
    case 5:
    case 6:
      return NumberChars[random.Below(static_cast<std::uint32_t>(NumberChars.size()))];
    case 7:
      return Letter(random);
    default:
      return StrangeChars[random.Below(static_cast<std::uint32_t>(StrangeChars.size()))];
  }
}

QString FromChar(char32_t ch) { return QString::fromUcs4(&ch, 1); }

QString Digits(StormRandom& random, int count) {
  QString text;
  text.reserve(count);
  for (int i = 0; i < count; ++i) text += QChar(u'0' + random.Below(10));
  return text;
}

// Something a user copies from elsewhere: mostly a number in one of its spellings.
QString NumberText(StormRandom& random) {
  QString text;
  if (random.OneIn(5)) text += random.OneIn(2) ? u'-' : u'+';
  text += Digits(random, random.Between(1, 12));
  if (random.OneIn(2)) {
    text += random.OneIn(2) ? u'.' : u',';
    text += Digits(random, random.Between(0, 8));
  }
  if (random.OneIn(4)) {
    text += random.OneIn(2) ? u'e' : u'E';
    if (random.OneIn(2)) text += random.OneIn(2) ? u'-' : u'+';
    text += Digits(random, random.Between(1, 4));
  }
  return text;
}

QString PasteText(StormRandom& random) {
  switch (random.Below(24)) {
    case 0:
    case 1:
      // Beyond the double range, beyond the extended range, or long but in range.
      return Digits(random, random.Between(290, 5200));
    case 2: {
      // Past the field's limit of 32767 characters now and then.
      QString text;
      const int length = random.OneIn(4) ? random.Between(20000, 40000) : random.Between(50, 3000);
      for (int i = 0; i < length; ++i) text += FromChar(AnyChar(random));
      return text;
    }
    case 3:
      return NumberText(random) + u'\n' + NumberText(random);
    case 4:
      return QString();
    case 5:
    case 6:
      // Near the top of the double range, where a target point may overflow.
      return QString::number(random.Between(1, 9)) + u'e' +
             QString::number(random.Between(306, 308));
    default:
      return NumberText(random);
  }
}

StormEvent TypeEvent(StormRandom& random) {
  StormEvent event;
  event.Action = StormAction::Type;
  const char32_t ch = AnyChar(random);
  event.Text = FromChar(ch);
  // The key code a keyboard reports for the character: its capital for Latin-1 letters and
  // for the BMP, nothing known beyond it.
  event.Key = ch < 0x10000 ? QChar(static_cast<char16_t>(ch)).toUpper().unicode()
                           : static_cast<int>(Qt::Key_unknown);
  return event;
}

StormEvent KeyEvent(StormRandom& random) {
  const KeyChoice& choice = Keys[random.Below(static_cast<std::uint32_t>(Keys.size()))];
  StormEvent event;
  event.Action = StormAction::Key;
  event.Key = choice.Key;
  event.Modifiers = choice.Modifiers;
  return event;
}

StormEvent PasteEvent(StormRandom& random) {
  StormEvent event;
  event.Action = StormAction::Paste;
  event.Target = static_cast<int>(random.Below(2));
  event.Text = PasteText(random);
  return event;
}

StormEvent ArrowEvent(StormRandom& random) {
  StormEvent event;
  event.Action = StormAction::ClickArrow;
  event.Target = static_cast<int>(random.Below(2));
  event.Button = random.OneIn(6) ? Qt::RightButton : Qt::LeftButton;
  return event;
}

StormEvent ButtonEvent() {
  StormEvent event;
  event.Action = StormAction::ClickButton;
  return event;
}

StormEvent ClickEvent(StormRandom& random) {
  StormEvent event;
  event.Action = StormAction::ClickControl;
  event.Target = static_cast<int>(random.Below(ClickTargetCount));
  event.Point = QPoint(random.Between(0, 999), random.Between(0, 999));
  return event;
}

StormEvent HelpEvent(StormRandom& random) {
  static constexpr std::array<Qt::KeyboardModifiers, 4> Modifiers{
      Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
  StormEvent event;
  event.Action = StormAction::HelpKey;
  event.Key = Qt::Key_F1;
  event.Modifiers = Modifiers[random.Below(4)];
  event.Target = static_cast<int>(random.Below(AboutCloseCount));
  event.Repeats = random.OneIn(3) ? random.Between(1, 4) : 0;
  return event;
}

StormEvent ResizeEvent(StormRandom& random) {
  StormEvent event;
  event.Action = StormAction::Resize;
  // One resize in four asks for less than the minimum size in both directions.
  event.Size = random.OneIn(4) ? QSize(random.Between(100, 622), random.Between(100, 433))
                               : QSize(random.Between(560, 1100), random.Between(380, 820));
  return event;
}

std::string Clipped(const QString& text) {
  constexpr int Shown = 40;
  std::string shown = text.left(Shown).toStdString();
  if (text.size() > Shown) shown += "... (" + std::to_string(text.size()) + " UTF-16 units)";
  return shown;
}

const char* ActionName(StormAction action) {
  switch (action) {
    case StormAction::Type:
      return "type";
    case StormAction::Key:
      return "key";
    case StormAction::Paste:
      return "paste";
    case StormAction::ClickArrow:
      return "click arrow";
    case StormAction::ClickButton:
      return "click button";
    case StormAction::ClickControl:
      return "click control";
    case StormAction::HelpKey:
      return "F1";
    case StormAction::Resize:
      return "resize";
  }
  return "?";
}

}  // namespace

StormEvent NextStormEvent(StormRandom& random) {
  const std::uint32_t roll = random.Below(100);
  if (roll < 40) return TypeEvent(random);
  if (roll < 67) return KeyEvent(random);
  if (roll < 71) return PasteEvent(random);
  if (roll < 79) return ArrowEvent(random);
  if (roll < 86) return ButtonEvent();
  if (roll < 93) return ClickEvent(random);
  if (roll < 95) return HelpEvent(random);
  return ResizeEvent(random);
}

std::string Describe(const StormEvent& event) {
  std::ostringstream text;
  text << ActionName(event.Action);
  switch (event.Action) {
    case StormAction::Type:
      text << " \"" << Clipped(event.Text) << "\"";
      break;
    case StormAction::Paste:
      text << (event.Target == PasteOver ? " over everything" : "") << " \"" << Clipped(event.Text)
           << "\"";
      break;
    case StormAction::Key:
      text << " key 0x" << std::hex << event.Key << " modifiers 0x" << event.Modifiers.toInt()
           << std::dec;
      break;
    case StormAction::HelpKey:
      text << " modifiers 0x" << std::hex << event.Modifiers.toInt() << std::dec << " held for "
           << event.Repeats << " repeats, closed by " << event.Target;
      break;
    case StormAction::ClickArrow:
    case StormAction::ClickControl:
      text << " target " << event.Target << " button " << event.Button << " at " << event.Point.x()
           << "," << event.Point.y();
      break;
    case StormAction::ClickButton:
      break;
    case StormAction::Resize:
      text << " " << event.Size.width() << "x" << event.Size.height();
      break;
  }
  return text.str();
}

}  // namespace zentarix::test
