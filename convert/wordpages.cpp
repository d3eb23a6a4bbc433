#include "wordpages.h"

namespace folivex::convert {

using automation::Variant;

namespace {
constexpr std::int32_t kNumberOfPagesInDocument = 4;
constexpr std::int32_t kGoToPage = 1;
constexpr std::int32_t kGoToAbsolute = 1;
} // namespace

std::int32_t WordPageCount(const Variant &word, const Variant &document)
{
    try {
        document.call("Activate");
        return word.read("Selection").get("Information", {kNumberOfPagesInDocument}).toInt32();
    } catch (const std::exception &) {
        return 0;
    }
}

void SelectWordPage(const Variant &word, const Variant &document, std::int32_t n)
{
    if (word.isEmpty() || document.isEmpty())
        return;
    const std::int32_t count = WordPageCount(word, document);
    if (count == 0 || n < 1 || n > count)
        return;
    const Variant start = document.call("goto", {kGoToPage, kGoToAbsolute, n});
    const Variant end = start.call("GoToNext", {kGoToPage});
    if (end.read("Start").toInt32() == start.read("Start").toInt32())
        end.put("Start", document.read("Range").read("End"));
    document.call("Range", {start.read("Start"), end.read("Start")}).call("Select");
}

} // namespace folivex::convert
