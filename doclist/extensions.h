// Which directory entries Add folder takes: the twenty Office extensions.
#pragma once

#include <QString>
#include <QStringList>

namespace folivex::doclist {

// The accepted extensions, lower case with the leading dot, in the order they
// are tested: PowerPoint, then Word, then Excel.
const QStringList &AcceptedExtensions();

// The extension of an entry name: from its last dot, dot included; empty when
// the name has no dot. Never throws.
QString ExtensionOf(const QString &name);

// True when the extension of `name`, with only A to Z folded to lower case,
// equals one of AcceptedExtensions() exactly. The name alone decides. Never throws.
bool IsAcceptedDocumentName(const QString &name);

} // namespace folivex::doclist
