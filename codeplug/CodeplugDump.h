#pragma once

#include "codeplug/CodeplugLayout.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

namespace lt {

class CodeplugModel;

// A codeplug as text for people and scripts: every field of the block by its
// name in block order (reserved stretches only when they hold something), the
// frequency-mode sides and the address book, and the channels in use as a
// table. Texts are decoded from GBK.
QString DumpCodeplugText(const CodeplugModel& model);

// The same as a JSON object: "fields" (name -> number or text), "vfoA", "vfoB",
// "addressBook" and "channels" (one object per channel in use).
QJsonObject DumpCodeplugJson(const CodeplugModel& model);

// One named field of the block as the dump writes it: a number, a "quoted"
// text, DTMF digits in quotes or the bytes in hex.
QString FieldValueText(const CodeplugModel& model, const cp::Field& field);

// GBK bytes of the codeplug to text.
QString DecodeGbk(const QByteArray& bytes);

} // namespace lt
