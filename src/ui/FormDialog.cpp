#include "ui/FormDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FormDialog::FormDialog(const QString& name, const QString& caption, Prompter& prompter, QWidget* parent,
                       const QString& okName, const QString& cancelName)
    : QDialog(parent), prompter_(prompter), buttons_(new QHBoxLayout) {
  setObjectName(name);
  setWindowTitle(caption);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(okName);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Anuluj"), this);
  cancel->setObjectName(cancelName);
  connect(ok, &QPushButton::clicked, this, [this] { okClicked(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons_->addStretch();
  buttons_->addWidget(ok);
  buttons_->addWidget(cancel);
}

void FormDialog::setContent(QLayout* content) {
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(content);
  layout->addLayout(buttons_);
}

QLineEdit* FormDialog::field(const QString& name, const QString& text) {
  auto* edit = new QLineEdit(text, this);
  edit->setObjectName(name);
  return edit;
}

QCheckBox* FormDialog::checkBox(const QString& name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

void FormDialog::showEvent(QShowEvent* event) {
  refresh();
  QDialog::showEvent(event);
}

bool FormDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) refresh();
  return QDialog::event(event);
}
