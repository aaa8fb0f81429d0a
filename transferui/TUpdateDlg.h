#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lt {

struct DownloadSource;
struct Program;
struct TransferEnvironment;

// The update dialog: sends a file into the radio, as a data download at a page
// offset or as a firmware update checked against the file's sum. Its texts are
// Chinese in every interface language. It is closed with its close box.
class TUpdateDlg : public QDialog {
    Q_OBJECT
public:
    TUpdateDlg(Program& program, TransferEnvironment& env, DownloadSource& source, QWidget* parent = nullptr);

    QPushButton* bUpdateFont;
    QLabel* Label1;
    QLineEdit* eDataOffset_DL;
    QLineEdit* urlOpen_eep;
    QPushButton* bUpdate;
    QPushButton* bUpdateMcu;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void bUpdateFontClick();
    void eDataOffset_DLExit();
    void bUpdateClick();
    void bUpdateMcuClick();

private:
    // Opens the chosen file, or shows "文件错误" and returns false.
    bool openFile();
    void runDownload(int32_t operation);

    Program& program_;
    TransferEnvironment& env_;
    DownloadSource& source_;
};

} // namespace lt
