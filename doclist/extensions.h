// Which directory entries Add folder takes: those of a known Office extension
// (core/documentkind.h holds the one table of them).
#pragma once

#include <QString>
#include <QStringList>

namespace folivex::doclist {

// The accepted extensions, lower case with the leading dot, in the order they
// are tested: PowerPoint, then Word, then Excel.
const QStringList &AcceptedExtensions();

// True when the extension of `name` (from its last dot), with only A to Z
// folded to lower case, is one of AcceptedExtensions(). The name alone
// decides. Never throws.
bool IsAcceptedDocumentName(const QString &name);

} // namespace folivex::doclist
