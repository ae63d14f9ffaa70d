#include "front/commands/HelpCommands.h"

#include "front/commands/CommandContext.h"
#include "front/ui/Prompter.h"
#include "front/ui/UiText.h"

void HelpCommands::about() {
  c_.prompter.message(Ui("HelpCommands", "Vendrel korbel v1.0\n© 2026 zespół Vendrel Korbel"),
                      Ui("HelpCommands", "O programie..."), MessageIcon::None);
}
