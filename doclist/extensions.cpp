#include "doclist/extensions.h"

#include "convert/documentkind.h"

namespace folivex::doclist {

const QStringList &AcceptedExtensions()
{
    static const QStringList extensions = [] {
        QStringList all;
        for (const convert::KnownExtension &known : convert::KnownExtensions())
            all.append(QString::fromLatin1(known.extension.data(), qsizetype(known.extension.size())));
        return all;
    }();
    return extensions;
}

bool IsAcceptedDocumentName(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && convert::DocumentKindOf(name.mid(dot).toStdString()) != convert::kNoKind;
}

} // namespace folivex::doclist
