// Modal message boxes: one sentence, a one-word caption, a single OK button, no icon.
//
// Every box the program shows goes through ShowMessageBox, so tests install a
// handler that records the boxes instead of showing them (a modal box would
// block an offscreen test). ShowErrorBox is the top-level error box: the text
// of an error that no operation caught, under the program's title.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace folivex::ui {

using MessageBoxHandler = std::function<void(const QString &text, const QString &caption)>;

// Shows `text` under `caption` modally, owned by `owner` (may be null), and
// returns when the user dismisses it. A `detail` shows beneath the text in
// the box's smaller informative line (a handler gets it after a newline).
// Never throws.
void ShowMessageBox(QWidget *owner, const QString &text, const QString &caption, const QString &detail = {});

// The top-level error box: the error's own text under the caption "Folivex".
void ShowErrorBox(QWidget *owner, const QString &text);

// Replaces how boxes are shown (tests record them); an empty handler restores
// the real modal box. Returns the previous handler.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

inline constexpr const char *kErrorBoxCaption = "Folivex";

} // namespace folivex::ui
