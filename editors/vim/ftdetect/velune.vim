" Velune story files: the scene files and the gift list in the dat/ folder of a game
" folder (dat/00.dat, dat/lst.dat, dat/ch2/01.dat, ...), in any case of "dat". The
" pictures in grf/ are .dat files too, but no text: they are left alone.
"
" The files are Shift-JIS (code page 932) or UTF-8 with a byte-order mark, with CR LF
" line ends. 'fileencodings' and 'fileformats' are global options, so they are set
" just for the reading of a story file and put back afterwards.

function! s:IsStoryFile(path) abort
  let l:folders = split(fnamemodify(a:path, ':p:h'), '[/\\]')
  let l:dat = -1
  for l:i in range(len(l:folders))
    if l:folders[l:i] ==? 'dat'
      let l:dat = l:i
    endif
  endfor
  if l:dat < 0
    return 0
  endif
  " A picture folder below the dat/ folder (a game folder inside some "dat" folder).
  for l:folder in l:folders[l:dat + 1 :]
    if l:folder ==? 'grf'
      return 0
    endif
  endfor
  return 1
endfunction

function! s:BeforeRead(path) abort
  if !s:IsStoryFile(a:path)
    return
  endif
  let s:saved = [&fileencodings, &fileformats]
  set fileencodings=ucs-bom,utf-8,cp932 fileformats=dos,unix
endfunction

function! s:AfterRead(path) abort
  if exists('s:saved')
    let [&fileencodings, &fileformats] = s:saved
    unlet s:saved
  endif
  if s:IsStoryFile(a:path)
    " Before any other .dat file type: the folder tells what the file is.
    set filetype=velune
  endif
endfunction

autocmd BufReadPre *.[dD][aA][tT] call s:BeforeRead(expand('<amatch>'))
autocmd BufRead,BufNewFile *.[dD][aA][tT] call s:AfterRead(expand('<amatch>'))
