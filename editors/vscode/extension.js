// Starts the bundled `tandrel lsp` for Visual Basic files, and adds "Tandrel: select to partner", which
// selects what a click of the add-in would select and shows the add-in's messages.
const path = require("path");
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

// The server built for this system, carried in the extension.
function serverPath(context) {
  const windows = process.platform === "win32";
  return context.asAbsolutePath(path.join("server", windows ? "win32-x64" : "linux-x64", windows ? "tandrel.exe" : "tandrel"));
}

// A box of the add-in as VS Code shows a message: its icon decides the kind.
function show(message) {
  const text = message.prompt.replace(/\r\n/g, "\n");
  if (message.style === 16) return vscode.window.showErrorMessage(text);
  if (message.style === 48) return vscode.window.showWarningMessage(text);
  return vscode.window.showInformationMessage(text);
}

async function selectToPartner(editor) {
  const result = await client.sendRequest("tandrel/match", {
    textDocument: { uri: editor.document.uri.toString() },
    position: { line: editor.selection.active.line, character: editor.selection.active.character },
  });
  if (result.selection) {
    const { anchor, active } = result.selection;
    editor.selection = new vscode.Selection(anchor.line, anchor.character, active.line, active.character);
    editor.revealRange(editor.selection);
  }
  for (const message of result.messages) show(message);
}

exports.activate = async function activate(context) {
  client = new LanguageClient(
    "tandrel",
    "Tandrel",
    { command: serverPath(context), args: ["lsp"] },
    {
      documentSelector: [{ language: "vb" }],
      initializationOptions: { build: vscode.workspace.getConfiguration("tandrel").get("build") },
    },
  );
  await client.start();
  context.subscriptions.push(vscode.commands.registerTextEditorCommand("tandrel.selectToPartner", selectToPartner));
};

exports.deactivate = function deactivate() {
  return client ? client.stop() : undefined;
};
