// Measures how the editor's cost grows with its work, each case against a
// baseline measured in the same run, and prints one table.
//
//   tovrin_bench [--tiny] [--json FILE]
//
// --tiny runs every case once at tiny sizes, only to prove that each works;
// it judges no figure against its target.

#include "bench/Report.h"
#include "bench/WorkFolder.h"
#include "bench/cases/Cases.h"

#include <QApplication>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>

namespace {

struct Options {
    bool tiny = false;
    std::string jsonPath;
};

bool parse(int argc, char* argv[], Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--tiny")
            options.tiny = true;
        else if (argument == "--json" && i + 1 < argc)
            options.jsonPath = argv[++i];
        else
            return false;
    }
    return true;
}

// The offscreen platform warns about what it cannot do, such as size hints;
// that says nothing about the figures and would break up the table.
void dropToolkitChatter(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::cerr << message.toStdString() << "\n";
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace tovrin::bench;
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << "usage: " << argv[0] << " [--tiny] [--json FILE]\n";
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The texts are Western European: Generate writes them in Windows-1252
    // whatever this machine's language.
    setenv("LC_ALL", "C.UTF-8", 1);
    qInstallMessageHandler(dropToolkitChatter);
    QApplication application(argc, argv);
    try {
        const WorkFolder folder;
        Settings settings = options.tiny ? tinySettings() : fullSettings();
        settings.folder = folder.path();

        std::vector<Row> rows = startupRows(settings, QCoreApplication::applicationDirPath().toStdString());
        for (Row& row : generateRows(settings))
            rows.push_back(std::move(row));
        for (Row& row : typingRows(settings))
            rows.push_back(std::move(row));
        rows.push_back(resizeRow(settings));
        rows.push_back(newRow(settings));

        const Verdicts verdicts = options.tiny ? Verdicts::Withheld : Verdicts::Given;
        printTable(rows, verdicts, std::cout);
        if (!options.jsonPath.empty())
            writeJson(rows, verdicts, options.jsonPath);
    } catch (const std::exception& error) {
        std::cerr << "bench failed: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
