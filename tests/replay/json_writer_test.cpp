// JSON text as any reader takes it: escapes, bytes that are not UTF-8, nesting and layout.
#include "json_writer.h"

#include <gtest/gtest.h>

#include "json_reader.h"

namespace {

TEST(JsonString, EscapesWhatJsonAndAScriptElementNeed) {
  EXPECT_EQ(JsonString("plain"), "\"plain\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("l1\r\nl2\tx"), "\"l1\\r\\nl2\\tx\"");
  EXPECT_EQ(JsonString(std::string("\x01\x1f\x7f", 3)), "\"\\u0001\\u001f\\u007f\"");
  EXPECT_EQ(JsonString(std::string("nul\0x", 5)), "\"nul\\u0000x\"");
  EXPECT_EQ(JsonString("</script><b>"), "\"\\u003c/script>\\u003cb>\"");
}

TEST(JsonString, Utf8StaysOtherBytesAreLatin1) {
  EXPECT_EQ(JsonString("M\xC3\xBCller \xE2\x80\x93 \xF0\x9F\x93\xBB"),
            "\"M\xC3\xBCller \xE2\x80\x93 \xF0\x9F\x93\xBB\"");
  // A Latin-1 "ü", a cut sequence, an overlong form and a surrogate.
  EXPECT_EQ(JsonString("M\xFCller"), "\"M\\u00fcller\"");
  EXPECT_EQ(JsonString("x\xE2\x80"), "\"x\\u00e2\\u0080\"");
  EXPECT_EQ(JsonString("\xC0\xAF"), "\"\\u00c0\\u00af\"");
  EXPECT_EQ(JsonString("\xED\xA0\x80"), "\"\\u00ed\\u00a0\\u0080\"");
  EXPECT_EQ(json_test::Parse(JsonString("M\xFCller")).text, "M\xC3\xBCller");
}

TEST(JsonWriter, NestingAndLayout) {
  JsonWriter json;
  json.BeginObject().Key("rows").BeginArray();
  json.BeginObject(true).Key("hour").String("2025-03-15T12").Key("80m").Number(10).EndObject();
  json.BeginObject(true).Key("list").BeginArray().Number(-1).Null().EndArray().EndObject();
  json.EndArray().Key("empty").BeginObject().EndObject().Key("none").BeginArray().EndArray().EndObject();
  const std::string text = json.Take();
  EXPECT_EQ(text,
            "{\n"
            "  \"rows\": [\n"
            "    {\"hour\": \"2025-03-15T12\", \"80m\": 10},\n"
            "    {\"list\": [-1, null]}\n"
            "  ],\n"
            "  \"empty\": {},\n"
            "  \"none\": []\n"
            "}\n");
  const json_test::Value back = json_test::Parse(text);
  EXPECT_EQ(back["rows"].items[0]["80m"].number, 10);
  EXPECT_EQ(back["rows"].items[1]["list"].items[1].kind, json_test::Value::Null);
}

TEST(JsonWriter, DecimalsWithTheirPlacesAndNoNegativeZero) {
  JsonWriter json;
  json.BeginArray(true).Decimal(51.5, 2).Decimal(52.5208333, 2).Decimal(-91.87, 2).Decimal(-0.004, 2);
  json.Decimal(-0.0, 1).Decimal(7.0, 0).EndArray();
  const std::string text = json.Take();
  EXPECT_EQ(text, "[51.50, 52.52, -91.87, 0.00, 0.0, 7]\n");
  EXPECT_DOUBLE_EQ(json_test::Parse(text).items[2].real, -91.87);
}

}  // namespace
