#pragma once
// What the suites of the command sets share: typing into a dialog's fields
// and reading them back, the model's elements as one line, and the mesh
// generation's messages.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "CommandsRig.h"

using Rig = CommandsRig;

// Types into a field, or picks item number `text` in a selector.
inline void SetText(QDialog& d, const char* field, const QString& text) {
  if (auto* selector = d.findChild<QComboBox*>(QLatin1String(field)))
    return selector->setCurrentIndex(text.toInt() - 1);
  d.findChild<QLineEdit*>(QLatin1String(field))->setText(text);
}
inline QString Text(QDialog& d, const char* field) {
  return d.findChild<QLineEdit*>(QLatin1String(field))->text();
}
inline void Check(QDialog& d, const char* box, bool on) {
  d.findChild<QCheckBox*>(QLatin1String(box))->setChecked(on);
}
inline bool Checked(QDialog& d, const char* box) {
  return d.findChild<QCheckBox*>(QLatin1String(box))->isChecked();
}
// Refills a dialog as showing it would, types into its fields and
// presses a button; `seen` gets what the named fields show before the press.
inline std::function<int(QDialog&)> Type(const char* button,
                                         std::vector<std::pair<const char*, QString>> fields,
                                         QStringList* seen = nullptr, std::vector<const char*> shown = {}) {
  return PressButton(QLatin1String(button), [=](QDialog& d) {
    for (const auto& [name, text] : fields) SetText(d, name, text);
    for (const char* name : shown) {
      auto* selector = d.findChild<QComboBox*>(QLatin1String(name));
      auto* label = d.findChild<QLabel*>(QLatin1String(name));
      *seen << (selector != nullptr ? selector->currentText()
                : label != nullptr  ? label->text()
                                    : Text(d, name));
    }
  });
}
// Every element as "start-end condition/boundary".
inline QString Elements(const Model& m) {
  QStringList out;
  for (int32_t i = 1; i <= m.elementCount; ++i) {
    const Element& e = m.ElementTable[i];
    out << u"%1-%2 %3/%4"_s.arg(e.startNode).arg(e.endNode).arg(e.bcNumber).arg(e.boundaryNumber);
  }
  return out.join(u", "_s);
}

inline const QString kSucceeded = u"note Generacja siatki: Generacja siatki powiodła się"_s;
inline const QString kFailed = u"stop Generacja siatki: Generacja siatki nie powiodła się"_s;
inline const QString kAreaPrompt = u"input Generacja siatki: Podaj maksymalne pole trójkąta :"_s;
inline const QString kGridLimit = u"plain Bład przy odświeżaniu ekranu...: Błędne ustawienia siatki !"_s;
