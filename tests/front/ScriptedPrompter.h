#pragma once
// A Prompter that records everything shown and answers from queues, so
// commands run without a display and tests check the exact texts.

#include <QAbstractButton>
#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ui/Prompter.h"

struct Shown {
  QString kind;  // "message", "ask", "input", "open", "save", "dialog"
  QString text;
  QString title;
  MessageIcon icon = MessageIcon::None;
};

class ScriptedPrompter : public Prompter {
 public:
  std::vector<Shown> shown;
  std::deque<bool> answers;
  std::deque<std::optional<QString>> inputs;
  std::deque<std::optional<QString>> fileNames;
  std::deque<std::function<int(QDialog&)>> dialogs;
  std::vector<FileDialogSpec> fileDialogs;
  QString lastInitialText;

  void message(const QString& text, const QString& title, MessageIcon icon) override {
    shown.push_back({QStringLiteral("message"), text, title, icon});
  }
  bool ask(const QString& text, const QString& title) override {
    shown.push_back({QStringLiteral("ask"), text, title, MessageIcon::Question});
    return take(answers, "an answer");
  }
  std::optional<QString> input(const QString& caption, const QString& prompt,
                               const QString& initial) override {
    shown.push_back({QStringLiteral("input"), prompt, caption, MessageIcon::None});
    lastInitialText = initial;
    return take(inputs, "an input");
  }
  std::optional<QString> openFileName(const FileDialogSpec& options) override {
    shown.push_back({QStringLiteral("open"), {}, options.title, MessageIcon::None});
    fileDialogs.push_back(options);
    return take(fileNames, "a file name");
  }
  std::optional<QString> saveFileName(const FileDialogSpec& options) override {
    shown.push_back({QStringLiteral("save"), {}, options.title, MessageIcon::None});
    fileDialogs.push_back(options);
    return take(fileNames, "a file name");
  }
  int showDialog(QDialog& dialog) override {
    shown.push_back({QStringLiteral("dialog"), dialog.objectName(), dialog.windowTitle(), MessageIcon::None});
    auto script = take(dialogs, "a dialog script");
    if (!script) return QDialog::Rejected;
    dialog.setResult(QDialog::Rejected);
    return script(dialog);
  }

  // The messages only, in order.
  std::vector<Shown> messages() const {
    std::vector<Shown> out;
    for (const Shown& s : shown) {
      if (s.kind == QLatin1String("message")) out.push_back(s);
    }
    return out;
  }
  bool allUsed() const { return answers.empty() && inputs.empty() && fileNames.empty() && dialogs.empty(); }

 private:
  // The next queued answer; a missing one fails the test and answers
  // "no" / "cancel".
  template <typename T>
  T take(std::deque<T>& queue, const char* what) {
    if (queue.empty()) {
      QTest::qFail(qPrintable(QStringLiteral("the script has no %1 left").arg(QLatin1String(what))), __FILE__,
                   __LINE__);
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
    QAbstractButton* b = dialog.findChild<QAbstractButton*>(button);
    if (b == nullptr) return int(QDialog::Rejected);
    b->click();
    return dialog.result();
  };
}
