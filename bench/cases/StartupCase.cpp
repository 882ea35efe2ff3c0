#include "bench/cases/Cases.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <sstream>
#include <stdexcept>

namespace tovrin::bench {

namespace {

struct Startup {
    double seconds = 0;
    double residentBytes = 0;
};

Startup startOnce(const std::string& program) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(program), {});
    // The toolkit's warnings go to standard error; they matter only when
    // the probe failed.
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(program + " did not start and stop cleanly: " + process.errorString().toStdString() +
                                 "\n" + process.readAllStandardError().toStdString());
    std::istringstream output(process.readAllStandardOutput().toStdString());
    Startup startup;
    if (!(output >> startup.seconds >> startup.residentBytes) || startup.residentBytes <= 0)
        throw std::runtime_error(program + " did not report its start-up.");
    return startup;
}

} // namespace

std::vector<Row> startupRows(const Settings& settings, const std::string& probeFolder) {
    const std::string editor = probeFolder + "/tovrin_startup_probe";
    const std::string bare = probeFolder + "/bare_window_startup_probe";
    std::vector<double> editorSeconds, bareSeconds, editorBytes, bareBytes;
    for (int run = 0; run < settings.startupRuns; ++run) {
        // A program started right after another one starts at a different
        // pace from one that goes first, so the two take turns going first.
        Startup ofEditor;
        Startup ofBare;
        if (run % 2 == 0) {
            ofEditor = startOnce(editor);
            ofBare = startOnce(bare);
        } else {
            ofBare = startOnce(bare);
            ofEditor = startOnce(editor);
        }
        editorSeconds.push_back(ofEditor.seconds);
        editorBytes.push_back(ofEditor.residentBytes);
        bareSeconds.push_back(ofBare.seconds);
        bareBytes.push_back(ofBare.residentBytes);
    }
    return {
        {.name = "Start-up to first frame",
         .unit = Unit::Seconds,
         .measured = summarize(editorSeconds),
         .baselineName = "bare Qt window",
         .baseline = summarize(bareSeconds),
         .maxRatio = 1.1,
         .maxMeasured = std::nullopt},
        {.name = "Resident memory at first frame",
         .unit = Unit::Bytes,
         .measured = summarize(editorBytes),
         .baselineName = "bare Qt window",
         .baseline = summarize(bareBytes),
         .maxRatio = 1.1,
         .maxMeasured = std::nullopt},
    };
}

} // namespace tovrin::bench
