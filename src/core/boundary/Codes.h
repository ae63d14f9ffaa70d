#pragma once
// Codes of problem families, boundary kinds and condition kinds.

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int32_t kBoundaryOuter = 1;
inline constexpr int32_t kBoundaryInner = 2;

// The one definition of the problem families, which the dialogs, the
// exports' names and the solver all read: every kind below 10 is a
// potential problem (heat, electric, magnetic, and any other code, solved
// as -div(k grad u) = f), exactly 10 the plane-stress disc, and any other
// value neither (refused by the solver, its conditions shown by code).
bool IsPotentialFamily(int32_t problemKind);
bool IsDiscFamily(int32_t problemKind);

// "zewnętrzny" for 1, "wewnętrzny" for 2, empty for anything else. The
// words are the same in every language, since the open mesh formats name
// groups with them; the window shows them through the Shown… forms below.
std::string_view BoundaryKindWord(int32_t kind);

// The word of a condition kind within the family chosen by the problem kind;
// empty when that family has no such code, which the solver then refuses.
// The code is compared exactly.
std::string_view ConditionKindWord(int32_t problemKind, float code);
// The two words above in the user's language.
std::string ShownBoundaryKindWord(int32_t kind);
std::string ShownConditionKindWord(int32_t problemKind, float code);

// The disc's roller support, "podpora przesuwna": one displacement held at
// value2, the other free; value1 names the one held, 1 for ux, 2 for uy. A
// cut along a line of symmetry is held so.
inline constexpr float kDiscRoller = 3.0f;
// The component a roller support's value1 names, 0 (ux) or 1 (uy); -1 for
// any other value, which the dialog and the solver refuse.
int32_t RollerComponent(float value1);
