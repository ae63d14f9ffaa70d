#include "core/files/WriteCause.h"

#include <cerrno>
#include <system_error>

#include "core/files/SafeFile.h"

std::string WriteCauseText(int error) {
  switch (error) {
    case kNotRegularFile: return "pod tą nazwą jest plik specjalny (urządzenie, potok), a nie zwykły plik";
    case ENOSPC: return "brak miejsca na dysku";
    case EDQUOT: return "wyczerpany przydział miejsca na dysku (quota)";
    case EACCES:
    case EPERM: return "brak uprawnień do zapisu w tym miejscu";
    case EROFS: return "system plików jest tylko do odczytu";
    case EIO: return "błąd wejścia-wyjścia urządzenia";
    case ENOENT: return "folder nie istnieje";
    case ENOTDIR: return "folder nie istnieje (część ścieżki nie jest folderem)";
    case ENAMETOOLONG: return "nazwa pliku jest za długa";
    case EISDIR: return "pod tą nazwą jest folder";
    case EFBIG: return "plik byłby za duży dla tego systemu plików";
    case EMFILE:
    case ENFILE: return "za dużo otwartych plików";
    case ENOMEM: return "za mało pamięci";
    case ELOOP: return "za dużo dowiązań symbolicznych w ścieżce";
    case ETXTBSY:
    case EBUSY: return "plik jest w użyciu";
    default: return std::error_code(error, std::generic_category()).message();
  }
}

std::string WithWriteCause(std::string_view message, int error) {
  return std::string(message) + "\nPrzyczyna: " + WriteCauseText(error) + ".";
}
