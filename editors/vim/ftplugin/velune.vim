" Velune story files, in Vim and Neovim: saved as the game reads them.
" (Neovim also starts the language server: ftplugin/velune.lua.)

if exists('b:did_ftplugin')
  finish
endif
let b:did_ftplugin = 1

" The game reads Shift-JIS (code page 932), or UTF-8 only after a byte-order mark. A new
" file, and a file of ASCII only (read as UTF-8, as it is both), is written back as
" Shift-JIS, so that Japanese typed into it reaches the game as written. A file read as
" UTF-8 without the mark keeps it: the checker points it out (utf8-without-bom).
let s:modified = &modified
if &fileencoding ==# '' || (&fileencoding ==# 'utf-8' && !&bomb && search('[^\x00-\x7f]', 'nw') == 0)
  setlocal fileencoding=cp932
endif
if !filereadable(expand('%:p'))
  setlocal fileformat=dos
endif
let &l:modified = s:modified

" The ignored line is the comment: "#hantei note".
setlocal comments= commentstring=#hantei\ %s
setlocal textwidth=0 nowrap

let b:undo_ftplugin = 'setlocal fileencoding< fileformat< comments< commentstring< textwidth< wrap<'
