#pragma once
// A Prompter that writes everything shown into a transcript and answers
// from queues, so commands run without a display and tests check the exact
// texts, titles and icons in order.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>
#include <utility>

#include "front/lists/ListWindows.h"
#include "front/ui/Prompter.h"

using namespace Qt::StringLiterals;

class ScriptedPrompter : public Prompter {
 public:
  // One line per thing shown: "<kind> <title>: <text>", the kind being the
  // message's icon (stop, note, plain) or ask, input, open, save, dialog.
  QStringList log;
  std::deque<bool> answers;
  std::deque<int> filterChoices;
  // The progress indicator reports "Anuluj" at this pump (from 1); never at 0.
  int cancelAtPump = 0;
  // Or "Anuluj" comes late, once the work is done.
  bool cancelAtFinish = false;
  // Called at each pump, as whatever the user does meanwhile.
  std::function<void(int pump)> onPump;
  int pumps = 0;
  QStringList progressShown;  // for file dialogs that report their filter; 0 when none is queued
  std::deque<std::optional<QString>> inputs, fileNames;
  std::deque<std::function<int(QDialog&)>> dialogs;
  std::vector<FileDialogOptions> fileDialogs;
  QString lastInitialText;
  // For each message, the title of the dialog it stood over, if any.
  QStringList shownOver;

  void message(const QString& text, const QString& title, MessageIcon icon) override {
    const char* kinds[] = {"plain", "stop", "note", "question"};
    record(kinds[int(icon)], title, text);
    const QWidget* dialog = QApplication::activeModalWidget();
    shownOver << (dialog != nullptr && dialog->isVisible() ? dialog->windowTitle() : QString());
  }
  bool ask(const QString& text, const QString& title) override {
    return record("ask", title, text), take(answers, "an answer");
  }
  std::optional<QString> input(const QString& caption, const QString& prompt,
                               const QString& initial) override {
    record("input", caption, prompt);
    lastInitialText = initial;
    return take(inputs, "an input");
  }
  std::optional<QString> openFileName(const FileDialogOptions& options) override {
    return file("open", options);
  }
  std::optional<QString> saveFileName(const FileDialogOptions& options) override {
    return file("save", options);
  }
  // The dialog is shown and activated for real, as exec() shows it, so it
  // fills itself; it is up while its script runs.
  int showDialog(QDialog& dialog) override {
    record("dialog", dialog.windowTitle(), dialog.objectName());
    auto script = take(dialogs, "a dialog script");
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&dialog, &activate);
    const int result = script ? script(dialog) : int(QDialog::Rejected);
    dialog.hide();
    return result;
  }

  std::unique_ptr<Progress> progress(const QString& title, const QString& text) override {
    progressShown << title + u": "_s + text;  // kept out of the log: it shows only when slow
    pumps = 0;
    struct Scripted : Progress {
      ScriptedPrompter& p;
      explicit Scripted(ScriptedPrompter& prompter) : p(prompter) {}
      // As the program's own before it shows: the window paints on.
      void pump() override {
        ++p.pumps;
        if (p.onPump) p.onPump(p.pumps);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      }
      bool cancelled() const override {
        return (p.cancelAtPump > 0 && p.pumps >= p.cancelAtPump) || (finished && p.cancelAtFinish);
      }
      bool finish() override {
        finished = true;
        return cancelled();
      }
      bool finished = false;
    };
    return std::make_unique<Scripted>(*this);
  }

  // The message boxes alone, in order.
  QStringList messages() const { return log.filter(QRegularExpression(u"^(stop|note|plain) "_s)); }

 private:
  void record(const char* kind, const QString& title, const QString& text) {
    log << u"%1 %2: %3"_s.arg(QLatin1String(kind), title, text);
  }
  std::optional<QString> file(const char* kind, const FileDialogOptions& options) {
    record(kind, options.title, {});
    fileDialogs.push_back(options);
    if (options.chosenFilter != nullptr) {
      *options.chosenFilter = filterChoices.empty() ? 0 : filterChoices.front();
      if (!filterChoices.empty()) filterChoices.pop_front();
    }
    return take(fileNames, "a file name");
  }
  // The next queued answer; a missing one fails the test and answers
  // "no" / "cancel".
  template <typename T>
  T take(std::deque<T>& queue, const char* what) {
    if (queue.empty()) {
      QTest::qFail(qPrintable(u"the script has no %1 left"_s.arg(QLatin1String(what))), __FILE__, __LINE__);
      return T{};
    }
    T value = std::exchange(queue.front(), T{});
    queue.pop_front();
    return value;
  }
};

// Dialog scripts: change the fields by object name, then press a button.
inline std::function<int(QDialog&)> PressButton(const QString& button,
                                                std::function<void(QDialog&)> edit = nullptr) {
  return [button, edit](QDialog& dialog) {
    if (edit) edit(dialog);
    if (QAbstractButton* b = dialog.findChild<QAbstractButton*>(button)) b->click();
    return dialog.result();
  };
}

// What a list window shows once refilled, as one text joined by "|": a
// grid's header cells with their widths, then its rows; or a list's lines.
inline QString ListText(QDialog& d) {
  if (auto* lines = qobject_cast<LineListWindow*>(&d)) return lines->lines().join('|');
  const QTableWidget& grid = static_cast<NodeListWindow&>(d).grid();
  QStringList cells;
  for (int c = 0; c < 3; ++c)
    cells << grid.horizontalHeaderItem(c)->text() + u"/%1"_s.arg(grid.columnWidth(c));
  for (int r = 0; r < grid.rowCount(); ++r) {
    cells << u"%1 %2 %3"_s.arg(grid.item(r, 0)->text(), grid.item(r, 1)->text(), grid.item(r, 2)->text());
  }
  return cells.join('|');
}
