#pragma once

// Installs Qt's own Polish translation, so standard buttons and the file
// dialogs read "Tak", "Nie", "Anuluj" whatever the system language. False
// when the translation is not installed on this machine.
bool InstallPolishTranslation();
