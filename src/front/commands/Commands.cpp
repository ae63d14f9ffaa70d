#include "front/commands/Commands.h"

namespace {

// Each set gets the context it shares with the others.
template <typename... Sets>
std::tuple<Sets...> MakeSets(CommandContext& context, std::tuple<Sets...>*) {
  return std::tuple<Sets...>(((void)sizeof(Sets), context)...);
}

}  // namespace

Commands::Commands(AppState& state, Prompter& prompter)
    : context_(state, prompter), sets_(MakeSets(context_, static_cast<decltype(sets_)*>(nullptr))) {
  // The adaptive solve meshes as GENERUJ does, within its limit.
  solution().setMesher([this] { return std::pair(mesh().mesherOptions(), mesh().limit()); });
}

Commands::~Commands() = default;
