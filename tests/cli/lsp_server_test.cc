// The language server in process: each row is a conversation, every message answered as the protocol says,
// bad input answered with the protocol's error and the server going on.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "bench/generated_module.h"
#include "cli/lsp/blocks.h"
#include "cli/lsp/framing.h"
#include "cli/lsp/server.h"
#include "cli/module_file.h"

namespace tandrel::cli::lsp {
namespace {

using nlohmann::json;

const std::string kModule = "Sub Main()\n    If a Then\n        s = \"x(\"\n    End If\nEnd Sub\n";
// A saved class: the header and a member attribute line are the file's lines but not the code window's.
const std::string kClass =
    "VERSION 1.0 CLASS\nBEGIN\n  MultiUse = -1\nEND\nAttribute VB_Name = \"C\"\n"
    "Public Property Get Item() As Long\nAttribute Item.VB_UserMemId = 0\n    Item = (1)\nEnd Property\n";

std::string Open(const std::string& text) {
  return json{
      {"jsonrpc", "2.0"},
      {"method", "textDocument/didOpen"},
      {"params",
       {{"textDocument", {{"uri", "file:///m.bas"}, {"languageId", "vb"}, {"version", 1}, {"text", text}}}}}}
      .dump();
}

std::string At(const char* method, int line, int character, const char* uri = "file:///m.bas") {
  return json{{"jsonrpc", "2.0"},
              {"id", 7},
              {"method", method},
              {"params",
               {{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}}}}
      .dump();
}

std::string Edit(int line, int from, int to, const std::string& text) {
  const json range = {{"start", {{"line", line}, {"character", from}}},
                      {"end", {{"line", line}, {"character", to}}}};
  return json{{"jsonrpc", "2.0"},
              {"method", "textDocument/didChange"},
              {"params",
               {{"textDocument", {{"uri", "file:///m.bas"}, {"version", 2}}},
                {"contentChanges", {{{"range", range}, {"text", text}}}}}}}
      .dump();
}

std::string Span(const json& from, const json& to) {
  return from["line"].dump() + ":" + from["character"].dump() + "-" + to["line"].dump() + ":" +
         to["character"].dump();
}

// Ranges as "l:c-l:c l:c-l:c": highlights, folding ranges, or each selection range and its parents; "null"
// for none.
std::string Marks(const json& answer) {
  const json& result = answer["result"];
  if (result.is_null()) return "null";
  std::string text;
  const auto add = [&text](const std::string& span) { text += (text.empty() ? "" : " ") + span; };
  for (const json& item : result) {
    if (item.contains("startLine")) {
      add(Span({{"line", item["startLine"]}, {"character", item["startCharacter"]}},
               {{"line", item["endLine"]}, {"character", item["endCharacter"]}}));
    }
    for (const json* link = &item; link->contains("range"); link = &(*link)["parent"]) {
      add(Span((*link)["range"]["start"], (*link)["range"]["end"]));
      if (!link->contains("parent")) break;
    }
  }
  return text;
}

struct Row {
  const char* what;
  std::vector<std::string> messages;  // after initialize
  std::string last;                   // the answer to the last message: highlights, or "error CODE"
};

TEST(LanguageServer, AnswersEachConversationAsTheProtocolSays) {
  const std::string init = R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})";
  const std::string highlight = "textDocument/documentHighlight";
  const std::vector<Row> rows = {
      {"If to End If", {Open(kModule), At(highlight.c_str(), 1, 4)}, "1:4-1:6 3:4-3:10"},
      {"End If back to If", {Open(kModule), At(highlight.c_str(), 3, 9)}, "1:4-1:6 3:4-3:10"},
      {"Sub", {Open(kModule), At(highlight.c_str(), 0, 0)}, "0:0-0:3 4:0-4:7"},
      {"a string's quotation marks", {Open(kModule), At(highlight.c_str(), 2, 12)}, "2:12-2:13 2:15-2:16"},
      {"a parenthesis in a string", {Open(kModule), At(highlight.c_str(), 2, 14)}, "null"},
      {"no token", {Open(kModule), At(highlight.c_str(), 2, 8)}, "null"},
      {"the empty line after the last", {Open(kModule), At(highlight.c_str(), 5, 0)}, "null"},
      {"file lines around hidden ones", {Open(kClass), At(highlight.c_str(), 5, 7)}, "5:7-5:15 8:0-8:12"},
      {"a parenthesis below a hidden line",
       {Open(kClass), At(highlight.c_str(), 7, 11)},
       "7:11-7:12 7:13-7:14"},
      {"the header", {Open(kClass), At(highlight.c_str(), 1, 0)}, "null"},
      {"a member attribute line", {Open(kClass), At(highlight.c_str(), 6, 0)}, "null"},
      {"after a line is inserted",
       {Open(kModule), Edit(1, 0, 0, "    x = 1\n"), At(highlight.c_str(), 2, 4)},
       "2:4-2:6 4:4-4:10"},
      {"after its End If is typed over",
       {Open(kModule), Edit(3, 4, 10, "Loop"), At(highlight.c_str(), 1, 4)},
       "null"},
      {"folding ranges",
       {Open(kModule),
        R"({"jsonrpc":"2.0","id":5,"method":"textDocument/foldingRange","params":{"textDocument":{"uri":"file:///m.bas"}}})"},
       "0:0-4:7 1:4-3:10"},
      {"selection ranges",
       {Open(kModule),
        R"({"jsonrpc":"2.0","id":6,"method":"textDocument/selectionRange","params":{"textDocument":{"uri":"file:///m.bas"},"positions":[{"line":3,"character":5},{"line":2,"character":8}]}})"},
       "3:4-3:10 1:4-3:10 0:0-4:7 1:4-3:10 0:0-4:7"},
      {"a change outside the document is dropped",
       {Open(kModule), Edit(9, 0, 0, "x"), At(highlight.c_str(), 1, 4)},
       "1:4-1:6 3:4-3:10"},
      // Bad input: the error answer, and the server goes on.
      {"not JSON", {"{\"jsonrpc\":"}, "error -32700"},
      {"no object", {"[1,2]"}, "error -32600"},
      {"an id that is no id", {R"({"jsonrpc":"2.0","id":{},"method":"shutdown"})"}, "error -32600"},
      {"an unknown method",
       {R"({"jsonrpc":"2.0","id":3,"method":"textDocument/hover","params":{}})"},
       "error -32601"},
      {"a position past the line", {Open(kModule), At(highlight.c_str(), 0, 11)}, "error -32602"},
      {"a line past the end", {Open(kModule), At(highlight.c_str(), 6, 0)}, "error -32602"},
      {"a negative line", {Open(kModule), At(highlight.c_str(), -1, 0)}, "error -32602"},
      {"a document never opened", {At(highlight.c_str(), 0, 0, "file:///x.bas")}, "error -32602"},
      {"no position",
       {Open(kModule),
        R"({"jsonrpc":"2.0","id":4,"method":"tandrel/match","params":{"textDocument":{"uri":"file:///m.bas"}}})"},
       "error -32602"},
      {"after shutdown",
       {R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})", At(highlight.c_str(), 0, 0)},
       "error -32600"},
      {"an unknown build", {}, "error -32602"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    LanguageServer server;
    const std::string first =
        row.messages.empty()
            ? R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"initializationOptions":{"build":"vb4"}}})"
            : init;
    std::optional<std::string> answer = server.Handle(first);
    ASSERT_TRUE(answer);
    for (const std::string& message : row.messages) answer = server.Handle(message);
    ASSERT_TRUE(answer);
    const json last = json::parse(*answer);
    EXPECT_EQ(last.contains("error") ? "error " + last["error"]["code"].dump() : Marks(last), row.last);
    // Whatever came before, the server still answers.
    EXPECT_TRUE(server.Handle(R"({"jsonrpc":"2.0","id":9,"method":"shutdown"})"));
  }
}

