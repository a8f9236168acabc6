#include "cli/lsp/server.h"

#include <istream>
#include <limits>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/lsp/blocks.h"
#include "cli/lsp/framing.h"
#include "cli/lsp/partner.h"
#include "cli/utf8.h"
#include "deliverables/deliverables.h"
#include "ide/utf8_text.h"

namespace tandrel::cli::lsp {

using nlohmann::json;

namespace {

// JSON-RPC's and the protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kInternalError = -32603;
constexpr int kServerNotInitialized = -32002;

// Why a request gets an error instead of a result.
struct RequestError {
  int code;
  std::string message;
};

[[noreturn]] void Refuse(int code, std::string message) { throw RequestError{code, std::move(message)}; }

const json& Member(const json& object, const char* name) {
  if (!object.is_object() || !object.contains(name)) Refuse(kInvalidParams, std::string("no ") + name);
  return object.at(name);
}

std::string Text(const json& object, const char* name) {
  const json& value = Member(object, name);
  if (!value.is_string()) Refuse(kInvalidParams, std::string(name) + " is not a string");
  return value.get<std::string>();
}

std::int32_t Whole(const json& object, const char* name) {
  const json& value = Member(object, name);
  if (!value.is_number_integer() || value.get<std::int64_t>() < 0 ||
      value.get<std::int64_t>() > std::numeric_limits<std::int32_t>::max()) {
    Refuse(kInvalidParams, std::string(name) + " is not a line or character number");
  }
  return static_cast<std::int32_t>(value.get<std::int64_t>());
}

std::u16string Utf16(const std::string& utf8) {
  std::u16string text;
  Utf8Decoder decoder;
  // The JSON reader took only valid UTF-8.
  decoder.Decode(utf8, text);
  return text;
}

Position PositionIn(const json& object, const char* name) {
  const json& position = Member(object, name);
  return {Whole(position, "line"), Whole(position, "character")};
}

json ToJson(Position position) { return {{"line", position.line}, {"character", position.character}}; }

json ToJson(const Range& range) { return {{"start", ToJson(range.start)}, {"end", ToJson(range.end)}}; }

json Capabilities() {
  return {{"positionEncoding", "utf-16"},
          {"textDocumentSync", {{"openClose", true}, {"change", 2}}},  // incremental
          {"documentHighlightProvider", true},
          {"foldingRangeProvider", true},
          {"selectionRangeProvider", true}};
}

// The message's text; a stray byte in a text (from an error's description) becomes U+FFFD rather than a
// throw.
std::string Dumped(const json& message) {
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::string ErrorAnswer(const json& id, int code, const std::string& message) {
  return Dumped({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

}  // namespace

// One message being answered: its method, its parameters and the server it acts on.
class LanguageServer::Call {
 public:
  Call(LanguageServer& server, const json& params) : server_(server), params_(params) {}

  json Initialize() {
    if (server_.initialized_) Refuse(kInvalidRequest, "the server is already initialized");
    if (params_.is_object() && params_.contains("initializationOptions") &&
        params_["initializationOptions"].is_object() && params_["initializationOptions"].contains("build")) {
      const std::string name = Text(params_["initializationOptions"], "build");
      const deliverables::Deliverable* deliverable = deliverables::Named(name);
      if (!deliverable) Refuse(kInvalidParams, "build " + name + " is none of vb6, vb5 and vba");
      server_.build_ = deliverable->build;
    }
    server_.initialized_ = true;
    return {{"capabilities", Capabilities()}, {"serverInfo", {{"name", "tandrel"}}}};
  }

  void Open() {
    const json& item = Member(params_, "textDocument");
    server_.documents_.insert_or_assign(Text(item, "uri"), Document(Utf16(Text(item, "text"))));
  }

  void Change() {
    Document& document = DocumentNamed();
    const json& changes = Member(params_, "contentChanges");
    if (!changes.is_array()) Refuse(kInvalidParams, "contentChanges is not a list");
    for (const json& change : changes) {
      const std::u16string text = Utf16(Text(change, "text"));
      if (!change.contains("range")) {
        document.ReplaceAll(text);
        continue;
      }
      const json& range = change["range"];
      if (!document.Replace(PositionIn(range, "start"), PositionIn(range, "end"), text)) {
        Refuse(kInvalidParams, "a change outside the document");
      }
    }
  }

  void Close() { server_.documents_.erase(Text(Member(params_, "textDocument"), "uri")); }

  json Highlights() {
    const auto [document, caret] = DocumentAndCaret();
    json highlights = json::array();
    for (const Range& range : PartnerHighlights(document, caret, server_.build_)) {
      highlights.push_back({{"range", ToJson(range)}, {"kind", 1}});
    }
    return highlights.empty() ? json(nullptr) : highlights;
  }

  json Folds() {
    json folds = json::array();
    for (const Range& block : Blocks(DocumentNamed(), server_.build_)) {
      folds.push_back({{"startLine", block.start.line},
                       {"startCharacter", block.start.character},
                       {"endLine", block.end.line},
                       {"endCharacter", block.end.character}});
    }
    return folds;
  }

  json SelectionRanges() {
    Document& document = DocumentNamed();
    const json& positions = Member(params_, "positions");
    if (!positions.is_array()) Refuse(kInvalidParams, "positions is not a list");
    json answers = json::array();
    for (const json& given : positions) {
      const Position caret{Whole(given, "line"), Whole(given, "character")};
      if (!document.Holds(caret)) Refuse(kInvalidParams, "a position lies outside the document");
      json chain = nullptr;
      const std::vector<Range> ranges = EnclosingRanges(document, caret, server_.build_);
      for (auto range = ranges.rbegin(); range != ranges.rend(); ++range) {
        json link = {{"range", ToJson(*range)}};
        if (!chain.is_null()) link["parent"] = std::move(chain);
        chain = std::move(link);
      }
      answers.push_back(std::move(chain));
    }
    return answers;
  }

  json Match() {
    const auto [document, caret] = DocumentAndCaret();
    const Click click = ClickAt(document, caret, server_.build_);
    json messages = json::array();
    for (const sim::MessageBox& box : click.messages) {
      messages.push_back(
          {{"prompt", ide::ToUtf8(box.prompt)}, {"style", box.style}, {"title", ide::ToUtf8(box.title)}});
    }
    json selection = nullptr;
    if (click.anchor) selection = {{"anchor", ToJson(*click.anchor)}, {"active", ToJson(*click.active)}};
    return {{"selection", selection}, {"messages", messages}};
  }

 private:
  Document& DocumentNamed() {
    const std::string uri = Text(Member(params_, "textDocument"), "uri");
    const auto document = server_.documents_.find(uri);
    if (document == server_.documents_.end()) Refuse(kInvalidParams, "no open document " + uri);
    return document->second;
  }

  std::pair<Document&, Position> DocumentAndCaret() {
    Document& document = DocumentNamed();
    const Position caret = PositionIn(params_, "position");
    if (!document.Holds(caret)) Refuse(kInvalidParams, "the position lies outside the document");
    return {document, caret};
  }

  LanguageServer& server_;
  const json& params_;
};

std::optional<std::string> LanguageServer::Handle(std::string_view body) {
  json message;
  try {
    message = json::parse(body);
  } catch (const json::exception&) {
    return ErrorAnswer(nullptr, kParseError, "the message is not JSON");
  }
  if (!message.is_object()) return ErrorAnswer(nullptr, kInvalidRequest, "the message is no object");
  const bool request = message.contains("id");
  const json id = request ? message["id"] : json(nullptr);
  if (request && !id.is_string() && !id.is_number_integer()) {
    return ErrorAnswer(nullptr, kInvalidRequest, "the id is neither a number nor a string");
  }
  if (!message.contains("method") || !message["method"].is_string()) {
    // A response to a request of ours (the server makes none) has no method either: it needs no answer.
    if (request && (message.contains("result") || message.contains("error"))) return std::nullopt;
    return ErrorAnswer(id, kInvalidRequest, "the message names no method");
  }
  const std::string method = message["method"].get<std::string>();
  const json params = message.value("params", json::object());
  Call call(*this, params);
  json result = nullptr;
  try {
    if (method == "exit") {
      exited_ = true;
      return std::nullopt;
    }
    if (method == "initialize") {
      result = call.Initialize();
    } else if (!initialized_) {
      Refuse(kServerNotInitialized, "the server is not initialized");
    } else if (shutDown_) {
      Refuse(kInvalidRequest, "the server is shut down");
    } else if (method == "initialized" || method.starts_with("$/")) {
      // Nothing to do; "$/" notifications may be ignored.
    } else if (method == "shutdown") {
      shutDown_ = true;
    } else if (method == "textDocument/didOpen") {
      call.Open();
    } else if (method == "textDocument/didChange") {
      call.Change();
    } else if (method == "textDocument/didClose") {
      call.Close();
    } else if (method == "textDocument/documentHighlight") {
      result = call.Highlights();
    } else if (method == "textDocument/foldingRange") {
      result = call.Folds();
    } else if (method == "textDocument/selectionRange") {
      result = call.SelectionRanges();
    } else if (method == "tandrel/match") {
      result = call.Match();
    } else {
      Refuse(kMethodNotFound, "no method " + method);
    }
  } catch (const RequestError& error) {
    if (!request) return std::nullopt;
    return ErrorAnswer(id, error.code, error.message);
  } catch (const std::exception& error) {
    if (!request) return std::nullopt;
    return ErrorAnswer(id, kInternalError, error.what());
  }
  if (!request) return std::nullopt;
  return Dumped({{"jsonrpc", "2.0"}, {"id", id}, {"result", result}});
}

int ServeLanguage(std::istream& in, std::ostream& out) {
  LanguageServer server;
  while (const auto body = ReadMessage(in)) {
    if (const auto answer = server.Handle(*body)) WriteMessage(out, *answer);
    if (server.Exited()) break;
  }
  return server.ExitStatus();
}

}  // namespace tandrel::cli::lsp
