-- Velune story files in Neovim: the language server of velune-tool (`velune-tool lsp`)
-- checks the story as you write and shows the checker's findings, jumps from a jump,
-- gift-block or ending line to the scene and from a picture line to the picture, and
-- completes scene, present and picture names.
--
-- Turn it off with `vim.g.velune_lsp = false`; `vim.g.velune_lsp_cmd` names another
-- command (a list, such as { "/opt/velune/velune-tool", "lsp" }).

if not vim.lsp or vim.g.velune_lsp == false then  -- (Vim's Lua has no vim.lsp)
  return
end
local cmd = vim.g.velune_lsp_cmd or { 'velune-tool', 'lsp' }
if vim.fn.executable(cmd[1]) ~= 1 then
  return
end

local bufnr = vim.api.nvim_get_current_buf()
local path = vim.api.nvim_buf_get_name(bufnr)
if path == '' then
  return
end

-- The game folder is the one that holds the dat/ folder of this file (the nearest one
-- up, as a scene may sit in a subfolder of dat/).
local function game_folder(file)
  local folder = vim.fn.fnamemodify(file, ':p:h')
  while true do
    if vim.fn.fnamemodify(folder, ':t'):lower() == 'dat' then
      return vim.fn.fnamemodify(folder, ':h')
    end
    local parent = vim.fn.fnamemodify(folder, ':h')
    if parent == folder then
      return vim.fn.fnamemodify(file, ':p:h')
    end
    folder = parent
  end
end

-- CTRL-] follows a name to its scene or picture, CTRL-X CTRL-O completes a name.
vim.bo[bufnr].tagfunc = 'v:lua.vim.lsp.tagfunc'
vim.bo[bufnr].omnifunc = 'v:lua.vim.lsp.omnifunc'

local config = {
  name = 'velune',
  cmd = cmd,
  root_dir = game_folder(path),
}

if vim.lsp.start then
  vim.lsp.start(config, { bufnr = bufnr })
  return
end

-- Neovim 0.7: one server for each game folder, shared by its files.
for _, client in ipairs(vim.lsp.get_active_clients()) do
  if client.name == config.name and client.config.root_dir == config.root_dir then
    vim.lsp.buf_attach_client(bufnr, client.id)
    return
  end
end
local id = vim.lsp.start_client(config)
if id then
  vim.lsp.buf_attach_client(bufnr, id)
end
