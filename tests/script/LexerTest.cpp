#include "script/lua/Lexer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "script/lua/Strings.h"
#include "tests/script/ChunkText.h"
#include "tests/script/Disassembler.h"
#include "tests/script/ScriptState.h"

namespace {

// Tokens as text: names as $name, numbers, strings and wide strings as the
// disassembler shows constants, other tokens as their printable name,
// characters of 128 and more as char(n).
std::string TokenText(int token, const SemInfo& seminfo) {
  TObject value;
  switch (token) {
    case TK_NAME:
      return "$" + std::string(getstr(seminfo.ts));
    case TK_NUMBER:
      setnvalue(&value, seminfo.r);
      return ConstantText(&value);
    case TK_STRING:
      setsvalue(&value, seminfo.ts);
      return ConstantText(&value);
    case TK_WSTRING:
      setwsvalue(&value, seminfo.ts);
      return ConstantText(&value);
    default:
      if (token >= FIRST_RESERVED) return luaX_tokens[token - FIRST_RESERVED];
      if (token >= 128) return "char(" + std::to_string(token) + ")";
      return std::string(1, static_cast<char>(token));
  }
}

class ScriptLexer : public ::testing::Test {
 protected:
  ScriptState state;
  lua_State* L = state.L();

  // Every token of the chunk, separated by blanks, ending with <eof>; or
  // "error: " and the message.
  std::string Lex(ChunkText& text) {
    std::string out;
    const int status = Run(text, [&](LexState* ls) {
      for (int token = 0; token != TK_EOS;) {
        SemInfo seminfo;
        token = luaX_lex(ls, &seminfo);
        out += (out.empty() ? "" : " ") + TokenText(token, seminfo);
      }
    });
    if (status != 0) return "error: " + mError;
    return out;
  }
  std::string Lex(const std::string& source) {
    ChunkText text({source});
    return Lex(text);
  }

  // Each token with the line it ended on, as "text@line".
  std::string LexLines(const std::string& source) {
    ChunkText text({source});
    std::string out;
    Run(text, [&](LexState* ls) {
      for (int token = 0; token != TK_EOS;) {
        SemInfo seminfo;
        token = luaX_lex(ls, &seminfo);
        out += (out.empty() ? "" : " ") + TokenText(token, seminfo) + "@" +
               std::to_string(ls->linenumber);
      }
    });
    return out;
  }

  // Runs f over a lexer set up on text; returns the status, the message in mError.
  int Run(ChunkText& text, const std::function<void(LexState*)>& f) {
    return RunLexer(L, text, "=test", f, &mError);
  }

  std::string mError;
};

struct LexCase {
  const char* source;
  const char* tokens;
};

TEST_F(ScriptLexer, ReadsTheTokensOfByteText) {
  const LexCase cases[] = {
      // numbers
      {"0x1F 0xff 0xFFFFFFFF 0x80000000 0x7fffffff", "#31 #255 #-1 #-2147483648 #2147483647 <eof>"},
      {"0x123456789", "#305419896 #9 <eof>"},
      {"0X10", "#0 $X10 <eof>"},
      {"0x1g", "#1 $g <eof>"},
      {"3 3.5 3. .5 3e2 3E+2 2.5e-1 007", "#3 #3.5 #3 #0.5 #300 #300 #0.25 #7 <eof>"},
      {"1 .. 2", "#1 .. #2 <eof>"},
      {"a.b ... .. .", "$a . $b ... .. . <eof>"},
      // names and reserved words
      {"Level L ( L'x' _a1 andor and", "$Level $L ( $L \"x\" $_a1 $andor and <eof>"},
      {"continue break while", "continue break while <eof>"},
      // operators
      {"a<<b>>c<=d>=e<f>g==h~=i~j=k", "$a << $b >> $c <= $d >= $e < $f > $g == $h ~= $i ~ $j = $k <eof>"},
      {"a & b | c ^ d", "$a & $b | $c ^ $d <eof>"},
      {"- -x --comment\ny", "- - $x $y <eof>"},
      {"a # b", "$a # $b <eof>"},
      // strings
      {"'a\"b' \"a'b\"", "\"a\"b\" \"a'b\" <eof>"},
      {R"("\a\b\f\n\r\t\v\\\"\'\q")", R"("\7\8\12\10\13\9\11\"'q" <eof>)"},
      {R"("\65\0651\x41\x4a\x4A\xz\x")", R"("AA1AJJxzx" <eof>)"},
      {R"("\x263A")", "\"&3A\" <eof>"},
      {"\"a\\\nb\"", "\"a\\10b\" <eof>"},
      {"[[a]] [[\nb\nc]] [[x[[y]]z]] [[]]", "\"a\" \"b\\10c\" \"x[[y]]z\" \"\" <eof>"},
      {"--[[ long\n comment ]] x --[[ [[nested]] ]] y", "$x $y <eof>"},
      {"--[x\ny", "$y <eof>"},
      // wide strings
      {R"(L"ab" L"")", "L\"ab\" L\"\" <eof>"},
      {R"(L"\x263A" L"a\x12345" L"\255\x" L'x')", R"(L"\u{263A}" L"a\u{1234}5" L"\u{FF}x" $L "x" <eof>)"},
      {R"(L"\"\\\n")", R"(L""\\u{A}" <eof>)"},
      // characters
      {"\xE9", "char(233) <eof>"},
      {"#!/usr/bin/env script\nx", "$x <eof>"},
      {"", "<eof>"},
      // errors
      {"0x", "error: test:1: malformed number near `0x'"},
      {"0xg", "error: test:1: malformed number near `0x'"},
      {"1..2", "error: test:1: ambiguous syntax (decimal point x string concatenation) near `1..'"},
      {"x = 3e", "error: test:1: malformed number near `3e'"},
      {"x = 3e+", "error: test:1: malformed number near `3e+'"},
      {"\"abc\nx\"", "error: test:1: unfinished string near `\"abc'"},
      {"\"abc", "error: test:1: unfinished string near `<eof>'"},
      {"\"abc\\", "error: test:1: unfinished string near `<eof>'"},
      {R"(L"abc)", "error: test:1: unfinished string near `<eof>'"},
      {"L\"ab\ncd\"", "error: test:1: unfinished string near `L\"ab'"},
      {R"("a\256")", "error: test:1: escape sequence too large near `\"a'"},
      {R"(L"a\300")", "error: test:1: escape sequence too large near `L\"a'"},
      {"x [[abc\n", "error: test:2: unfinished long string near `<eof>'"},
      {"--[[abc", "error: test:1: unfinished long comment near `<eof>'"},
      {"x \x01", "error: test:1: invalid control char near `char(1)'"},
      {"x \x7F", "error: test:1: invalid control char near `char(127)'"},
      {"x \xFF", "error: test:1: invalid wide char near `char(255)'"},
  };
  for (const LexCase& c : cases) EXPECT_EQ(Lex(c.source), c.tokens) << c.source;
}

