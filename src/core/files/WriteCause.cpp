#include "core/files/WriteCause.h"

#include <cerrno>
#include <system_error>

#include "core/files/SafeFile.h"
#include "core/text/Tr.h"

std::string WriteCauseText(int error) {
  switch (error) {
    case kNotRegularFile:
      return Tr("WriteCause", "pod tą nazwą jest plik specjalny (urządzenie, potok), a nie zwykły plik");
    case ENOSPC: return Tr("WriteCause", "brak miejsca na dysku");
    case EDQUOT: return Tr("WriteCause", "wyczerpany przydział miejsca na dysku (quota)");
    case EACCES:
    case EPERM: return Tr("WriteCause", "brak uprawnień do zapisu w tym miejscu");
    case EROFS: return Tr("WriteCause", "system plików jest tylko do odczytu");
    case EIO: return Tr("WriteCause", "błąd wejścia-wyjścia urządzenia");
    case ENOENT: return Tr("WriteCause", "folder nie istnieje");
    case ENOTDIR: return Tr("WriteCause", "folder nie istnieje (część ścieżki nie jest folderem)");
    case ENAMETOOLONG: return Tr("WriteCause", "nazwa pliku jest za długa");
    case EISDIR: return Tr("WriteCause", "pod tą nazwą jest folder");
    case EFBIG: return Tr("WriteCause", "plik byłby za duży dla tego systemu plików");
    case EMFILE:
    case ENFILE: return Tr("WriteCause", "za dużo otwartych plików");
    case ENOMEM: return Tr("WriteCause", "za mało pamięci");
    case ELOOP: return Tr("WriteCause", "za dużo dowiązań symbolicznych w ścieżce");
    case ETXTBSY:
    case EBUSY: return Tr("WriteCause", "plik jest w użyciu");
    default: return std::error_code(error, std::generic_category()).message();
  }
}

std::string SaveFailedMessage() {
  return Tr("WriteCause", "Nie można zapisać do pliku");
}

std::string WithWriteCause(std::string_view message, int error) {
  return Tr("WriteCause", "%1\nPrzyczyna: %2.").with(message, WriteCauseText(error));
}