// Every folding range of the bundled examples and of the benchmark's largest module ends where a
// click of `tandrel match` on its opener selects.
TEST(LanguageServer, FoldingRangesEndWhereTheMatchCommandSelects) {
  std::vector<std::pair<std::string, std::u16string>> modules;
  for (const char* file : {"Orders.bas", "Customer.cls", "OrderForm.frm"}) {
    const ModuleSource source = LoadModule(std::string(TANDREL_EXAMPLES_DIR) + "/" + file, {true, ""});
    std::u16string text;
    for (std::int32_t line = 1; line <= source.LineCount(LineNumbering::kFile); ++line) {
      text.append(source.LineText(line, LineNumbering::kFile)).append(u"\r\n");
    }
    modules.emplace_back(file, std::move(text));
  }
  std::u16string generated;
  for (const auto& line : bench::GenerateLargeModule()) generated.append(line).append(u"\r\n");
  modules.emplace_back("generated", std::move(generated));
  for (const auto& [name, text] : modules) {
    Document document(text);
    const ModuleSource& source = document.Module();
    const auto& blocks = Blocks(document, Build::kVb6);
    EXPECT_GT(blocks.size(), 3u) << name;
    for (const Range& block : blocks) {
      const std::int32_t line = *source.ToCodeWindow(block.start.line + 1, LineNumbering::kFile);
      const MatchRun run =
          RunMatch(source.Code(), {line, block.start.character + 1, line, block.start.character + 1},
                   Build::kVb6, Entry::kCodeWindow);
      ASSERT_TRUE(run.selection) << name << " " << block.start.line;
      EXPECT_EQ(source.FromCodeWindow(run.selection->endLine, LineNumbering::kFile) - 1, block.end.line)
          << name;
      EXPECT_EQ(run.selection->endColumn - 1, block.end.character) << name << " " << block.start.line;
    }
  }
}

