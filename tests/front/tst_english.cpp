// The English window: every menu, pop-up, tool tip, dialog and message the
// commands show is English, and the English menu bar fits the window. A
// text counts as Polish when it has a Polish letter or is one of the Polish
// source texts that the translation changes.

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QXmlStreamReader>
#include <cerrno>
#include <memory>
#include <utility>

#include "core/batch/BatchExport.h"
#include "core/batch/BatchRequest.h"
#include "core/files/ExportFile.h"
#include "core/files/ProjectFile.h"
#include "core/files/WriteCause.h"
#include "core/text/Tr.h"
#include "front/app/Language.h"
#include "front/app/MainWindow.h"
#include "front/commands/Commands.h"
#include "front/commands/MeshCommands.h"
#include "front/commands/SolveCommands.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

using namespace Qt::StringLiterals;

namespace {

// Shows nothing and answers "no" and "cancel" to everything; keeps every
// text it was given, with where it came from.
class WalkingPrompter : public Prompter {
 public:
  QStringList texts;
  void message(const QString& text, const QString& title, MessageIcon) override { texts << title << text; }
  bool ask(const QString& text, const QString& title) override {
    texts << title << text;
    return false;
  }
  std::optional<QString> answer;  // given once to the next input asked for
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString&) override {
    texts << caption << prompt;
    return std::exchange(answer, std::nullopt);
  }
  std::optional<QString> openFileName(const FileDialogOptions& o) override { return file(o); }
  std::optional<QString> saveFileName(const FileDialogOptions& o) override { return file(o); }
  int showDialog(QDialog& dialog) override {
    dialog.show();
    texts << dialog.windowTitle();
    for (const QLabel* l : dialog.findChildren<QLabel*>()) texts << l->text();
    for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) texts << b->text();
    for (const QGroupBox* g : dialog.findChildren<QGroupBox*>()) texts << g->title();
    for (const QComboBox* c : dialog.findChildren<QComboBox*>()) {
      for (int i = 0; i < c->count(); ++i) texts << c->itemText(i);
    }
    for (const QTableWidget* t : dialog.findChildren<QTableWidget*>()) {
      for (int c = 0; c < t->columnCount(); ++c) {
        if (const QTableWidgetItem* h = t->horizontalHeaderItem(c)) texts << h->text();
      }
    }
    dialog.hide();
    return QDialog::Rejected;
  }
  std::unique_ptr<Progress> progress(const QString& title, const QString& text) override {
    texts << title << text;
    struct Never : Progress {
      void pump() override {}
      bool cancelled() const override { return false; }
      bool finish() override { return false; }
    };
    return std::make_unique<Never>();
  }

 private:
  std::optional<QString> file(const FileDialogOptions& o) {
    texts << o.title << o.filters;
    return std::nullopt;
  }
};

// The items of the menu bar's menus and their submenus.
QList<QAction*> MenuItems(const QMenuBar& bar) {
  QList<QAction*> items, pending = bar.actions();
  while (!pending.isEmpty()) {
    QAction* a = pending.takeFirst();
    if (a->menu() != nullptr)
      pending += a->menu()->actions();
    else if (!a->isSeparator())
      items << a;
  }
  return items;
}

QString Plain(QString text) {
  return text.remove(u'&').trimmed();
}

class EnglishTest : public QObject {
  Q_OBJECT

  QSet<QString> polishSources;  // sources whose translation differs
  int translated = 0;

  // The text and where it was seen, when it reads Polish.
  void expectEnglish(const QString& text, const QString& where) {
    static const QRegularExpression polishLetter(u"[ąćęłńóśźżĄĆĘŁŃÓŚŹŻ]"_s);
    const QString plain = Plain(text);
    if (plain.isEmpty()) return;
    QVERIFY2(!polishLetter.match(plain).hasMatch() && !polishSources.contains(plain),
             qPrintable(where + u": "_s + text));
  }

