#include "cli/CommandLine.h"

#include "cli/DealerVerbs.h"
#include "cli/NamedFile.h"
#include "cli/RowVerbs.h"
#include "codeplug/Backups.h"
#include "codeplug/ChannelCsv.h"
#include "codeplug/CodeplugDiff.h"
#include "codeplug/CodeplugDump.h"
#include "hid/HidBackendFactory.h"
#include "hid/HidLink.h"
#include "hid/VirtualHidBackend.h"
#include "program/ConfigFile.h"
#include "program/Program.h"
#include "transfer/CodeplugOperations.h"
#include "transfer/ServiceOperations.h"
#include "transfer/TransferEnvironment.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstring>
#include <span>

namespace lt {

namespace {

constexpr int kBarWidth = 40;
// Without a terminal a line per quarter is enough to show the run is alive.
constexpr int kPlainProgressStep = 25;
constexpr int kMaxCustomerId = 255;
// No channel list comes near this (240 full rows take about 25 KB); a larger
// file is no channel list and is not read.
constexpr qint64 kMaxCsvBytes = 1024 * 1024;

// A failure that ends the command: its exit status and one line of reason.
struct Failure {
    int status;
    QString reason;
};

int ExitStatusOf(RunResult result)
{
    switch (result) {
    case RunResult::Success:
        return cli_exit::Success;
    case RunResult::NoRadio:
        return cli_exit::NoRadio;
    case RunResult::PasswordError:
        return cli_exit::Password;
    case RunResult::CommunicationFailure:
        break;
    }
    return cli_exit::Communication;
}

struct Options {
    QString device;
    std::optional<QString> password;
    std::optional<QString> newPassword;
    bool writePassword = false;
    bool backup = true;
    bool verify = false;
    bool json = false;
};

QByteArray passwordBytes(const QString& text, const char* option)
{
    const QByteArray bytes = text.toLatin1();
    if (bytes.size() > kPasswordMaxLength || QString::fromLatin1(bytes) != text)
        throw Failure{cli_exit::Usage, QStringLiteral("%1 takes at most %2 plain characters").arg(QLatin1String(option)).arg(kPasswordMaxLength)};
    return bytes;
}

// One command: the options, the radio connection when one is needed, and the
// program's records it works on.
class Command {
public:
    Command(const Options& options, CommandLineHost& host, CommandLineIo& io)
        : options_(options)
        , host_(host)
        , io_(io)
    {
        program_.settings.AutoSeachPort = false;
        if (!host_.configPath.isEmpty() && QFileInfo::exists(host_.configPath)) {
            ProgramSettings settings;
            ReadConfigFile(host_.configPath, settings, bands_);
            language_ = settings.Language;
        }
        program_.model.bands = bands_;
        program_.model.updateOffsetMax();
        program_.model.SetCodeplugDefaults();
    }

    // args: the verb's arguments as the system passed them.
    int run(const QString& verb, const QList<QByteArray>& args);

private:
    void needArgs(const QList<QByteArray>& args, int count, const QString& usage) const
    {
        if (args.size() != count)
            throw Failure{cli_exit::Usage, QStringLiteral("usage: lt4402-cli [OPTIONS] %1").arg(usage)};
    }

    TransferEnvironment& connect()
    {
        if (env_)
            return *env_;
        QString error;
        backend_ = host_.makeBackend(options_.device, &error);
        if (!backend_)
            throw Failure{cli_exit::Usage, error};
        link_ = std::make_unique<HidLink>(*backend_);
        env_ = std::make_unique<TransferEnvironment>(*backend_, *link_, *host_.clock);
        RegisterCodeplugOperations(env_->operations, program_);
        RegisterServiceOperations(env_->operations, program_);
        return *env_;
    }

    void applyPasswords(CodeplugModel& model) const
    {
        if (options_.password)
            model.setText(cp::EnteredPassword, passwordBytes(*options_.password, "--password"));
        if (options_.newPassword)
            model.setText(cp::NewPassword, passwordBytes(*options_.newPassword, "--new-password"));
        if (options_.writePassword)
            model.set(cp::WriteWithNewPD, 1);
    }

