// The text comparison that orders the document list when a header is clicked.
#pragma once

#include <QString>

namespace folivex::doclist {

// Compares the UTF-8 bytes of `a` and `b` over the length of the shorter one,
// folding only the letters a to z to A to Z before each pair is compared; the
// first differing pair decides (the difference of the folded byte values, as
// unsigned bytes). When one text is a prefix of the other the shorter sorts
// first (the difference of the byte lengths). Negative, zero or positive, as
// a is before, equal to or after b. Never throws.
int CompareText(const QString &a, const QString &b);

} // namespace folivex::doclist
