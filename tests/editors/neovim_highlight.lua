-- Neovim as a user sets it up: the language server started for a Visual Basic module, the caret put on an
-- "If", and the document highlight asked for as the editor asks for it. Run with the module as the only file:
--   TANDREL_EXE=build/default/cli/tandrel nvim --headless -u NONE -i NONE -n \
--     -c "luafile tests/editors/neovim_highlight.lua" tests/editors/Highlight.bas
-- Prints what the buffer shows and quits with status 0 when it shows the If and its End If, else 1.
local function finish(ok, text)
  io.stdout:write(text .. "\n")
  vim.cmd(ok and "qall!" or "cquit 1")
end

local client = vim.lsp.start_client({ name = "tandrel", cmd = { os.getenv("TANDREL_EXE"), "lsp" } })
vim.lsp.buf_attach_client(0, client)
local ready = vim.wait(10000, function()
  local started = vim.lsp.get_client_by_id(client)
  return started ~= nil and started.initialized
end)
if not ready then return finish(false, "the server did not initialize") end

-- Line 2 (1-based), column 4 (0-based): the "If" of "    If a Then".
vim.api.nvim_win_set_cursor(0, { 2, 4 })
vim.lsp.buf.document_highlight()
local namespace = vim.api.nvim_create_namespace("vim_lsp_references")
local marks = {}
vim.wait(10000, function()
  marks = vim.api.nvim_buf_get_extmarks(0, namespace, 0, -1, { details = true })
  return #marks > 0
end)
local shown = {}
for _, mark in ipairs(marks) do
  table.insert(shown, string.format("%d:%d-%d:%d", mark[2], mark[3], mark[4].end_row, mark[4].end_col))
end
local text = table.concat(shown, " ")
finish(text == "1:4-1:6 3:4-3:10", "highlighted: " .. text)
