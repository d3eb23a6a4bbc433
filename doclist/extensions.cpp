#include "doclist/extensions.h"

namespace folivex::doclist {

namespace {

QString foldAsciiLower(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return folded;
}

} // namespace

const QStringList &AcceptedExtensions()
{
    static const QStringList extensions = {
        // PowerPoint
        QStringLiteral(".ppt"), QStringLiteral(".pps"), QStringLiteral(".pptx"),
        QStringLiteral(".ppsx"), QStringLiteral(".pptm"), QStringLiteral(".ppsm"),
        QStringLiteral(".pot"), QStringLiteral(".potx"), QStringLiteral(".potm"),
        // Word
        QStringLiteral(".doc"), QStringLiteral(".docx"), QStringLiteral(".docm"),
        QStringLiteral(".dot"), QStringLiteral(".dotx"), QStringLiteral(".dotm"),
        // Excel
        QStringLiteral(".xls"), QStringLiteral(".xlsx"), QStringLiteral(".xlsm"),
        QStringLiteral(".xlsb"), QStringLiteral(".xlam"),
    };
    return extensions;
}

QString ExtensionOf(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot);
}

bool IsAcceptedDocumentName(const QString &name)
{
    const QString extension = foldAsciiLower(ExtensionOf(name));
    for (const QString &accepted : AcceptedExtensions()) {
        if (extension == accepted)
            return true;
    }
    return false;
}

} // namespace folivex::doclist
