#include "front/app/QtPrompter.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <algorithm>

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSpec& options,
                                     QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, options.title);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(options.filters);
  dialog.setDefaultSuffix(options.defaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
  if (options.chosenFilter != nullptr) {
    // "Pliki VTK (*.vtu)" → "vtu"
    const auto followFilter = [&dialog](const QString& filter) {
      const qsizetype dot = filter.lastIndexOf(QStringLiteral("*."));
      const qsizetype end = filter.indexOf(u')', dot);
      if (dot >= 0 && end > dot) dialog.setDefaultSuffix(filter.mid(dot + 2, end - dot - 2));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followFilter);
    if (!options.filters.isEmpty()) followFilter(options.filters.constFirst());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  if (options.chosenFilter != nullptr) {
    *options.chosenFilter =
        static_cast<int>(std::max<qsizetype>(0, options.filters.indexOf(dialog.selectedNameFilter())));
  }
  return dialog.selectedFiles().constFirst();
}

}  // namespace

void QtPrompter::message(const QString& text, const QString& title, MessageIcon icon) {
  QMessageBox box(ToQt(icon), title, text, QMessageBox::Ok, parent_);
  box.exec();
}

bool QtPrompter::ask(const QString& text, const QString& title) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
  return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::input(const QString& caption, const QString& prompt,
                                         const QString& initial) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

std::optional<QString> QtPrompter::openFileName(const FileDialogSpec& options) {
  return RunFileDialog(parent_, options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::saveFileName(const FileDialogSpec& options) {
  return RunFileDialog(parent_, options, QFileDialog::AcceptSave);
}

int QtPrompter::showDialog(QDialog& dialog) {
  return dialog.exec();
}