TEST_F(ScriptLexer, NumbersReservedWordsAndTokensAsThePartTableSays) {
  const char* const words[] = {"and",  "break", "continue", "do",    "else",   "elseif",
                               "end",  "false", "for",      "function", "if", "in",
                               "local", "nil",  "not",      "or",    "repeat", "return",
                               "then", "true",  "until",    "while"};
  for (int i = 0; i < NUM_RESERVED; i++) {
    ChunkText text({words[i]});
    int token = 0;
    Run(text, [&](LexState* ls) {
      SemInfo seminfo;
      token = luaX_lex(ls, &seminfo);
    });
    EXPECT_EQ(token, 257 + i) << words[i];
  }
  const std::pair<const char*, int> others[] = {{"x", 279}, {"..", 280}, {"...", 281}, {"==", 282},
                                                {">=", 283}, {"<=", 284}, {"~=", 285}, {"1", 286},
                                                {"'s'", 287}, {"L\"w\"", 288}, {"<<", 289},
                                                {">>", 290}, {"", 291}};
  for (const auto& [source, number] : others) {
    ChunkText text({source});
    int token = 0;
    Run(text, [&](LexState* ls) {
      SemInfo seminfo;
      token = luaX_lex(ls, &seminfo);
    });
    EXPECT_EQ(token, number) << source;
  }
}

TEST_F(ScriptLexer, CountsLinesThroughStringsCommentsAndEscapes) {
  EXPECT_EQ(LexLines("a\nb\n\nc"), "$a@1 $b@2 $c@4 <eof>@4");
  EXPECT_EQ(LexLines("[[\nx\ny]] a -- c\n--[[\n\n]] b"), "\"x\\10y\"@3 $a@3 $b@6 <eof>@6");
  EXPECT_EQ(LexLines("\"a\\\nb\" c"), "\"a\\10b\"@2 $c@2 <eof>@2");
  EXPECT_EQ(LexLines("#first line\nx"), "$x@2 <eof>@2");
  EXPECT_EQ(Lex("x\n\n\"abc"), "error: test:3: unfinished string near `<eof>'");
}

TEST_F(ScriptLexer, ReadsUtf16Text) {
  const struct {
    std::u16string source;
    const char* tokens;
  } cases[] = {
      {u"local x = 0x10", "local $x = #16 <eof>"},
      {u"x = L\"\u00e9\u263a\\x263B\"", "$x = L\"\\u{E9}\\u{263A}\\u{263B}\" <eof>"},
      {u"x = \"\u00e9\u263a\"", "$x = \"\\233:\" <eof>"},
      {u"\u00e9 x", "char(233) $x <eof>"},
      {u"--\u263a comment\nx", "$x <eof>"},
      {u"x \u263a", "error: test:1: invalid wide char near `char(9786)'"},
      {u"x \u0100", "error: test:1: invalid wide char near `char(256)'"},
      {u"x \u00ff", "error: test:1: invalid wide char near `char(255)'"},
      {u"x \u0007", "error: test:1: invalid control char near `char(7)'"},
      {u"L\"a\u263ab", "error: test:1: unfinished string near `<eof>'"},
      {u"L\"a\u263ab\n", "error: test:1: unfinished string near `L\"a?b'"},
  };
  for (const auto& c : cases) {
    ChunkText text({Utf16(c.source)}, true);
    EXPECT_EQ(Lex(text), c.tokens) << c.tokens;
  }
}

