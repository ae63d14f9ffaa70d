#include "front/app/QtPrompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "front/ui/UiText.h"

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

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogOptions& options,
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

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: return true;
    default: return false;
  }
}

// For a moment after the progress window closes, clicks are dropped: the
// second click of a double click on "Anuluj", or one that was meant for it,
// lands on neither the drawing nor the message that follows.
class ClickQuarantine : public QObject {
 public:
  ClickQuarantine() {
    qApp->installEventFilter(this);
    QTimer::singleShot(QApplication::doubleClickInterval(), this, &QObject::deleteLater);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    const QEvent::Type t = event->type();
    return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
           t == QEvent::MouseButtonDblClick;
  }
};

// Until it shows, the window paints but takes no input: Escape cancels, and
// any other key or click is dropped rather than left to act once the work
// is over. Once shown, input reaches only its "Anuluj", and of the keys
// only Escape cancels. It is not modal, so
// that closing the main window reaches the program (and cancels the work);
// the filter keeps every other input from the main window instead.
class QtProgress : public Progress, public QObject {
 public:
  QtProgress(QWidget* parent, const QString& title, const QString& text)
      : parent_(parent), title_(title), text_(text) {
    clock_.start();
    qApp->installEventFilter(this);
  }
  ~QtProgress() override {
    qApp->removeEventFilter(this);
    close();
  }

  void pump() override {
    if (!dialog_ && !finished_ && clock_.elapsed() >= 500) {
      dialog_ = std::make_unique<QProgressDialog>(text_, Ui("QtPrompter", "Anuluj"), 0, 0, parent_);
      dialog_->setObjectName(QStringLiteral("postep"));
      dialog_->setWindowTitle(title_);
      dialog_->setMinimumDuration(0);
      QObject::connect(dialog_.get(), &QProgressDialog::canceled, [this] { cancelled_ = true; });
      dialog_->show();
      dialog_->activateWindow();
    }
    QCoreApplication::processEvents();
  }
  bool cancelled() const override { return cancelled_; }
  void setText(const QString& text) override {
    text_ = text;
    if (dialog_) dialog_->setLabelText(text);
  }
  bool finish() override {
    if (finished_) return cancelled_;
    // Whatever the user did up to now is in the queue after a round trip to
    // the display; it goes to the dialog while the dialog is still there.
    QGuiApplication::sync();
    QCoreApplication::processEvents();
    finished_ = true;
    qApp->removeEventFilter(this);
    close();
    return cancelled_;
  }

 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    if (!IsUserInput(event->type())) return false;
    if (event->type() == QEvent::ShortcutOverride && !inDialog(target)) {
      event->accept();  // taken here, so that no menu shortcut fires either
      return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
      cancelled_ = true;
      return true;
    }
    // Enter or Space meant for what comes after the work would press the
    // focused "Anuluj": only a click on it, or Escape, cancels.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) return true;
    }
    return !inDialog(target);  // input for the dialog goes on to it; all other is dropped
  }

 private:
  // The dialog's window (input reaches it first) or one of its widgets.
  bool inDialog(const QObject* target) const {
    if (!dialog_) return false;
    if (const QWindow* window = qobject_cast<const QWindow*>(target))
      return window == dialog_->windowHandle();
    const QWidget* widget = qobject_cast<const QWidget*>(target);
    return widget != nullptr && (widget == dialog_.get() || dialog_->isAncestorOf(widget));
  }
  void close() {
    if (!dialog_) return;
    dialog_.reset();
    new ClickQuarantine;  // ends itself
  }

  QWidget* parent_;
  QString title_, text_;
  QElapsedTimer clock_;
  std::unique_ptr<QProgressDialog> dialog_;
  bool cancelled_ = false;
  bool finished_ = false;
};

}  // namespace

void QtPrompter::message(const QString& text, const QString& title, MessageIcon icon) {
  // "1 234 567" is never broken across lines.
  static const QRegularExpression groups(QStringLiteral("(\\d) (?=\\d{3}(\\D|$))"));
  QString unbroken = text;
  unbroken.replace(groups, QStringLiteral("\\1\u00a0"));
  QMessageBox box(ToQt(icon), title, unbroken, QMessageBox::Ok, parent_);
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

std::optional<QString> QtPrompter::openFileName(const FileDialogOptions& options) {
  return RunFileDialog(parent_, options, QFileDialog::AcceptOpen);
}

std::optional<QString> QtPrompter::saveFileName(const FileDialogOptions& options) {
  return RunFileDialog(parent_, options, QFileDialog::AcceptSave);
}

std::unique_ptr<Progress> QtPrompter::progress(const QString& title, const QString& text) {
  return std::make_unique<QtProgress>(parent_, title, text);
}

int QtPrompter::showDialog(QDialog& dialog) {
  return dialog.exec();
}
