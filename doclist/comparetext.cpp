#include "doclist/comparetext.h"

#include <QByteArray>
#include <algorithm>

namespace folivex::doclist {

namespace {

int foldAsciiUpper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c;
}

} // namespace

int CompareText(const QString &a, const QString &b)
{
    const QByteArray left = a.toUtf8();
    const QByteArray right = b.toUtf8();
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int l = foldAsciiUpper(static_cast<unsigned char>(left[i]));
        const int r = foldAsciiUpper(static_cast<unsigned char>(right[i]));
        if (l != r)
            return l - r;
    }
    return static_cast<int>(left.size() - right.size());
}

} // namespace folivex::doclist
