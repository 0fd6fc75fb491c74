#!/bin/sh
# A real editor on a broken story: Neovim, with the editor files of editors/vim and the
# language server of velune-tool, opens a Shift-JIS scene, completes a scene name after
# ">ive>", jumps along the jump line to the next scene and shows there the checker's
# finding about a missing scene. Skipped (77) without nvim.
# Usage: neovim_lsp.sh VELUNE_TOOL EDITORS_DIR
tool=$1
editors=$2
command -v nvim >/dev/null || exit 77
d=$(mktemp -d) || exit 1
trap 'rm -rf "$d"' EXIT
mkdir -p "$d/bin" "$d/story/dat" || exit 1
ln -s "$tool" "$d/bin/velune-tool"

sjis() { printf "$1" | iconv -f UTF-8 -t CP932; }
sjis '雨の音で目がさめた。\r\n>ive>11\r\n' > "$d/story/dat/00.dat"
sjis '傘を持っていこう。\r\n>ive>10\r\n' > "$d/story/dat/11.dat"
sjis '傘\r\n' > "$d/story/dat/lst.dat"

cat > "$d/init.lua" <<LUA
vim.opt.rtp:prepend('$editors/vim')
vim.cmd('filetype plugin on')
local function say(key, value) vim.fn.writefile({ key .. '=' .. tostring(value) }, '$d/out', 'a') end
local function attached()
  local clients = vim.lsp.get_clients and vim.lsp.get_clients({ bufnr = 0 }) or vim.lsp.buf_get_clients(0)
  return next(clients) ~= nil
end
vim.api.nvim_create_autocmd('VimEnter', { nested = true, callback = function()
  vim.cmd('edit $d/story/dat/00.dat')
  say('filetype', vim.bo.filetype)
  say('encoding', vim.bo.fileencoding .. ' ' .. vim.bo.fileformat)
  say('text', vim.fn.getline(1))
  say('syntax', vim.fn.synIDattr(vim.fn.synID(2, 1, 1), 'name'))
  say('attached', vim.wait(20000, attached, 50))
  local params = { textDocument = vim.lsp.util.make_text_document_params(),
                   position = { line = 1, character = 5 } }
  local answers = vim.lsp.buf_request_sync(0, 'textDocument/completion', params, 20000) or {}
  for _, answer in pairs(answers) do
    for _, item in ipairs((answer.result or {}).items or answer.result or {}) do
      say('completion', item.label)
    end
  end
  vim.api.nvim_win_set_cursor(0, { 2, 6 })
  vim.lsp.buf.definition()
  vim.wait(20000, function() return vim.fn.bufname():match('11%.dat$') ~= nil end, 50)
  say('definition', vim.fn.fnamemodify(vim.fn.bufname(), ':p'))
  say('attached', vim.wait(20000, attached, 50))
  vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 50)
  for _, found in ipairs(vim.diagnostic.get(0)) do
    say('diagnostic', (found.lnum + 1) .. ' ' .. tostring(found.code) .. ' ' .. tostring(found.source) .. ' ' .. found.message)
  end
  vim.cmd('qa!')
end })
LUA

(cd "$d" && PATH="$d/bin:$PATH" timeout 60 nvim --headless --clean -u "$d/init.lua") >"$d/nvim.log" 2>&1
cat "$d/out" "$d/nvim.log"
check() { grep -qx "$1" "$d/out" || { echo "missing: $1"; exit 1; }; }
check 'filetype=velune'
check 'encoding=cp932 dos'
check 'text=雨の音で目がさめた。'
check 'syntax=veluneHead'
check 'completion=11'
check "definition=$d/story/dat/11.dat"
check 'diagnostic=2 missing-scene velune the jump line opens the scene "10", but dat/10.dat does not exist.*'
grep -qx 'attached=false' "$d/out" && exit 1
exit 0
