#include "doclist/extensions.h"

#include "core/documentkind.h"

namespace folivex::doclist {

const QStringList &AcceptedExtensions()
{
    static const QStringList extensions = [] {
        QStringList all;
        for (const DocumentKindFacts &facts : DocumentKinds())
            for (std::string_view extension : facts.extensions)
                all.append(QString::fromLatin1(extension.data(), qsizetype(extension.size())));
        return all;
    }();
    return extensions;
}

bool IsAcceptedDocumentName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && DocumentKindOf(name.mid(dot).toStdString()).has_value();
}

} // namespace folivex::doclist