// Edits of one line change the code window's view in place; after any edit the view is the one the whole
// text would give, hidden lines included.
TEST(LanguageServer, AnEditedDocumentShowsTheModuleItsTextWould) {
  const std::vector<std::u16string> pieces = {
      u"x",         u"",     u"End If",        u"Attribute Item.VB_UserMemId = 0",
      u"If a Then", u"\r\n", u"\n    y = 2\n", u"Attribute VB_Name = \"D\""};
  Document document(std::u16string(kClass.begin(), kClass.end()) + u"Sub A()\r\n    x = 1\r\nEnd Sub");
  std::mt19937 random(5);
  for (int step = 0; step < 400; ++step) {
    // The last two steps retype the last line, then empty it: it is then the editor's line after a final
    // line break, and no line of the module.
    const bool closing = step >= 398;
    const auto line = closing
                          ? document.LineCount() - 1
                          : static_cast<std::int32_t>(random() % static_cast<unsigned>(document.LineCount()));
    const auto size = static_cast<std::int32_t>(document.Line(line).size());
    // A third of the edits retype a whole line, so that lines turn hidden, visible or empty.
    const bool retyped = closing || random() % 3 == 0;
    const std::int32_t from =
        retyped || size == 0 ? 0 : static_cast<std::int32_t>(random() % static_cast<unsigned>(size + 1));
    const std::int32_t to =
        retyped ? size : from + static_cast<std::int32_t>(random() % static_cast<unsigned>(size - from + 1));
    const std::u16string piece = closing ? (step == 398 ? u"x" : u"") : pieces[random() % pieces.size()];
    ASSERT_TRUE(document.Replace({line, from}, {line, to}, piece));
    std::u16string text;
    for (std::int32_t i = 0; i < document.LineCount(); ++i)
      text.append(document.Line(i)).append(i + 1 < document.LineCount() ? u"\r\n" : u"");
    Document fresh(text);
    const ModuleSource& edited = document.Module();
    const ModuleSource& whole = fresh.Module();
    ASSERT_EQ(edited.LineCount(LineNumbering::kFile), whole.LineCount(LineNumbering::kFile)) << step;
    for (std::int32_t fileLine = 1; fileLine <= whole.LineCount(LineNumbering::kFile); ++fileLine) {
      ASSERT_EQ(edited.ToCodeWindow(fileLine, LineNumbering::kFile),
                whole.ToCodeWindow(fileLine, LineNumbering::kFile))
          << step;
      ASSERT_EQ(edited.LineText(fileLine, LineNumbering::kFile),
                whole.LineText(fileLine, LineNumbering::kFile))
          << step;
    }
    for (std::int32_t codeLine = 1; codeLine <= whole.LineCount(LineNumbering::kCodeWindow); ++codeLine) {
      ASSERT_EQ(edited.LineText(codeLine, LineNumbering::kCodeWindow),
                whole.LineText(codeLine, LineNumbering::kCodeWindow))
          << step;
    }
  }
}

// What a click would do, for an editor's "select to partner"; before initialize every request is refused;
// the process ends with 0 only after shutdown, and framing it cannot read is passed over.
TEST(LanguageServer, MatchesLikeAClickAndEndsAsTheClientSays) {
  LanguageServer server;
  EXPECT_EQ(json::parse(*server.Handle(At("tandrel/match", 0, 0)))["error"]["code"], -32002);
  server.Handle(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
  server.Handle(Open("Do\n    x = 1\n"));
  const json match = json::parse(*server.Handle(At("tandrel/match", 0, 0)))["result"];
  EXPECT_TRUE(match["selection"].is_null());
  ASSERT_EQ(match["messages"].size(), 1u);
  EXPECT_TRUE(
      match["messages"][0]["prompt"].get<std::string>().starts_with("Match 'Loop' for 'Do' not found"));
  EXPECT_EQ(match["messages"][0]["style"], 48);

  for (const bool shutDown : {true, false}) {
    std::ostringstream framed;
    framed << "Content-Type: x\r\n\r\n{}"  // no length: passed over
           << "Content-Length: 99999999999999999999\r\n\r\n";
    WriteMessage(framed, R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})");
    if (shutDown) WriteMessage(framed, R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
    WriteMessage(framed, R"({"jsonrpc":"2.0","method":"exit"})");
    std::istringstream in(framed.str());
    std::ostringstream out;
    EXPECT_EQ(ServeLanguage(in, out), shutDown ? 0 : 1);
    std::istringstream answers(out.str());
    EXPECT_EQ(json::parse(*ReadMessage(answers))["id"], 1);
  }
}

}  // namespace
}  // namespace tandrel::cli::lsp
