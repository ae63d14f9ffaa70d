#pragma once
// Everything a command asks of the user goes through this interface, so that
// commands run the same under real message boxes and under a test script.

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QDialog;

enum class MessageIcon { None, Stop, Exclamation, Question };

struct FileDialogOptions {
  QString title;
  QStringList filters;    // in the order shown
  QString defaultSuffix;  // added to a name typed without one
  bool confirmOverwrite = false;
  // When set: a name typed without an extension gets the chosen filter's
  // (not defaultSuffix), and the chosen filter's index is written here.
  int* chosenFilter = nullptr;
};

// Work that may run on (a generation): pumped often while it runs. It keeps
// the window painting, shows itself with "Anuluj" once the work has taken
// half a second, and tells whether the user cancelled. Escape cancels also
// before it shows; other input meanwhile is dropped, not kept for later.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void pump() = 0;
  virtual bool cancelled() const = 0;
  // What the indicator says of the work, from now on.
  virtual void setText(const QString& text) { (void)text; }
  // The work is done: takes the input the user gave up to now (a late
  // "Anuluj" still counts) and closes the indicator, so that no click meant
  // for it lands on what shows next. True when the user cancelled.
  virtual bool finish() = 0;
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  // A message box with one OK button.
  virtual void message(const QString& text, const QString& title, MessageIcon icon) = 0;
  // A question with Yes and No; true for Yes.
  virtual bool ask(const QString& text, const QString& title) = 0;
  // An input box; empty when cancelled.
  virtual std::optional<QString> input(const QString& caption, const QString& prompt,
                                       const QString& initial) = 0;
  virtual std::optional<QString> openFileName(const FileDialogOptions& options) = 0;
  virtual std::optional<QString> saveFileName(const FileDialogOptions& options) = 0;
  // Shows a modal dialog; returns its result (QDialog::Accepted or Rejected).
  virtual int showDialog(QDialog& dialog) = 0;
  // A progress indicator for work about to start; gone when destroyed.
  virtual std::unique_ptr<Progress> progress(const QString& title, const QString& text) = 0;
};
