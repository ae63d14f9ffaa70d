#include "front/commands/HelpCommands.h"

#include "front/commands/CommandContext.h"
#include "front/ui/Prompter.h"

void HelpCommands::about() {
  c_.prompter.message(QStringLiteral("Vendrel korbel v1.0\n© 2026 zespół Vendrel Korbel"),
                      QStringLiteral("O programie..."), MessageIcon::None);
}
