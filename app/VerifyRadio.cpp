#include "app/VerifyRadio.h"

#include "program/Program.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/TransferEnvironment.h"
#include "transferui/TProgramDialog.h"
#include "ui/AddedTexts.h"
#include "ui/DifferenceNames.h"
#include "ui/ModalSeam.h"
#include "ui/SizedMessageDialog.h"

#include <memory>

namespace lt {

QString VerifyReport(const std::vector<FieldDifference>& differences, int maxLines)
{
    if (differences.empty())
        return AddedText(Added::RadioMatches);
    QStringList lines;
    for (const FieldDifference& difference : differences)
        lines << AddedText(Added::FieldDiffers).arg(DifferenceName(difference), difference.file, difference.radio);
    return AddedText(Added::RadioDiffers) + QLatin1Char('\n') + MessageLines(lines, maxLines);
}

std::optional<std::vector<FieldDifference>> VerifyRadio(TransferEnvironment& env, Program& program, QWidget* owner)
{
    auto scratch = std::make_unique<Program>();
    scratch->settings = program.settings;
    scratch->model.bands = program.model.bands;
    scratch->model.SetCodeplugDefaults();
    scratch->model.setText(cp::EnteredPassword, program.model.text(cp::EnteredPassword));

    env.state.TransferOperation = op::Codeplug;
    env.state.direction = kDirectionRead;
    Read routine(*scratch);
    bool succeeded = false;
    {
        TProgramDialog dialog(env, *scratch, routine, owner);
        dialog.setWindowTitle(AddedText(Added::VerifyRadio));
        execModal(dialog);
        succeeded = dialog.succeeded();
    }
    if (!succeeded)
        return std::nullopt;

    std::vector<FieldDifference> differences = CompareRadioImages(ImageToWrite(program.model), scratch->image);
    ShowSizedMessage(owner, VerifyReport(differences));
    return differences;
}

} // namespace lt
