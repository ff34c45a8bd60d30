// A single-line field for whole numbers with an arrow pair inside its right edge.
//
// The text is the only store of the value: Value reads the text on every call (MinValue when
// it is not a whole number) and setValue clamps to [MinValue, MaxValue] and writes plain
// decimal text. The arrows, and the Up and Down keys, step by Increment through Value. A text
// the user typed or pasted is clamped only when the focus leaves the field for another
// control of its window, after OnExit. OnChange is raised once for every change of the text,
// whoever made it, and never for a write of the same text.
//
// Typed characters are filtered by AcceptsChar (refused ones beep); paste and cut do nothing
// while EditorEnabled is off or the field is read-only.
//
// Focus: TabStop decides whether Tab reaches the field; a mouse press on the field always
// gives it the focus, while a press on the arrows moves the focus only as the pair's rules say
// (never for the right button).
#pragma once

#include <cstdint>

#include "spin/field_edit.h"
#include "spin/notify_event.h"

namespace zentarix {

class TSpinButton;

class TSpinEdit : public FieldEdit {
  Q_OBJECT
  Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE setEditorEnabled)
  Q_PROPERTY(int Increment READ Increment WRITE setIncrement)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
  Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
  Q_PROPERTY(int Value READ Value WRITE setValue)
  Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
  Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)

 public:
  explicit TSpinEdit(QWidget* parent = nullptr);
  ~TSpinEdit() override;

  // Plain settings: writing them re-clamps nothing.
  std::int32_t MinValue() const { return FMinValue; }
  void setMinValue(std::int32_t value) { FMinValue = value; }
  std::int32_t MaxValue() const { return FMaxValue; }
  void setMaxValue(std::int32_t value) { FMaxValue = value; }
  std::int32_t Increment() const { return FIncrement; }
  void setIncrement(std::int32_t value) { FIncrement = value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void setEditorEnabled(bool on) { FEditorEnabled = on; }
  // Select the whole text when the focus comes from another control (not a left press on the
  // field itself).
  bool AutoSelect() const { return FAutoSelect; }
  void setAutoSelect(bool on) { FAutoSelect = on; }
  bool TabStop() const;
  void setTabStop(bool on);

  std::int32_t Value() const;
  void setValue(std::int32_t value);

  TSpinButton* SpinButton() const { return FSpinButton; }

  // Whether a typed character may reach the text.
  virtual bool AcceptsChar(char32_t ch);
  // Add (StepUp) or subtract (StepDown) Increment, wrapping in 32 bits, through setValue;
  // beep and change nothing when the field is read-only. The arrows call these, so overrides
  // in a derived class are what the arrows do.
  virtual void StepUp(QObject* sender);
  virtual void StepDown(QObject* sender);

  std::int32_t ClampValue(std::int32_t value) const;
  // The least height that shows the font; a smaller height snaps back to it.
  int RequiredHeight() const;
  // Where the text is drawn, in the field's coordinates; it never reaches under the arrows.
  QRect TextArea() const;

  TNotifyEvent OnChange;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The arrows sit inside whichever frame the field has.
  void FrameChanged() override;
  // OnExit, then the clamp.
  void Exit() override;
  // Paste and cut also need EditorEnabled.
  bool AllowsTextEdit() const override;

 private:
  bool AcceptsTypedText(const QString& text);
  // Every step, from the arrows or the keys, whatever the override of StepUp and StepDown.
  void Step(bool up);
  void HandleKeyPress(QKeyEvent* event);
  void SetText(const QString& text);
  void TextChanged();
  void RaiseChange();
  void FitToFont();
  void PlaceSpinButton();
  void UpdateTextArea();
  QRect ContentsArea() const;

  std::int32_t FMinValue = 0;
  std::int32_t FMaxValue = 0;
  std::int32_t FIncrement = 1;
  TSpinButton* FSpinButton = nullptr;
  bool FEditorEnabled = true;
  bool FAutoSelect = true;
  int FSettingText = 0;            // inside SetText: its caller raises OnChange
  bool FTextChanged = false;       // the edit reported a change during SetText
  bool FLeftPressOnField = false;  // the focus comes from a left press on the field itself
};

}  // namespace zentarix
