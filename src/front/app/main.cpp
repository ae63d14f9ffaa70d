#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/batch/BatchExport.h"
#include "core/files/ExitCleanup.h"
#include "core/files/Recovery.h"
#include "core/import/BatchDrawing.h"
#include "front/app/Language.h"
#include "front/app/MainWindow.h"
#include "front/commands/Commands.h"
#include "front/ui/UiText.h"

namespace {

void SetUp(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      Ui("Main", "Preprocesor płaskich zadań MES / a pre-processor for plane finite-element problems") +
      QStringLiteral("\n\n") + QString::fromStdString(BatchExportHelp()));
  parser.addHelpOption();
  parser.addVersionOption();
  const auto text = [](std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); };
  for (const BatchOption& o : BatchOptions()) {
    parser.addOption({text(o.name), text(BatchOptionDescription(o)), text(BatchOptionValue(o.valueName))});
  }
  parser.addOption({QStringLiteral("lang"),
                    Ui("Main", "Język okna i komunikatów: pl (polski) albo en (angielski)."),
                    QStringLiteral("pl|en")});
  parser.addPositionalArgument(Ui("Main", "projekt"), Ui("Main", "Plik projektu (.vdk) do otwarcia"),
                               Ui("Main", "[projekt.vdk]"));
}

// --help and --version answer without a window, so also where there is no
// display.
bool AsksForHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray arg(argv[i]);
    if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "--help-all" || arg == "-v" ||
        arg == "--version") {
      return true;
    }
  }
  return false;
}

// Answers --help or --version and ends the process.
int ShowHelpOrVersion(int& argc, char** argv, const LanguageChoice& language) {
  QCoreApplication core(argc, argv);
  InstallLanguage(language);
  QCommandLineParser parser;
  SetUp(parser);
  // "-?" is help here too, as it is on other systems.
  QStringList arguments = QCoreApplication::arguments();
  std::replace(arguments.begin() + 1, arguments.end(), QStringLiteral("-?"), QStringLiteral("--help"));
  parser.process(arguments);  // prints and ends the process
  return 0;
}

// The window-less run: no window and no display, over once the file is
// written.
int RunBatch(int& argc, char** argv, const LanguageChoice& language, const std::vector<std::string>& args) {
  // The translation needs an application object; Polish needs none.
  std::optional<QCoreApplication> core;
  if (language.language != Language::Polish) {
    core.emplace(argc, argv);
    // The application object takes the environment's locale; the files
    // written here keep the C library's numbers as they are without it.
    std::setlocale(LC_NUMERIC, "C");
    InstallLanguage(language);
  }
  MesherOptions mesher;
  mesher.helperPath = DefaultMesherPath();
  return RunBatchExport(args, mesher, std::cerr, ImportDxfForBatch, &std::cout);
}

// The window, with the project named on the command line.
int RunWindow(int& argc, char** argv, const LanguageChoice& language) {
  QApplication app(argc, argv);  // takes its own options (-platform, …) off the list
  InstallLanguage(language);
  QCommandLineParser parser;
  SetUp(parser);
  parser.process(app);
  try {
    MainWindow window;
    FileCommands& files = window.commands().files();
    files.keepRecoveryCopies(RecoveryFolder());
    window.show();
    // Asked once the window is on the screen, so the questions and messages
    // stand over it: first whether to restore work a program left unsaved
    // when it ended, then the project named at start, unless work was
    // restored.
    const QString path = parser.positionalArguments().value(0);
    QTimer::singleShot(0, &window, [&files, path] {
      if (!files.offerLeftCopies() && !path.isEmpty()) files.openProjectFile(path);
    });
    return QApplication::exec();
  } catch (const std::exception& e) {
    // Whatever escapes start-up or the event loop is shown before the end.
    QMessageBox::critical(nullptr, QStringLiteral("Vendrel Korbel"), QString::fromLocal8Bit(e.what()));
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Ended by a signal, the program leaves no temporary file and no helper.
  InstallExitCleanup();
  QCoreApplication::setApplicationName(QStringLiteral("Vendrel Korbel"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));
  const std::vector<std::string> given(argv + 1, argv + argc);
  std::string badLanguage;
  LanguageArgument(given, badLanguage);
  if (!badLanguage.empty()) {
    std::cerr << badLanguage << '\n';
    return 2;
  }
  const LanguageChoice language = ChooseLanguage(given);
  if (AsksForHelpOrVersion(argc, argv)) return ShowHelpOrVersion(argc, argv, language);
  const std::vector<std::string> args = WithoutLanguageArgument(given);
  if (AsksForBatchExport(args)) return RunBatch(argc, argv, language, args);
  return RunWindow(argc, argv, language);
}