 private slots:
  void initTestCase() {
    QVERIFY(InstallLanguage({Language::English, true}));
    QFile ts(QStringLiteral(TS_FILE));
    QVERIFY(ts.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&ts);
    QString source;
    while (!xml.atEnd()) {
      if (xml.readNext() != QXmlStreamReader::StartElement) continue;
      if (xml.name() == u"source") source = xml.readElementText();
      if (xml.name() == u"translation") {
        const QString translation = xml.readElementText();
        if (Plain(translation) != Plain(source)) polishSources.insert(Plain(source));
        ++translated;
      }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(translated > 500);
    // The core's texts come through the same translation.
    QCOMPARE(QString::fromStdString(Tr("Main", "Plik projektu (.vdk) do otwarcia")),
             Ui("Main", "Plik projektu (.vdk) do otwarcia"));
    QVERIFY(QCoreApplication::translate("Main", "Plik projektu (.vdk) do otwarcia") !=
            u"Plik projektu (.vdk) do otwarcia"_s);
  }

  void languageFromTheArgumentsOrTheLocale() {
    std::string why;
    QCOMPARE(LanguageArgument({"a.vdk", "--lang", "en"}, why), std::optional(Language::English));
    QCOMPARE(LanguageArgument({"--lang=pl"}, why), std::optional(Language::Polish));
    QCOMPARE(LanguageArgument({"--", "--lang=en"}, why), std::nullopt);  // a file's name after --
    QVERIFY(why.empty());
    QCOMPARE(LanguageArgument({"--lang", "de"}, why), std::nullopt);
    QVERIFY(!why.empty());
    const std::vector<std::string> rest =
        WithoutLanguageArgument({"--export", "o.msh", "--lang", "en", "p.vdk", "--", "--lang=en"});
    QVERIFY((rest == std::vector<std::string>{"--export", "o.msh", "p.vdk", "--", "--lang=en"}));
    for (const auto& [locale, language] : {std::pair{"en_GB.UTF-8", Language::English},
                                           {"en", Language::English},
                                           {"en_US", Language::English},
                                           {"pl_PL.UTF-8", Language::Polish},
                                           {"C", Language::Polish},
                                           {"eno", Language::Polish},
                                           {"de_DE", Language::Polish}}) {
      QCOMPARE(LanguageOfLocale(locale), language);
    }
    // Arguments go in once, in order; a marker in an argument stays as typed.
    QCOMPARE(Text("%2 a %1 %3 %").with("x%2", 7), std::string("7 a x%2 %3 %"));
  }

  // The command line's help: the usage, its explanation and each option.
  void commandLineHelpIsEnglish() {
    expectEnglish(QString::fromStdString(BatchExportHelp()), u"help"_s);
    QVERIFY(BatchExportHelp().starts_with("Without a window: vendrel {--export FILE | --solve FILE}"));
    for (const BatchOption& o : BatchOptions()) {
      expectEnglish(QString::fromStdString(BatchOptionDescription(o)), QString::fromLatin1(o.name));
      expectEnglish(QString::fromStdString(BatchOptionValue(o.valueName)), QString::fromLatin1(o.name));
    }
  }

  // The core's refusals are whole translated sentences, arguments placed:
  // the command line's, a project file's (its region section's reason
  // too), a failed write's and the export layouts' limit.
  void coreRefusalsAreEnglish() {
    std::string why;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--area", "-1", "--export", "a.msh", "p.vdk"},
          {"--export", "a.msh", "--solve", "b.msh", "p.vdk"}}) {
      QVERIFY(!ParseBatchRequest(args, why));
      expectEnglish(QString::fromStdString(why), QString::fromStdString(args[0]));
    }
    const auto model = std::make_unique<Model>();
    for (const char* file :
         {"-1 0 0 0 0", "1 0 0 0 0\n0 1e99", "0 0 0 0 0\n1 0\n1\nKoniec pliku\nObszary\nx\n"}) {
      const FileResult read = ParseProjectFile(file, *model);
      QVERIFY(!read.ok);
      expectEnglish(QString::fromStdString(read.message), QString::fromLatin1(file));
    }
    expectEnglish(QString::fromStdString(WithWriteCause(SaveFailedMessage(), ENOSPC)), u"write"_s);
    expectEnglish(QString::fromStdString(LayoutRefusal(5000, 3000).value_or("")), u"layout"_s);
  }

  void menusPopUpsAndToolTipsAreEnglishAndTheMenuBarFits() {
    WalkingPrompter prompter;
    MainWindow window(&prompter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    int items = 0;
    for (const QMenu* menu : window.findChildren<QMenu*>()) {
      expectEnglish(menu->title(), u"menu"_s);
      for (const QAction* a : menu->actions()) {
        expectEnglish(a->text(), menu->title());
        ++items;
      }
    }
    QVERIFY(items > 50);
    for (const QToolButton* b : window.findChildren<QToolButton*>()) {
      expectEnglish(b->toolTip(), u"tool tip"_s);
      expectEnglish(b->text(), u"tool button"_s);
    }
    for (const QLabel* l : window.findChildren<QLabel*>()) expectEnglish(l->text(), u"label"_s);
    QVERIFY2(window.menuBar()->sizeHint().width() <= 640,
             qPrintable(QString::number(window.menuBar()->sizeHint().width())));
    QCOMPARE(window.size(), QSize(640, 480));
  }

  // Each command of the menus, on an empty model, on one with its physics
  // set but no mesh, and on that one meshed and solved, with every dialog
  // cancelled.
  void everyCommandAsksAndAnswersInEnglish() {
    for (const int stage : {0, 1, 2}) {
      WalkingPrompter prompter;
      MainWindow window(&prompter);
      window.show();
      if (stage > 0) {
        window.commands().files().openProjectFile(QStringLiteral(TEST_DATA "/physics.vdk"));
        QCOMPARE(window.state().model.nodeCount, 16);
      }
      if (stage > 1) {
        window.commands().mesh().mesherOptions().helperPath = MESHER_PATH;
        prompter.answer = u"10"_s;
        window.commands().run(&MeshCommands::generateMesh);
        QVERIFY(window.state().model.meshTriangleCount > 20);
        window.commands().run(&SolveCommands::solve);
        QVERIFY(window.state().solution && window.state().solution->result.solved);
      }
      for (QAction* a : MenuItems(*window.menuBar())) {
        if (a->objectName() == u"actionExit"_s || !a->isEnabled()) continue;
        a->trigger();
        QCoreApplication::processEvents();
      }
      QVERIFY(prompter.texts.size() > 40);
      for (const QString& text : prompter.texts) expectEnglish(text, u"command"_s);
      for (const QDialog* d : window.findChildren<QDialog*>()) {
        expectEnglish(d->windowTitle(), u"window"_s);
      }
      window.setWindowModified(false);
    }
  }
};

}  // namespace

QTEST_MAIN(EnglishTest)
#include "tst_english.moc"
