#include "app/CompareWithFile.h"

#include "app/TCompareDlg.h"
#include "codeplug/CodeplugFile.h"
#include "codeplug/CodeplugModel.h"
#include "ui/AddedTexts.h"
#include "ui/ModalSeam.h"
#include "ui/SizedMessageDialog.h"

#include <QFileInfo>

namespace lt {

namespace {

const QString kCodeplugFilter = QStringLiteral("Korvo File(*.Kvf)|*.Kvf");

} // namespace

std::optional<std::vector<FieldDifference>> CompareWithFileClick(const CodeplugModel& model, QWidget* owner,
                                                                 const std::function<void(const DifferencePlace&)>& show)
{
    const QString path = askOpenFileName({owner, AddedText(Added::CompareWithFile), kCodeplugFilter, QString()});
    if (path.isEmpty())
        return std::nullopt;
    // Only a whole file: the rest of a short one would be made up and listed
    // as differences the file does not hold.
    CodeplugModel file;
    file.bands = model.bands;
    file.SetCodeplugDefaults();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != static_cast<qint64>(cp::kBlockSize) || !LoadCodeplugFile(path, file)) {
        ShowSizedMessage(owner, AddedText(Added::CannotReadFile));
        return std::nullopt;
    }

    std::vector<FieldDifference> differences = CompareCodeplugs(model, file);
    if (differences.empty()) {
        ShowSizedMessage(owner, AddedText(Added::CodeplugsEqual));
        return differences;
    }
    TCompareDlg dialog(differences, info.fileName(), owner);
    QObject::connect(&dialog, &TCompareDlg::showDifference, &dialog, show);
    execModal(dialog);
    return differences;
}

} // namespace lt
