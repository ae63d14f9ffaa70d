#pragma once
// Why a file could not be written, in the user's words: the cause a failed
// write's message adds after its own sentence.

#include <string>
#include <string_view>

// The cause of an errno from a write (or kNotRegularFile): "brak miejsca na
// dysku" for ENOSPC, and so on for the causes a user can act on; the
// system's own description for the rest.
std::string WriteCauseText(int error);

// "Nie można zapisać do pliku" in the user's language: a failed save's
// message, to which WithWriteCause adds the cause.
std::string SaveFailedMessage();

// The message followed by the cause on a line of its own:
// "Nie można zapisać do pliku\nPrzyczyna: brak miejsca na dysku."
std::string WithWriteCause(std::string_view message, int error);
