// Call signs against the real country file: the entity each belongs to, by prefix, by exact
// entry and in its portable forms, and entity numbers as ADIF logs give them.
#include "country_file.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

const CountryFile& Countries() {
  static const CountryFile file = CountryFile::Load(COUNTRY_DAT_FILE, COUNTRY_CSV_FILE);
  return file;
}

// "name | key | continent", or "none".
std::string Of(const char* call) {
  std::optional<CountryMatch> match = Countries().ForCall(call);
  if (!match) return "none";
  return match->entity->name + " | " + match->entity->primaryPrefix + " | " + match->continent;
}

TEST(CountryFile, LongestPrefixDecides) {
  EXPECT_EQ(Of("DL1ABC"), "Fed. Rep. of Germany | DL | EU");
  EXPECT_EQ(Of("OK1ABC"), "Czech Republic | OK | EU");
  EXPECT_EQ(Of("EA8ABC"), "Canary Islands | EA8 | AF");
  EXPECT_EQ(Of("EA1ABC"), "Spain | EA | EU");
  EXPECT_EQ(Of("UA9ABC"), "Asiatic Russia | UA9 | AS");
  EXPECT_EQ(Of("ok1abc"), "Czech Republic | OK | EU");
  EXPECT_EQ(Of("Q1ABC"), "none");
  EXPECT_EQ(Of(""), "none");
}

TEST(CountryFile, ExactCallsWinOverPrefixes) {
  EXPECT_EQ(Of("AN400L"), "Canary Islands | EA8 | AF");  // "AN" alone is Spain
  EXPECT_EQ(Of("AN400X"), "Spain | EA | EU");
}

TEST(CountryFile, PortableForms) {
  EXPECT_EQ(Of("OK1ABC/P"), "Czech Republic | OK | EU");
  EXPECT_EQ(Of("OK1ABC/M"), "Czech Republic | OK | EU");
  EXPECT_EQ(Of("OK1ABC/MM"), "none");  // at sea or in the air: no entity
  EXPECT_EQ(Of("OK1ABC/AM"), "none");
  EXPECT_EQ(Of("OK1ABC/P/MM"), "none");
  EXPECT_EQ(Of("OK1ABC/QRP"), "Czech Republic | OK | EU");
  EXPECT_EQ(Of("DL/OK1ABC"), "Fed. Rep. of Germany | DL | EU");
  EXPECT_EQ(Of("OK1ABC/DL"), "Fed. Rep. of Germany | DL | EU");
  EXPECT_EQ(Of("HB0/DL1ABC/P"), "Liechtenstein | HB0 | EU");
  EXPECT_EQ(Of("KH6/W1ABC"), "Hawaii | KH6 | OC");
  EXPECT_EQ(Of("EA8/DL1ABC"), "Canary Islands | EA8 | AF");
  // A call area digit moves the call: UA1ABC/9 is UA9ABC.
  EXPECT_EQ(Of("UA1ABC/9"), "Asiatic Russia | UA9 | AS");
  EXPECT_EQ(Of("UA9ABC/1"), "European Russia | UA | EU");
}

TEST(CountryFile, RegionsCountAsTheirDxccEntity) {
  // Sicily and European Turkey are entities of the file only outside DXCC: the entity, its name
  // and key are Italy's and Turkey's, the continent is the region's own.
  EXPECT_EQ(Of("IT9ABC"), "Italy | I | EU");
  EXPECT_EQ(Of("I1ABC"), "Italy | I | EU");
  EXPECT_EQ(Of("TA1ABC"), "Asiatic Turkey | TA | EU");
  EXPECT_EQ(Of("TA2ABC"), "Asiatic Turkey | TA | AS");
  EXPECT_EQ(Of("4U1VIC"), "Austria | OE | EU");
}

TEST(CountryFile, AdifEntityNumbers) {
  auto name = [](int number) {
    const Entity* entity = Countries().ForNumber(number);
    return entity ? entity->name + " | " + entity->primaryPrefix + " | " + entity->continent : "none";
  };
  EXPECT_EQ(name(230), "Fed. Rep. of Germany | DL | EU");
  EXPECT_EQ(name(503), "Czech Republic | OK | EU");
  EXPECT_EQ(name(248), "Italy | I | EU");
  EXPECT_EQ(name(206), "Austria | OE | EU");
  EXPECT_EQ(name(29), "Canary Islands | EA8 | AF");
  EXPECT_EQ(name(0), "none");
  EXPECT_EQ(name(9999), "none");
}

TEST(CountryFile, PositionsCountEastAndNorth) {
  // cty.dat gives longitudes west of Greenwich as positive.
  const Entity* germany = Countries().ForNumber(230);
  ASSERT_TRUE(germany && germany->position);
  EXPECT_DOUBLE_EQ(germany->position->latitude, 51.0);
  EXPECT_DOUBLE_EQ(germany->position->longitude, 10.0);
  const Entity* usa = Countries().ForCall("W1AW")->entity;
  ASSERT_TRUE(usa->position);
  EXPECT_DOUBLE_EQ(usa->position->longitude, -91.87);
  EXPECT_TRUE(Countries().ForCall("VK2GR")->entity->position->latitude < 0);

  // A position the file gets wrong costs only the position.
  const CountryFile odd = CountryFile::Parse(
      "Monaco:  14:  27:  EU:   43.73:    -7.40:    -1.0:  3A:\n    3A;\n"
      "Fiji:  32:  56:  OC:  north:  -177.92:   -12.0:  3D2:\n    3D2;\n"
      "Nowhere:  1:  1:  EU:  95.0:  0.0:   0.0:  X9:\n    X9;\n",
      "3A,Monaco,260,EU\n3D2,Fiji,176,OC\nX9,Nowhere,999,EU\n");
  EXPECT_DOUBLE_EQ(odd.ForNumber(260)->position->longitude, 7.4);
  EXPECT_FALSE(odd.ForNumber(176)->position);
  EXPECT_FALSE(odd.ForNumber(999)->position);
  EXPECT_EQ(odd.ForCall("3D2AB")->entity->name, "Fiji");
}

TEST(CountryFile, BrokenFilesNameTheLine) {
  const std::string goodDat = "Monaco:  14:  27:  EU:   43.73:    -7.40:    -1.0:  3A:\n    3A,=3A/4Z5KJ/LH;\n";
  const std::string goodCsv = "3A,Monaco,260,EU,14,27,43.73,-7.40,-1.0,3A =3A/4Z5KJ/LH;\n";
  auto fault = [](const std::string& dat, const std::string& csv) -> std::string {
    try {
      CountryFile::Parse(dat, csv);
    } catch (const std::runtime_error& error) {
      return error.what();
    }
    return "no fault";
  };
  EXPECT_EQ(fault(goodDat, goodCsv), "no fault");
  EXPECT_EQ(fault(goodDat + "\nFiji:  32:  56:  OC:  -17.78:\n    3D2;\n", goodCsv),
            "cty.dat:4: entity line without its 8 fields");
  EXPECT_EQ(fault(goodDat + "Fiji:  32:  56:  OC:  -17.78:  -177.92:   -12.0:  3D2:\n    3D2,=3D5X\n", goodCsv),
            "cty.dat:3: prefix list of Fiji not closed by ';'");
  EXPECT_EQ(fault(goodDat, goodCsv + "3D2,Fiji,,OC\n"), "cty.csv:2: no entity number in the third field");
}

}  // namespace
