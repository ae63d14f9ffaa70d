// The program's side of the DXF reader helper: the reply it believes, the
// faults it survives, and the strict look at a file's text before dxflib.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <numbers>

#include "core/TempDir.h"
#include "core/import/DrawingHelper.h"
#include "core/import/DrawingProtocol.h"
#include "core/import/DxfFileChecks.h"
#include "core/import/ReaderTexts.h"

namespace {

DxfResult Sample() {
  DxfResult r;
  r.ok = true;
  Drawing& d = r.drawing;
  d.layers = {{"0", 2}, {"Otwory", 1}};
  d.curves.push_back(LineCurve({0, 0}, {10, 0}));
  d.curves.push_back(ArcCurve({5, 5}, {2, 0}, {0, 2}, 0.0, 2.0 * std::numbers::pi, true));
  d.curves.back().layer = 1;
  d.curves.push_back(BulgeArc({10, 0}, {10, 10}, 0.5));
  d.skipped = {{"TEXT", 3}};
  d.insUnits = 4;
  return r;
}

// Writes `value` over the bytes at `at` of a copy of the sample's reply.
template <typename T>
std::string Patched(size_t at, T value) {
  std::string bytes = EncodeDrawingReply(Sample());
  std::memcpy(bytes.data() + at, &value, sizeof value);
  return bytes;
}

}  // namespace

TEST(DrawingReply, CarriesTheDrawingAndRefusesEveryMalformedReply) {
  const std::string bytes = EncodeDrawingReply(Sample());
  const std::optional<DxfResult> back = DecodeDrawingReply(bytes);
  ASSERT_TRUE(back && back->ok);
  const Drawing& d = back->drawing;
  ASSERT_EQ(d.layers.size(), 2u);
  EXPECT_EQ(d.layers[1].name, "Otwory");
  EXPECT_EQ(d.insUnits, 4);
  EXPECT_EQ(d.skipped.at("TEXT"), 3);
  ASSERT_EQ(d.curves.size(), 3u);
  EXPECT_EQ(d.curves[1].layer, 1);
  EXPECT_TRUE(d.curves[1].closed);
  EXPECT_DOUBLE_EQ(d.curves[2].t1, Sample().drawing.curves[2].t1);
  // The extent is computed afresh from the curves.
  EXPECT_DOUBLE_EQ(d.extent.maxY, 10.0);
  EXPECT_DOUBLE_EQ(d.extent.minY, 0.0);

  // A refusal travels as one of the reader's sentences with its arguments;
  // an unknown sentence, a wrong number of arguments or an argument that
  // would not show as itself is not believed.
  const auto refusal = [](ReaderSentence said) {
    DxfResult r;
    r.said = std::move(said);
    return EncodeDrawingReply(r);
  };
  const std::optional<DxfResult> refused =
      DecodeDrawingReply(refusal(ReaderSentence(reader_text::kBadCode, 7, "„abc”")));
  ASSERT_TRUE(refused && !refused->ok);
  EXPECT_EQ(refused->message, "Plik DXF jest uszkodzony: w wierszu 7 zamiast kodu grupy stoi „abc”.");
  EXPECT_FALSE(DecodeDrawingReply(refusal(ReaderSentence("Plik DXF jest niepełny."))));
  EXPECT_FALSE(DecodeDrawingReply(refusal(ReaderSentence(reader_text::kBadCode, 7))));
  EXPECT_FALSE(DecodeDrawingReply(refusal(ReaderSentence(reader_text::kBadCode, 7, "a\nb"))));
  // The program, not the reader, puts the sentence into the user's
  // language, the arguments where the translation places them.
  InstallTranslator([](const char* context, const char* source) {
    return std::string(context) == "ReaderTexts" && std::string(source) == reader_text::kBadCode
               ? std::string("%2 stands where line %1 should have a group code.")
               : std::string(source);
  });
  const std::optional<DxfResult> english =
      DecodeDrawingReply(refusal(ReaderSentence(reader_text::kBadCode, 7, "„abc”")));
  InstallTranslator(nullptr);
  ASSERT_TRUE(english);
  EXPECT_EQ(english->message, "„abc” stands where line 7 should have a group code.");

  // Every prefix of a reply is refused, and so is a byte too many.
  for (size_t n = 0; n < bytes.size(); ++n) EXPECT_FALSE(DecodeDrawingReply(bytes.substr(0, n))) << n;
  EXPECT_FALSE(DecodeDrawingReply(bytes + '\0'));
  EXPECT_FALSE(DecodeDrawingReply(EncodeDrawingReply(DxfResult{})));  // a refusal without a sentence

  // Where the sample's fields lie: magic, ok, empty message, units, layers.
  const size_t layers = 4 + 1 + 4 + 4;
  const size_t curves = layers + 4 + (4 + 1 + 4) + (4 + 6 + 4) + 4 + (4 + 4 + 4);
  const size_t first = curves + 4;  // kind, closed, layer, then twelve numbers
  const size_t second = first + 2 + 4 + 12 * 8;
  const std::pair<const char*, std::string> bad[] = {
      {"magic", Patched<uint32_t>(0, 0x31445257)},
      {"ok flag", Patched<uint8_t>(4, 2)},
      {"too many layers", Patched<uint32_t>(layers, uint32_t(kDrawingMaxLayers) + 1)},
      {"more curves than sent", Patched<uint32_t>(curves, 4)},
      {"a kind that is none", Patched<uint8_t>(first, 2)},
      {"a closed line", Patched<uint8_t>(first + 1, 1)},
      {"a layer it does not have", Patched<int32_t>(first + 2, 2)},
      {"a negative layer", Patched<int32_t>(first + 2, -1)},
      {"a coordinate not a number", Patched<double>(first + 6, NAN)},
      {"a coordinate past the limit", Patched<double>(first + 6 + 8, 2e9)},
      {"an arc more than once round", Patched<double>(second + 6 + 11 * 8, 7.0)},
      {"angles far from zero", Patched<double>(second + 6 + 10 * 8, 1e8)},
  };
  for (const auto& [why, reply] : bad) EXPECT_FALSE(DecodeDrawingReply(reply)) << why;
}

