#pragma once
// The sentences with which the DXF reader helper refuses a file. The helper
// has no translator: it sends a sentence's source text and its arguments,
// and the program puts them into the user's language. The program takes
// only a source text from this list, with exactly the arguments it asks for.

#include <cstddef>
#include <string_view>

#include "core/import/ReaderSentence.h"
#include "core/text/Tr.h"

namespace reader_text {

inline constexpr const char* kNonFinite = TrNoop(
    "ReaderTexts", "W rysunku jest liczba nieskończona albo większa niż 1 000 000 000 co do wartości.");
inline constexpr const char* kBinary =
    TrNoop("ReaderTexts", "To jest binarny plik DXF; zapisz rysunek jako DXF tekstowy (ASCII).");
inline constexpr const char* kNotText = TrNoop("ReaderTexts", "To nie jest tekstowy plik DXF.");
inline constexpr const char* kNoEof =
    TrNoop("ReaderTexts", "Plik DXF jest niepełny albo uszkodzony: nie kończy się znacznikiem EOF.");
inline constexpr const char* kLastCodeAlone =
    TrNoop("ReaderTexts", "Plik DXF jest niepełny: ostatni kod grupy nie ma wartości.");
// %1 the line, %2 what stands there.
inline constexpr const char* kBadCode =
    TrNoop("ReaderTexts", "Plik DXF jest uszkodzony: w wierszu %1 zamiast kodu grupy stoi %2.");
// %1 the line, %2 the group code, %3 what stands there.
inline constexpr const char* kBadNumber =
    TrNoop("ReaderTexts", "Plik DXF jest uszkodzony: w wierszu %1 zamiast liczby (kod %2) stoi %3.");
inline constexpr const char* kBadInteger = TrNoop(
    "ReaderTexts", "Plik DXF jest uszkodzony: w wierszu %1 zamiast liczby całkowitej (kod %2) stoi %3.");
// %1 the line, %2 the entity, %3 the count, %4 the group code, %5 the pairs left.
inline constexpr const char* kCountPastEnd =
    TrNoop("ReaderTexts",
           "Plik DXF jest uszkodzony: w wierszu %1 %2 zapowiada %3 elementów (kod %4), a do końca pliku "
           "zostało %5 par.");
// %1 the line of the POLYLINE.
inline constexpr const char* kUnendedPolyline =
    TrNoop("ReaderTexts", "Plik DXF jest niepełny: POLYLINE w wierszu %1 nie kończy się znacznikiem SEQEND.");
// %1 the entity, %2 its line, %3 the group code.
inline constexpr const char* kMissingCode =
    TrNoop("ReaderTexts", "Plik DXF jest niepełny: %1 w wierszu %2 nie ma wartości o kodzie %3.");
// %1 the entity, %2 its line, %3 the vertices promised, %4 those there.
inline constexpr const char* kVertexCount =
    TrNoop("ReaderTexts", "Plik DXF jest niepełny: %1 w wierszu %2 zapowiada %3 wierzchołków, a ma %4.");
inline constexpr const char* kTooManyCurves =
    TrNoop("ReaderTexts", "Rysunek ma ponad %1 linii i łuków (z blokami).");
inline constexpr const char* kTooManyVertices = TrNoop("ReaderTexts", "Polilinia ma za dużo wierzchołków.");
inline constexpr const char* kTooManyLayers =
    TrNoop("ReaderTexts", "Rysunek ma linie na ponad %1 warstwach.");
inline constexpr const char* kPlacedTooFar =
    TrNoop("ReaderTexts", "Po wstawieniu bloków rysunek ma współrzędne większe niż 1 000 000 000.");
inline constexpr const char* kNothingTaken =
    TrNoop("ReaderTexts", "W rysunku nie ma linii, łuków, okręgów, elips ani polilinii.");
// %1 the entities passed over, by name and number.
inline constexpr const char* kNothingTakenSkipped =
    TrNoop("ReaderTexts", "W rysunku nie ma linii, łuków, okręgów, elips ani polilinii (pominięte: %1).");
inline constexpr const char* kCannotOpen = TrNoop("ReaderTexts", "Nie można otworzyć pliku %1.");
// %1 the file, %2 its size, %3 the largest read, both in MB.
inline constexpr const char* kTooLarge =
    TrNoop("ReaderTexts", "Plik %1 ma %2 MB; program wczytuje rysunki DXF do %3 MB.");

}  // namespace reader_text

// The text of the list equal to `source`; nullptr when there is none.
const char* KnownReaderText(std::string_view source);

// The arguments `source` asks for: its highest "%n".
size_t ReaderTextArgs(std::string_view source);
