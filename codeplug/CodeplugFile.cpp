#include "codeplug/CodeplugFile.h"

#include "codeplug/CodeplugModel.h"

#include <QFile>
#include <QSaveFile>

namespace lt {

bool LoadCodeplugFile(const QString& path, CodeplugModel& model)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    auto block = model.block();
    const QByteArray bytes = file.read(static_cast<qint64>(block.size()));
    std::copy(bytes.cbegin(), bytes.cend(), block.begin());
    return true;
}

QString SaveCodeplugFile(const QString& path, const CodeplugModel& model)
{
    QSaveFile file(path);
    const auto block = model.block();
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char*>(block.data()), static_cast<qint64>(block.size()))
               != static_cast<qint64>(block.size())
        || !file.commit())
        return file.errorString();
    return {};
}

} // namespace lt