TEST(DrawingReader, EveryFaultOfTheHelperIsARefusalThatSaysWhatHappened) {
  TempDir dir;
  const auto file = [&](const std::string& name) {
    const std::string path = dir.path() + "/" + name;
    std::ofstream(path) << "0\nEOF\n";
    return path;
  };
  struct Case {
    const char* name;
    const char* helper;
    int64_t limitMs;
    const char* expected;
  };
  const Case cases[] = {
      {"crash.dxf", FAKE_READER_PATH, 0, "program czytający rysunek zakończył się awarią (sygnał 6)."},
      {"memory.dxf", FAKE_READER_PATH, 0, "program czytający rysunek przekroczył limit pamięci."},
      {"hang.dxf", FAKE_READER_PATH, 300,
       "program czytający rysunek przekroczył limit czasu i został zatrzymany."},
      {"garbage.dxf", FAKE_READER_PATH, 0, "program czytający rysunek przysłał błędną odpowiedź."},
      {"plain.dxf", "/nonexistent/vendrel-dxf", 0, "program czytający rysunek nie dał się uruchomić."},
  };
  for (const Case& c : cases) {
    DrawingReadOptions options{c.helper, std::chrono::milliseconds(c.limitMs), {}, {}};
    const std::string path = file(c.name);
    const DxfResult r = ReadDrawing(path, options);
    EXPECT_TRUE(!r.ok && !r.cancelled && r.readerFailed) << c.name;
    EXPECT_EQ(r.message, "Nie udało się odczytać rysunku " + path + ": " + c.expected) << c.name;
  }
  // The stand-in's well-formed answer is taken.
  EXPECT_TRUE(ReadDrawing(file("plain.dxf"), {FAKE_READER_PATH, {}, {}, {}}).ok);
  // A cancel ends a slow helper at once, with nothing to say.
  int asked = 0;
  const DxfResult cancelled =
      ReadDrawing(file("slow.dxf"), {FAKE_READER_PATH, {}, {}, [&asked] { return ++asked > 3; }});
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.message.empty());
  EXPECT_EQ(ReadDrawing(dir.path() + "/none.dxf", {READER_PATH, {}, {}, {}}).message,
            "Nie można otworzyć pliku " + dir.path() + "/none.dxf.");
}

TEST(DrawingReader, TheRealHelperReadsADrawingAndRefusesJunk) {
  TempDir dir;
  const auto read = [&](const std::string& text) {
    const std::string path = dir.path() + "/d.dxf";
    std::ofstream(path, std::ios::binary) << text;
    return ReadDrawing(path, {READER_PATH, {}, {}, {}});
  };
  const std::string line = "0\nSECTION\n2\nENTITIES\n0\nLINE\n8\nKontur\n10\n0\n20\n0\n11\n";
  const DxfResult good = read(line + "4\n21\n3\n0\nENDSEC\n0\nEOF\n");
  ASSERT_TRUE(good.ok) << good.message;
  EXPECT_EQ(good.drawing.layers.at(0).name, "Kontur");
  EXPECT_DOUBLE_EQ(good.drawing.extent.maxX, 4.0);
  EXPECT_EQ(read(line + "4\n21\n3zzz\n0\nENDSEC\n0\nEOF\n").message,
            "Plik DXF jest uszkodzony: w wierszu 16 zamiast liczby (kod 21) stoi „3zzz”.");
}

