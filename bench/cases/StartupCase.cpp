#include "bench/Samples.h"
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

template <typename Figure>
Summary summarizeEach(const std::vector<Startup>& startups, Figure figure) {
    std::vector<double> figures;
    for (const Startup& startup : startups)
        figures.push_back(startup.*figure);
    return summarize(std::move(figures));
}

} // namespace

std::vector<Row> startupRows(const Settings& settings, const std::string& probeFolder) {
    const std::string editor = probeFolder + "/tovrin_startup_probe";
    const std::string bare = probeFolder + "/bare_window_startup_probe";
    const SamplesByTurns<Startup> startups =
        takeTurns(settings.startupRuns, [&] { return startOnce(editor); }, [&] { return startOnce(bare); });
    return {
        {.name = "Start-up to first frame",
         .unit = Unit::Seconds,
         .measured = summarizeEach(startups.measured, &Startup::seconds),
         .baselineName = "bare Qt window",
         .baseline = summarizeEach(startups.baseline, &Startup::seconds),
         .maxRatio = 0.9,
         .maxMeasured = std::nullopt},
        {.name = "Resident memory at first frame",
         .unit = Unit::Bytes,
         .measured = summarizeEach(startups.measured, &Startup::residentBytes),
         .baselineName = "bare Qt window",
         .baseline = summarizeEach(startups.baseline, &Startup::residentBytes),
         .maxRatio = 1.1,
         .maxMeasured = std::nullopt},
    };
}

} // namespace tovrin::bench
