#pragma once

#include "front/ui/Prompter.h"

class QWidget;

// The Prompter of the running program: real message boxes and dialogs.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent) : parent_(parent) {}

  void message(const QString& text, const QString& title, MessageIcon icon) override;
  bool ask(const QString& text, const QString& title) override;
  std::optional<QString> input(const QString& caption, const QString& prompt,
                               const QString& initial) override;
  std::optional<QString> openFileName(const FileDialogOptions& options) override;
  std::optional<QString> saveFileName(const FileDialogOptions& options) override;
  int showDialog(QDialog& dialog) override;
  std::unique_ptr<Progress> progress(const QString& title, const QString& text) override;

 private:
  QWidget* parent_;
};