TEST(DxfText, CheckedStrictlyBeforeDxflibSeesIt) {
  const auto entities = [](const std::string& body) {
    return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n";
  };
  const std::string lwpolyline = "0\nLWPOLYLINE\n8\n0\n90\n";
  const std::pair<std::string, std::string> refused[] = {
      {entities("0\nLINE\n10\nzzz\n20\n0\n11\n1\n21\n1\n"), "w wierszu 8 zamiast liczby (kod 10) stoi „zzz”"},
      {entities("0\nLINE\n10\n1O\n20\n0\n11\n1\n21\n1\n"), "stoi „1O”"},
      {entities("0\nLINE\n10\n1.#QNAN\n20\n0\n11\n1\n21\n1\n"), "stoi „1.#QNAN”"},
      {entities("0\nLINE\n10\n1e-400\n20\n0\n11\n1\n21\n1\n"), "stoi „1e-400”"},
      {entities("0\nLINE\n10\n1 2\n20\n0\n11\n1\n21\n1\n"), "stoi „1 2”"},
      {entities("0\nLINE\n10\n1e999\n20\n0\n11\n1\n21\n1\n"), kDxfNonFinite},
      {entities("0\nLINE\n10\n0\n20\n0\n"), "LINE w wierszu 6 nie ma wartości o kodzie 11"},
      {entities("0\nCIRCLE\n10\n0\n20\n0\n"), "CIRCLE w wierszu 6 nie ma wartości o kodzie 40"},
      {entities("0\nARC\n10\n0\n20\n0\n40\n1\n50\n0\n"), "nie ma wartości o kodzie 51"},
      {entities(lwpolyline + "1000000000\n10\n0\n20\n0\n"), "zapowiada 1000000000 elementów (kod 90)"},
      {entities(lwpolyline + "-1\n10\n0\n20\n0\n"), "zapowiada -1 elementów"},
      {entities(lwpolyline + "3\n10\n0\n20\n0\n10\n1\n20\n0\n"), "zapowiada 3 wierzchołków, a ma 2"},
      {entities("0\nSPLINE\n73\n100000000\n"), "zapowiada 100000000 elementów (kod 73)"},
      {entities("0\nLEADER\n76\n100000000\n"), "(kod 76)"},
      {entities("0\nLINE\n70\n1.5\n"), "zamiast liczby całkowitej (kod 70) stoi „1.5”"},
      {entities("0\nLINE\n70\n99999999999\n"), "liczby całkowitej"},
      {entities("0\nPOLYLINE\n8\n0\n0\nVERTEX\n10\n0\n20\n0\n"),
       "POLYLINE w wierszu 6 nie kończy się znacznikiem SEQEND"},
      {entities("abc\nLINE\n"), "w wierszu 5 zamiast kodu grupy stoi „abc”"},
      {entities("5000\nx\n"), "zamiast kodu grupy stoi „5000”"},
      {"0\nSECTION\n2\n", "nie kończy się znacznikiem EOF"},
      {"0\nSECTION\n2\nENTITIES\n0\nEOF\n0\n", "nie kończy się znacznikiem EOF"},
  };
  for (const auto& [text, expected] : refused) {
    const DxfText checked = CheckDxfText(text);
    EXPECT_NE(checked.refusal.find(expected), std::string::npos) << text << "\n→ " << checked.refusal;
    EXPECT_TRUE(checked.text.empty());
  }
  // A text too long for dxflib is cut at a character's start; numbers,
  // with blanks and a plus, are taken as they stand.
  const std::string longText = std::string(kDxfMaxValue - 1, 'A') + "ż" + std::string(2000, 'B');
  const DxfText cut = CheckDxfText(entities("0\nTEXT\n10\n +1.5e3 \n20\n-0\n1\n" + longText + "\n"));
  ASSERT_TRUE(cut.refusal.empty()) << cut.refusal;
  EXPECT_NE(cut.text.find("\n" + std::string(kDxfMaxValue - 1, 'A') + "\n"), std::string::npos);
  EXPECT_EQ(cut.text.find('B'), std::string::npos);
}
