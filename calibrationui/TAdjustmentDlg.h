#pragma once

#include "calibration/CalibrationEditRules.h"
#include "calibration/CalibrationLayout.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace lt {

struct Program;
struct TransferEnvironment;

// The service dialog that edits the one calibration field by field, reads it
// from and writes it to the radio, keeps it in files and reads the RF chip
// status. It holds no copy: every control commits into Program::calibration
// when it is left, so closing the dialog keeps every change.
class TAdjustmentDlg : public QDialog {
    Q_OBJECT
public:
    TAdjustmentDlg(Program& program, TransferEnvironment& env, QWidget* parent = nullptr);

    // Shows every field in its control.
    void ShowCalibrationData();

    // Closing commits the control being edited first.
    void done(int result) override;

private:
    // A numeric edit of one number field.
    struct NumberEdit {
        QLineEdit* edit;
        cal::Field field;
        RangeCheck inRange;
    };
    struct FreqEdit {
        QLineEdit* edit;
        cal::Field field;
    };
    // The cell an in-cell editor was opened on; the grids start on point 1.
    struct Cell {
        int column = 1;
        int row = 1;
    };

    void buildDeviationGroup();
    void buildBatteryGroup();
    void buildSquelchGroup();
    void buildStatusGroup();
    void buildRangeGroup();
    void buildSqGrid();
    void buildApcGrid();
    void buildButtons();

    QLineEdit* addNumberEdit(QWidget* parent, const char* name, cal::Field field, int maxLength, RangeCheck inRange);
    QLineEdit* addFreqEdit(QWidget* parent, const char* name, cal::Field field);
    void commitNumber(const NumberEdit& number);
    void commitFreq(const FreqEdit& freq);

    void SpeakActiveExit();
    void SpeakDelayExit();

    void showApcGrid();
    void showSqGrid();
    void sgAPCDblClick(int row, int column);
    void sgSQDblClick(int row, int column);
    void openCellEditor(QTableWidget* grid, QWidget* editor, Cell cell);
    void closeCellEditor(QTableWidget* grid, QWidget* editor);
    void eApcFreqExit();
    void cbApcValueExit();
    void cbRfOutValExit();
    void eSqFreqExit();
    void cbSqValueExit();
    void cbSqNoiseExit();
    void stepApc(ApcColumn column, int delta);

    // One run with the radio; true when it succeeded.
    bool runTransfer(int32_t operation, int32_t direction);
    void bReadClick();
    void bWriteClick();
    void bAllWriteClick();
    void Read1846StatusClick();
    void bNewClick();
    void bOpenClick();
    void bSaveClick();

    Program& program_;
    TransferEnvironment& env_;

    std::vector<NumberEdit> numbers_;
    std::vector<FreqEdit> freqs_;
    QComboBox* cbSpeakActive = nullptr;
    QComboBox* cbSpeakDelay = nullptr;
    QLabel* sCurBatt = nullptr;
    QLabel* sCurVox = nullptr;

    QTableWidget* sgAPC = nullptr;
    QLineEdit* eApcFreq = nullptr;
    QComboBox* cbApcValue = nullptr;
    QComboBox* cbRfOutVal = nullptr;
    Cell apcCell_;

    QTableWidget* sgSQ = nullptr;
    QLineEdit* eSqFreq = nullptr;
    QComboBox* cbSqValue = nullptr;
    QComboBox* cbSqNoise = nullptr;
    Cell sqCell_;
};

} // namespace lt