TEST_F(ScriptLexer, AUtf16SourceWithAnOddByteCountEndsAtTheLastWholeUnit) {
  ChunkText text({Utf16(u"x = 1") + "2"}, true);
  EXPECT_EQ(Lex(text), "$x = #1 <eof>");
  ChunkText dangling({Utf16(u"x = \"ab") + "\""}, true);
  EXPECT_EQ(Lex(dangling), "error: test:1: unfinished string near `<eof>'");
}

TEST_F(ScriptLexer, TokensDoNotDependOnHowTheReaderCutsTheText) {
  const std::string bytes = "x = L\"a\\x263Ab\" .. 0x1F --[[c]] 'd' [[e]]";
  const std::string expected = "$x = L\"a\\u{263A}b\" .. #31 \"d\" \"e\" <eof>";
  for (size_t cut = 0; cut <= bytes.size(); cut++) {
    ChunkText text(CutAt(bytes, cut));
    EXPECT_EQ(Lex(text), expected) << "cut at " << cut;
  }
  ChunkText single(Blocks(bytes, 1));
  EXPECT_EQ(Lex(single), expected);

  const std::string wide = Utf16(u"x = L\"\u263a\u00e9\" \"\u00e9\"");
  const std::string wideExpected = "$x = L\"\\u{263A}\\u{E9}\" \"\\233\" <eof>";
  for (size_t cut = 0; cut <= wide.size(); cut++) {
    ChunkText text(CutAt(wide, cut), true);
    EXPECT_EQ(Lex(text), wideExpected) << "cut at " << cut;
  }
  for (size_t size : {1u, 3u}) {
    ChunkText text(Blocks(wide, size), true);
    EXPECT_EQ(Lex(text), wideExpected) << size << "-byte blocks";
  }
}

TEST_F(ScriptLexer, LongTokensGrowTheBuffer) {
  const std::string name(5000, 'n');
  const std::string body(100000, 'b');
  EXPECT_EQ(Lex(name + " '" + body + "'"), "$" + name + " \"" + body + "\" <eof>");
  EXPECT_EQ(Lex("L\"" + body + "\"").size(), body.size() + 3 + 6);
}

TEST_F(ScriptLexer, SyntaxErrorsNameTheCurrentToken) {
  const struct {
    const char* source;
    const char* message;
  } cases[] = {
      {"x", "test:1: oops near `x'"},
      {"'str'", "test:1: oops near `'str''"},
      {"L\"w\\x263A\"", "test:1: oops near `L\"w?\"'"},
      {"12.5", "test:1: oops near `12.5'"},
      {"..", "test:1: oops near `..'"},
      {"(", "test:1: oops near `('"},
      {"\n\n", "test:3: oops near `<eof>'"},
  };
  for (const auto& c : cases) {
    ChunkText text({c.source});
    EXPECT_EQ(Run(text, [&](LexState* ls) {
                luaX_next(ls);
                luaX_syntaxerror(ls, "oops");
              }),
              LUA_ERRSYNTAX);
    EXPECT_EQ(mError, c.message);
  }
}

TEST_F(ScriptLexer, LookAheadKeepsTheCurrentToken) {
  ChunkText text({"a = b"});
  EXPECT_EQ(Run(text, [&](LexState* ls) {
              luaX_next(ls);
              EXPECT_EQ(ls->t.token, TK_NAME);
              luaX_lookahead(ls);
              EXPECT_EQ(ls->lookahead.token, '=');
              EXPECT_EQ(ls->t.token, TK_NAME);
              luaX_next(ls);
              EXPECT_EQ(ls->t.token, '=');
              luaX_next(ls);
              EXPECT_EQ(ls->t.token, TK_NAME);
              EXPECT_STREQ(getstr(ls->t.seminfo.ts), "b");
              luaX_next(ls);
              EXPECT_EQ(ls->t.token, TK_EOS);
            }),
            0);
}

TEST_F(ScriptLexer, LimitsAndLongChunkNames) {
  ChunkText text({"x"});
  EXPECT_EQ(Run(text, [&](LexState* ls) {
              luaX_next(ls);
              luaX_checklimit(ls, 200, 200, "things");
              luaX_checklimit(ls, 201, 200, "things");
            }),
            LUA_ERRSYNTAX);
  EXPECT_EQ(mError, "test:1: too many things (limit=200) near `x'");

  ChunkText bad({"\x01"});
  const std::string source(200, 's');
  std::string message;
  ASSERT_EQ(RunLexer(L, bad, source.c_str(), [](LexState* ls) { luaX_next(ls); }, &message),
            LUA_ERRSYNTAX);
  EXPECT_EQ(message.substr(0, 10), "[string \"s");
  EXPECT_LT(message.find("...\"]:1: invalid control char"), 80u) << message;
}

}  // namespace