    void showProgress(const QString& label, int percent, int previous)
    {
        if (io_.terminal) {
            const int filled = percent * kBarWidth / 100;
            io_.err << '\r' << label.leftJustified(12) << " [" << QString(filled, QLatin1Char('#'))
                    << QString(kBarWidth - filled, QLatin1Char('.')) << "] " << percent << '%';
            if (percent >= 100)
                io_.err << '\n';
        } else if (percent / kPlainProgressStep != previous / kPlainProgressStep || previous < 0) {
            io_.err << label << ": " << percent << "%\n";
        }
        io_.err.flush();
    }

    void transfer(Program& program, OperationRoutine* routine, int32_t operation, int32_t direction, const QString& label)
    {
        HeadlessTransfer run(connect(), host_.wait);
        run.radioWaitMs = host_.radioWaitMs;
        int shown = -1;
        run.onProgress = [&](int percent) {
            if (percent != shown)
                showProgress(label, percent, shown);
            shown = percent;
        };
        const RunResult result = routine ? run.run(program, *routine, operation, direction)
                                         : run.run(program, operation, direction);
        if (io_.terminal && shown >= 0 && shown < 100)
            io_.err << '\n';
        if (result != RunResult::Success)
            throw Failure{ExitStatusOf(result), label + QStringLiteral(": ") + RunResultReason(result)};
    }

    // A read of the radio's codeplug into a program of its own, which starts
    // from File/New; the caller's records stay as they are.
    std::unique_ptr<Program> readRadio(const CodeplugModel& passwordFrom, const QString& label)
    {
        auto scratch = std::make_unique<Program>();
        scratch->settings = program_.settings;
        scratch->model.bands = bands_;
        scratch->model.SetCodeplugDefaults();
        scratch->model.setText(cp::EnteredPassword, passwordFrom.text(cp::EnteredPassword));
        Read routine(*scratch);
        transfer(*scratch, &routine, op::Codeplug, kDirectionRead, label);
        return scratch;
    }

    void keepBackup(const CodeplugModel& model, bool required)
    {
        QString error;
        const QString path = KeepReadBackup(model, host_.backupFolder, QDateTime::currentDateTime(), &error);
        if (path.isEmpty()) {
            const QString reason = QStringLiteral("cannot keep a backup in %1: %2").arg(QDir::toNativeSeparators(host_.backupFolder), error);
            if (required)
                throw Failure{cli_exit::Failed, reason};
            io_.err << "warning: " << reason << '\n';
            return;
        }
        io_.out << "backup: " << QDir::toNativeSeparators(path) << '\n';
    }

    // Codeplug and calibration files are taken only whole: the rest of a short
    // file would be made up from defaults, and a script must not send that to
    // a radio; a longer file is something else.
    static QByteArray readWhole(const NamedFile& file, qint64 size, const QString& kind)
    {
        const NamedFile::Contents contents = file.read(size);
        if (!contents.error.isEmpty())
            throw Failure{cli_exit::Failed, contents.error};
        if (contents.size != size)
            throw Failure{cli_exit::Failed, QStringLiteral("%1 is not a %2 file: it has %3 bytes, a %2 file %4")
                                                .arg(file.shown(), kind, QString::number(contents.size), QString::number(size))};
        return contents.bytes;
    }

    static void loadCodeplug(const NamedFile& file, CodeplugModel& model)
    {
        const QByteArray bytes = readWhole(file, cp::kBlockSize, QStringLiteral("codeplug"));
        std::copy(bytes.cbegin(), bytes.cend(), model.block().begin());
    }

