// Helpers of the Office host tests: fixture paths, opening them as the
// conversion does, the page-copy sequences the conversion makes, playing the
// clipboard's picture, measuring ink, and the processes of a host's group.
#pragma once

#include "platform/automation.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace folivex::testing {

std::string fixture(const std::string &name);

// The application started and set up as the conversion sets it up
// (visible, minimised), with the fixture `file` opened in it.
automation::Variant openWord(const std::string &file);
automation::Variant openPowerPoint(const std::string &file);
automation::Variant openExcel(const std::string &file);

// The text of the folivex::Error that `f` throws ("(no error)" if none).
std::string errorText(const std::function<void()> &f);

// Word: selects page n the way the conversion does (goto, GoToNext, the
// document's end on the last page), then copies the selection as a picture.
void copyWordPage(const automation::Variant &app, int n);
// The clipboard's picture played into a white bitmap of w x h.
QImage playClipboard(int w, int h);

// Pixels darker than light grey inside `area` of `image`.
int ink(const QImage &image, const QRect &area);

// The ids of the live processes whose process group is `group`.
std::vector<int> processesInGroup(int group);

} // namespace folivex::testing
