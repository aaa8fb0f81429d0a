#pragma once

#include "codeplug/ChannelRows.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace lt {

class CodeplugModel;

// The channel grid's row operations as verbs of lt4402-cli, for scripts that
// tidy a codeplug file: sort FILE.kvf --by frequency|name, move FILE.kvf FROM
// TO, delete FILE.kvf N[-M].
bool IsRowVerb(const QString& verb);
// "sort FILE.kvf --by frequency|name" and the like.
QString RowVerbUsage(const QString& verb);

struct RowEdit {
    enum Kind { Sort, Move, Delete };
    Kind kind = Sort;
    SortKey key = SortKey::Frequency;
    int first = 0; // move: the channel that moves; delete: the first channel
    int last = 0;  // move: where it goes; delete: the last channel
};

// Reads the verb's arguments after the file name. Nothing, with the reason in
// error, when they are not what the verb takes.
std::optional<RowEdit> ParseRowEdit(const QString& verb, const QStringList& args, QString* error);

// Applies the edit; returns the line that says what it did.
QString ApplyRowEdit(const RowEdit& edit, CodeplugModel& model);

} // namespace lt