    static void save(const NamedFile& file, std::span<const uint8_t> bytes)
    {
        const QString error = file.write(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
        if (!error.isEmpty())
            throw Failure{cli_exit::Failed, QStringLiteral("cannot save %1: %2").arg(file.shown(), error)};
    }

    // Prints the differences; Differs when there are any.
    int report(const std::vector<FieldDifference>& differences)
    {
        if (options_.json) {
            QJsonArray list;
            for (const FieldDifference& d : differences)
                list.append(QJsonObject{{QStringLiteral("field"), d.field}, {QStringLiteral("file"), d.file}, {QStringLiteral("radio"), d.radio}});
            io_.out << QJsonDocument(QJsonObject{{QStringLiteral("differences"), list}}).toJson();
        } else if (differences.empty()) {
            io_.out << "the radio holds what the codeplug file would write\n";
        } else {
            for (const FieldDifference& d : differences)
                io_.out << DescribeDifference(d) << '\n';
        }
        if (differences.empty())
            return cli_exit::Success;
        throw Failure{cli_exit::Differs, QStringLiteral("the radio differs from the codeplug file in %1 field(s)").arg(differences.size())};
    }

    int detect();
    int read(const NamedFile& file);
    int write(const NamedFile& file);
    int verify(const NamedFile& file);
    int calibration(const QList<QByteArray>& args);
    int customerId(const QList<QByteArray>& args);
    int status();
    int dump(const NamedFile& file);
    int exportCsv(const NamedFile& from, const NamedFile& to);
    int importCsv(const NamedFile& from, const NamedFile& to);
    int rowVerb(const QString& verb, const QList<QByteArray>& args);

    int writeAll(const NamedFile& file);
    int diff(const NamedFile& a, const NamedFile& b);
    int exportPdf(const NamedFile& from, const NamedFile& to);

    const Options& options_;
    CommandLineHost& host_;
    CommandLineIo& io_;
    BandLimits bands_;
    int language_ = ProgramSettings{}.Language;
    Program program_;
    std::unique_ptr<HidBackend> backend_;
    std::unique_ptr<HidLink> link_;
    std::unique_ptr<TransferEnvironment> env_;
};

int Command::run(const QString& verb, const QList<QByteArray>& args)
{
    if (verb == QLatin1String("detect")) {
        needArgs(args, 0, QStringLiteral("detect"));
        return detect();
    }
    if (verb == QLatin1String("write") && !args.isEmpty() && args[0] == QLatin1String("--all")) {
        needArgs(args, 2, QStringLiteral("write --all FILE.kvf"));
        return writeAll(NamedFile(args[1]));
    }
    if (verb == QLatin1String("diff")) {
        needArgs(args, 2, QStringLiteral("diff A.kvf B.kvf"));
        return diff(NamedFile(args[0]), NamedFile(args[1]));
    }
    if (verb == QLatin1String("export-pdf")) {
        needArgs(args, 2, QStringLiteral("export-pdf FILE.kvf OUT.pdf"));
        return exportPdf(NamedFile(args[0]), NamedFile(args[1]));
    }
    if (verb == QLatin1String("read") || verb == QLatin1String("write") || verb == QLatin1String("verify")
        || verb == QLatin1String("dump")) {
        needArgs(args, 1, verb + QStringLiteral(" FILE.kvf"));
        const NamedFile file(args[0]);
        if (verb == QLatin1String("read"))
            return read(file);
        if (verb == QLatin1String("write"))
            return write(file);
        if (verb == QLatin1String("verify"))
            return verify(file);
        return dump(file);
    }
    if (verb == QLatin1String("calibration"))
        return calibration(args);
    if (verb == QLatin1String("customer-id"))
        return customerId(args);
    if (verb == QLatin1String("status")) {
        needArgs(args, 0, QStringLiteral("status"));
        return status();
    }
    if (verb == QLatin1String("export-csv")) {
        needArgs(args, 2, QStringLiteral("export-csv FILE.kvf OUT.csv"));
        return exportCsv(NamedFile(args[0]), NamedFile(args[1]));
    }
    if (verb == QLatin1String("import-csv")) {
        needArgs(args, 2, QStringLiteral("import-csv IN.csv FILE.kvf"));
        return importCsv(NamedFile(args[0]), NamedFile(args[1]));
    }
    if (IsRowVerb(verb))
        return rowVerb(verb, args);
    throw Failure{cli_exit::Usage, QStringLiteral("unknown verb '%1' (try --help)").arg(verb)};
}

int Command::detect()
{
    TransferEnvironment& env = connect();
    HeadlessTransfer finder(env, host_.wait);
    finder.radioWaitMs = host_.radioWaitMs;
    const bool found = finder.findRadio();
    QJsonArray list;
    for (const HidDeviceInfo& info : env.backend.enumerate()) {
        const bool radio = HidLink::IsRadio(info);
        if (options_.json) {
            list.append(QJsonObject{{QStringLiteral("path"), info.path},
                                    {QStringLiteral("vendor_id"), info.vendorId},
                                    {QStringLiteral("product_id"), info.productId},
                                    {QStringLiteral("product"), info.product},
                                    {QStringLiteral("manufacturer"), info.manufacturer},
                                    {QStringLiteral("radio"), radio}});
        } else {
            io_.out << (radio ? "* " : "  ") << QString::asprintf("%04X:%04X ", unsigned{info.vendorId}, unsigned{info.productId})
                    << info.path << "  " << info.product << " / " << info.manufacturer << (radio ? "  (radio)" : "") << '\n';
        }
    }
    if (options_.json)
        io_.out << QJsonDocument(QJsonObject{{QStringLiteral("devices"), list}}).toJson();
    if (!found)
        throw Failure{cli_exit::NoRadio, RunResultReason(RunResult::NoRadio)};
    return cli_exit::Success;
}

int Command::read(const NamedFile& file)
{
    applyPasswords(program_.model);
    transfer(program_, nullptr, op::Codeplug, kDirectionRead, QStringLiteral("read"));
    save(file, program_.model.block());
    io_.out << "read " << program_.model.UsedChannelCount() << " channel(s) into " << file.shown() << '\n';
    keepBackup(ModelFromRadio(program_.image), false);
    return cli_exit::Success;
}

int Command::write(const NamedFile& file)
{
    loadCodeplug(file, program_.model);
    applyPasswords(program_.model);
    if (options_.backup) {
        const std::unique_ptr<Program> before = readRadio(program_.model, QStringLiteral("backup read"));
        keepBackup(ModelFromRadio(before->image), true);
    }
    transfer(program_, nullptr, op::Codeplug, kDirectionWrite, QStringLiteral("write"));
    io_.out << "wrote " << program_.model.UsedChannelCount() << " channel(s) from " << file.shown() << '\n';
    if (!options_.verify)
        return cli_exit::Success;
    const std::unique_ptr<Program> after = readRadio(program_.model, QStringLiteral("verify read"));
    return report(CompareRadioImages(program_.image, after->image));
}

int Command::writeAll(const NamedFile& file)
{
    loadCodeplug(file, program_.model);
    QString error;
    std::unique_ptr<HidBackend> backend = host_.makeBackend(options_.device, &error);
    if (!backend)
        throw Failure{cli_exit::Usage, error};
    const QStringList radios = AttachedRadios(*backend, host_.wait, host_.radioWaitMs);
    backend.reset();
    if (radios.isEmpty())
        throw Failure{cli_exit::NoRadio, QStringLiteral("write --all: ") + RunResultReason(RunResult::NoRadio)};
    // Each radio gets a whole write of its own, backup and read-back included;
    // what it says goes to standard error beside the progress.
    return WriteAllRadios(radios, [&](const QString& radio) {
        Options one = options_;
        one.device = QStringLiteral("hid:") + radio;
        one.verify = true;
        io_.err << radio << ":\n";
        CommandLineIo radioIo{io_.err, io_.err, io_.terminal};
        try {
            Command(one, host_, radioIo).write(file);
            return RadioOutcome{};
        } catch (const Failure& failure) {
            return RadioOutcome{failure.status, failure.reason};
        }
    }, io_.out);
}

int Command::diff(const NamedFile& a, const NamedFile& b)
{
    CodeplugModel second = program_.model;
    loadCodeplug(a, program_.model);
    loadCodeplug(b, second);
    const std::vector<FieldDifference> differences = CompareCodeplugs(program_.model, second);
    PrintFileDifferences(differences, a.shown(), b.shown(), options_.json, io_.out);
    if (differences.empty())
        return cli_exit::Success;
    throw Failure{cli_exit::Differs, QStringLiteral("the codeplug files differ in %1 field(s)").arg(differences.size())};
}

int Command::exportPdf(const NamedFile& from, const NamedFile& to)
{
    loadCodeplug(from, program_.model);
    int pages = 0;
    const QByteArray document = CodeplugPdf(program_.model, from.shown(), language_, &pages);
    if (pages == 0)
        throw Failure{cli_exit::Failed, QStringLiteral("cannot save %1: the document could not be laid out").arg(to.shown())};
    const QString error = to.write(document);
    if (!error.isEmpty())
        throw Failure{cli_exit::Failed, QStringLiteral("cannot save %1: %2").arg(to.shown(), error)};
    io_.out << "exported " << program_.model.UsedChannelCount() << " channel(s) on " << pages << " page(s) to " << to.shown() << '\n';
    return cli_exit::Success;
}

int Command::verify(const NamedFile& file)
{
    loadCodeplug(file, program_.model);
    applyPasswords(program_.model);
    const std::unique_ptr<Program> radio = readRadio(program_.model, QStringLiteral("verify read"));
    return report(CompareRadioImages(ImageToWrite(program_.model), radio->image));
}

int Command::calibration(const QList<QByteArray>& args)
{
    needArgs(args, 2, QStringLiteral("calibration read|write FILE.kvfa"));
    applyPasswords(program_.model);
    const NamedFile file(args[1]);
    if (args[0] == "read") {
        transfer(program_, nullptr, op::Calibration, kDirectionRead, QStringLiteral("calibration"));
        save(file, program_.calibration.bytes());
        io_.out << "read the calibration into " << file.shown() << '\n';
        return cli_exit::Success;
    }
    if (args[0] != "write")
        throw Failure{cli_exit::Usage, QStringLiteral("usage: lt4402-cli [OPTIONS] calibration read|write FILE.kvfa")};
    const QByteArray bytes = readWhole(file, cal::kStoredSize, QStringLiteral("calibration"));
    std::copy(bytes.cbegin(), bytes.cend(), program_.calibration.bytes().begin());
    transfer(program_, nullptr, op::Calibration, kDirectionWrite, QStringLiteral("calibration"));
    io_.out << "wrote the calibration from " << file.shown() << '\n';
    return cli_exit::Success;
}

int Command::customerId(const QList<QByteArray>& args)
{
    const QString usage = QStringLiteral("customer-id read | customer-id write N");
    applyPasswords(program_.model);
    if (args.size() == 1 && args[0] == "read") {
        transfer(program_, nullptr, op::CustomerId, kDirectionRead, QStringLiteral("customer ID"));
        if (options_.json)
            io_.out << QJsonDocument(QJsonObject{{QStringLiteral("customer_id"), program_.customerId}}).toJson();
        else
            io_.out << program_.customerId << '\n';
        return cli_exit::Success;
    }
    if (args.size() != 2 || args[0] != "write")
        throw Failure{cli_exit::Usage, QStringLiteral("usage: lt4402-cli [OPTIONS] ") + usage};
    bool ok = false;
    const int id = args[1].toInt(&ok);
    if (!ok || id < 0 || id > kMaxCustomerId)
        throw Failure{cli_exit::Usage, QStringLiteral("a customer ID is a number from 0 to %1").arg(kMaxCustomerId)};
    program_.customerId = static_cast<uint8_t>(id);
    transfer(program_, nullptr, op::CustomerId, kDirectionWrite, QStringLiteral("customer ID"));
    io_.out << "wrote customer ID " << id << '\n';
    return cli_exit::Success;
}

int Command::status()
{
    applyPasswords(program_.model);
    transfer(program_, nullptr, op::RfChipStatus, kDirectionRead, QStringLiteral("status"));
    const RfChipStatus s = program_.calibration.status();
    const std::pair<const char*, int> values[] = {
        {"CurBatt", s.CurBatt}, {"CurVox", s.CurVox}, {"Rssi_db", s.Rssi_db}, {"Rssi_cmp1", s.Rssi_cmp1},
        {"Noise_db", s.Noise_db}, {"Noise_cmp1", s.Noise_cmp1}, {"Modu_cmp", s.Modu_cmp}, {"Pkdet_cmp", s.Pkdet_cmp},
        {"Rssi_cmp3", s.Rssi_cmp3}, {"Noise_cmp2", s.Noise_cmp2}, {"Modu_db", s.Modu_db}, {"Offset", s.Offset},
    };
    QJsonObject json;
    for (const auto& [name, value] : values) {
        if (options_.json)
            json[QLatin1String(name)] = value;
        else
            io_.out << name << ": " << value << '\n';
    }
    if (options_.json)
        io_.out << QJsonDocument(json).toJson();
    return cli_exit::Success;
}

int Command::dump(const NamedFile& file)
{
    loadCodeplug(file, program_.model);
    if (options_.json)
        io_.out << QJsonDocument(DumpCodeplugJson(program_.model)).toJson();
    else
        io_.out << DumpCodeplugText(program_.model);
    return cli_exit::Success;
}

int Command::exportCsv(const NamedFile& from, const NamedFile& to)
{
    loadCodeplug(from, program_.model);
    const CsvExport csv = ExportChannelsCsv(program_.model);
    for (const QString& warning : csv.warnings)
        io_.err << "warning: " << warning << '\n';
    const QString error = to.write(csv.text);
    if (!error.isEmpty())
        throw Failure{cli_exit::Failed, QStringLiteral("cannot save %1: %2").arg(to.shown(), error)};
    io_.out << "exported " << program_.model.UsedChannelCount() << " channel(s) to " << to.shown() << '\n';
    return cli_exit::Success;
}

int Command::importCsv(const NamedFile& from, const NamedFile& to)
{
    const NamedFile::Contents csv = from.read(kMaxCsvBytes);
    if (!csv.error.isEmpty())
        throw Failure{cli_exit::Failed, csv.error};
    if (csv.size > kMaxCsvBytes)
        throw Failure{cli_exit::Failed, QStringLiteral("%1 is no channel list: it has %2 bytes, a channel list at most %3")
                                            .arg(from.shown(), QString::number(csv.size), QString::number(kMaxCsvBytes))};
    if (to.exists())
        loadCodeplug(to, program_.model);
    const CsvImport result = ImportChannelsCsv(csv.bytes, program_.model);
    if (!result.ok()) {
        for (const CsvError& error : result.errors)
            io_.err << from.shown() << ": " << DescribeCsvError(error) << '\n';
        if (result.unlistedErrors > 0)
            io_.err << from.shown() << ": " << result.unlistedErrors << " more error(s) not listed\n";
        throw Failure{cli_exit::Failed, QStringLiteral("nothing imported: %1 has %2 error(s), the first on line %3")
                                            .arg(from.shown(), QString::number(result.errorCount()), QString::number(result.errors.front().line))};
    }
    save(to, program_.model.block());
    io_.out << "imported " << result.channels << " channel(s) into " << to.shown() << '\n';
    return cli_exit::Success;
}

int Command::rowVerb(const QString& verb, const QList<QByteArray>& args)
{
    if (args.isEmpty())
        throw Failure{cli_exit::Usage, QStringLiteral("usage: lt4402-cli [OPTIONS] ") + RowVerbUsage(verb)};
    QStringList edit;
    for (const QByteArray& arg : args.mid(1))
        edit << QFile::decodeName(arg);
    QString error;
    const std::optional<RowEdit> rowEdit = ParseRowEdit(verb, edit, &error);
    if (!rowEdit)
        throw Failure{cli_exit::Usage, error};
    const NamedFile file(args[0]);
    loadCodeplug(file, program_.model);
    const QString done = ApplyRowEdit(*rowEdit, program_.model);
    save(file, program_.model.block());
    io_.out << done << " in " << file.shown() << '\n';
    return cli_exit::Success;
}

const char* const kDescription =
    "Reads, writes and checks the radio's codeplug, calibration and customer ID\n"
    "from the command line, and converts codeplug files.\n"
    "\n"
    "Verbs:\n"
    "  detect                          list HID devices, mark the radio\n"
    "  read FILE.kvf                   read the radio's codeplug into a file\n"
    "  write FILE.kvf                  write a codeplug file to the radio (reads a backup first)\n"
    "  write --all FILE.kvf            write and verify every attached radio in turn\n"
    "  verify FILE.kvf                 compare the radio with what writing the file would send\n"
    "  calibration read|write FILE.kvfa\n"
    "  customer-id read | customer-id write N\n"
    "  status                          read the RF chip status\n"
    "  dump FILE.kvf                   every field by name, the channels as a table\n"
    "  diff A.kvf B.kvf                every difference of two codeplug files by field name\n"
    "  export-pdf FILE.kvf OUT.pdf     the codeplug as a printable document\n"
    "  export-csv FILE.kvf OUT.csv     the channels as CSV\n"
    "  import-csv IN.csv FILE.kvf      the CSV's channels become the file's channel list\n"
    "  sort FILE.kvf --by frequency|name\n"
    "                                  sort the channels in use; unused ones go to the end\n"
    "  move FILE.kvf FROM TO           move a channel; those between move up or down one\n"
    "  delete FILE.kvf N[-M]           channels N to M are no longer in use\n"
    "\n"
    "Exit status: 0 success, 1 file or CSV error, 2 usage, 3 no radio,\n"
    "4 communication failure, 5 password error, 6 verify or diff found\n"
    "differences, 7 write --all: not every radio holds the file.";

const QString kHidPrefix = QStringLiteral("hid:");

std::optional<VirtualHidAddress> parseDevice(const QString& device)
{
    const QString prefix = QStringLiteral("tcp:");
    return device.startsWith(prefix) ? VirtualHidBackend::parseAddress(device.mid(prefix.size())) : std::nullopt;
}

bool validDevice(const QString& device)
{
    return device.startsWith(kHidPrefix) ? device.size() > kHidPrefix.size() : parseDevice(device).has_value();
}

QString badDevice(const QString& device)
{
    return QStringLiteral("--device takes tcp:HOST:PORT or hid:PATH, not '%1'").arg(device);
}

} // namespace

std::unique_ptr<HidBackend> CreateCommandLineBackend(const QString& device, QString* error)
{
    if (device.isEmpty())
        return createProgramHidBackend();
    if (device.startsWith(kHidPrefix))
        return createSingleDeviceBackend(device.mid(kHidPrefix.size()));
    const auto address = parseDevice(device);
    if (!address) {
        if (error)
            *error = badDevice(device);
        return nullptr;
    }
    return std::make_unique<VirtualHidBackend>(*address);
}

bool CommandLineDrawsDocument(int argc, const char* const* argv)
{
    const std::span<const char* const> arguments(argv, static_cast<std::size_t>(argc));
    return std::any_of(arguments.begin(), arguments.end(), [](const char* argument) { return std::strcmp(argument, "export-pdf") == 0; });
}

int RunCommandLine(const QList<QByteArray>& arguments, CommandLineHost& host, CommandLineIo& io)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kDescription));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."));
    const QCommandLineOption device(QStringLiteral("device"), QStringLiteral("Talk to the HID device at PATH (as detect lists it) or the virtual device at tcp:HOST:PORT only."),
                                    QStringLiteral("hid:PATH|tcp:HOST:PORT"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("The radio's password."), QStringLiteral("TEXT"));
    const QCommandLineOption newPassword(QStringLiteral("new-password"), QStringLiteral("A new radio password for --write-password."),
                                         QStringLiteral("TEXT"));
    const QCommandLineOption writePassword(QStringLiteral("write-password"),
                                           QStringLiteral("write: also write the password record (the new password)."));
    const QCommandLineOption noBackup(QStringLiteral("no-backup"), QStringLiteral("write: do not read the radio into a backup first."));
    const QCommandLineOption verify(QStringLiteral("verify"), QStringLiteral("write: read the radio back and compare."));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Results as JSON."));
    parser.addOptions({help, device, password, newPassword, writePassword, noBackup, verify, json});
    parser.addPositionalArgument(QStringLiteral("verb"), QStringLiteral("What to do (see above)."), QStringLiteral("VERB [ARGS]"));

    QStringList texts;
    for (const QByteArray& argument : arguments)
        texts << QFile::decodeName(argument);
    if (!parser.parse(texts)) {
        io.err << "lt4402-cli: " << parser.errorText() << '\n';
        return cli_exit::Usage;
    }
    if (parser.isSet(help)) {
        io.out << parser.helpText();
        return cli_exit::Success;
    }
    QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        io.err << "lt4402-cli: no verb given (try --help)\n";
        return cli_exit::Usage;
    }

    Options options;
    options.device = parser.value(device);
    if (parser.isSet(device) && !validDevice(options.device)) {
        io.err << "lt4402-cli: " << badDevice(options.device) << '\n';
        return cli_exit::Usage;
    }
    if (parser.isSet(password))
        options.password = parser.value(password);
    if (parser.isSet(newPassword))
        options.newPassword = parser.value(newPassword);
    options.writePassword = parser.isSet(writePassword);
    options.backup = !parser.isSet(noBackup);
    options.verify = parser.isSet(verify);
    options.json = parser.isSet(json);

    // Nothing after the verb is read as an option, so the verb and its
    // arguments are the last ones given, and their bytes the tail of argv.
    const QList<QByteArray> verbArguments = arguments.mid(arguments.size() - positional.size() + 1);
    const QString verb = positional.takeFirst();
    try {
        Command command(options, host, io);
        const int status = command.run(verb, verbArguments);
        io.out.flush();
        return status;
    } catch (const Failure& failure) {
        io.out.flush();
        io.err << "lt4402-cli: " << failure.reason << '\n';
        io.err.flush();
        return failure.status;
    }
}

} // namespace lt
